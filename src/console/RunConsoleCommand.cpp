#include "console/RunConsoleCommand.h"

#include "console/ConsoleOutput.h"
#include "console/TCMDCommandsList.h"
#include "core/ProgramArguments.h"
#include "core/VersionInfo.h"

namespace tarvel {

namespace {
const char* const VersionOpening = " [Версія ";
const char* const VersionClosing = "]";
} // namespace

const TCMDCommandClass* FindConsoleCommand(const TCommandArguments& arguments) {
    if (arguments.size() < 2)
        return nullptr;
    const std::string& first = arguments[1];
    if (first.empty() || (first[0] != '/' && first[0] != '-'))
        return nullptr;
    return CommandsList().Find(std::string_view(first).substr(1));
}

bool RunConsoleCommand() {
    return RunConsoleCommand(ProgramArguments());
}

// The program already runs in its terminal, so there is no console to open or close around
// the command.
bool RunConsoleCommand(const TCommandArguments& arguments) {
    const TCMDCommandClass* commandClass = FindConsoleCommand(arguments);
    if (!commandClass)
        return false;
    const auto command = commandClass->Create(arguments);
    PrintVersionBanner();
    WriteConsoleLine();
    command->Execute();
    return true;
}

void PrintVersionBanner() {
    TFileVersionInfo info;
    if (!ReadAppVersionInfo(info))
        return;
    WriteConsoleLine(info.ProductName + VersionOpening + info.FileVersion + VersionClosing);
    WriteConsoleLine(info.CompanyName);
}

} // namespace tarvel
