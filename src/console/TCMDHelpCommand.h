#pragma once

#include "console/TCustomCMDCommand.h"

namespace tarvel {

class TCMDCommandsList;

// Lists the registered commands, or shows the details of the one named by the second argument.
class TCMDHelpCommand : public TCustomCMDCommand {
public:
    explicit TCMDHelpCommand(const TCommandArguments& arguments);

    static std::string CommandName();
    static std::string Description();
    static void PrintHelp();

    void Execute() override;

private:
    void PrintCommandList();
    void PrintCommandDetails(const std::string& name);
    std::string UsageLine(const std::string& commandName) const;

    const TCMDCommandsList& Commands;
};

} // namespace tarvel
