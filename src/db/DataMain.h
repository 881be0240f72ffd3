#pragma once

#include "db/OracleSessionEx.h"

#include <string>

namespace tarvel {

// The main data module: the one session that carries all database work of the program.
class TdmMain {
public:
    // Sets the session up with the module's settings and no logon; becomes dmMain.
    explicit TdmMain(TDbEngine engine = DefaultDbEngine());
    ~TdmMain();
    TdmMain(const TdmMain&) = delete;
    TdmMain& operator=(const TdmMain&) = delete;

    TOracleSessionEx ossnMain;

    // The statements of the engine's dialect that set every logon up; an error of the settings
    // fails the logon, an error of the random seed is ignored.
    static void ossnMainAfterLogOn(TOracleSession& session);
};

// The live main data module, or nullptr.
extern TdmMain* dmMain;

// Connects the main session with the logon values it holds. On failure shows the connection
// message (kind error, button OK) with progName for %PROG_NAME% and returns false.
bool ConnectMainSession(TOracleSessionEx& session, const std::string& progName);

// True when exactly one session of userName (the upper-cased schema user) exists.
// Raises when the count cannot be read.
bool CheckOtherSessions(TOracleSession& session, const std::string& userName);

} // namespace tarvel
