#pragma once

#include "core/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvel {

class TOracleSession;

// Runs a script command by command the way the engine's command-line tool splits it, with no
// commit of its own. A failed command is reported and the script goes on (unless
// ExitOnError). Output gets each command's text, the server's messages, then the command's
// feedback or error message, and a blank line.
class TOracleScript {
public:
    explicit TOracleScript(TOracleSession* session = nullptr) : Session(session) {}

    TOracleSession* Session;
    std::vector<std::string> Lines;
    std::string Output;
    bool ExitOnError = false;
    // For each failed command, with the error.
    std::function<void(TOracleScript&, const EOracleError&)> OnError;
    // After each command, failed or not.
    std::function<void(TOracleScript&)> AfterCommand;

    // The lines joined with CR LF.
    std::string Text() const;
    void SetText(const std::string& text);

    // Runs the lines; returns false when a command failed. Errors other than the engine's
    // leave the script.
    bool Execute();
    int ErrorCount() const { return Errors; }

private:
    int Errors = 0;
};

} // namespace tarvel
