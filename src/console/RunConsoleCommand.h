#pragma once

#include "console/TCustomCMDCommand.h"

namespace tarvel {

// The registered command that the first argument names: "/" or "-" followed by the command's
// name, letter case included. nullptr when it names none.
const TCMDCommandClass* FindConsoleCommand(const TCommandArguments& arguments);

// Runs the command named by the program's first argument and returns true; returns false, having
// printed nothing, when no registered command is named. A command's error leaves this call.
bool RunConsoleCommand();
bool RunConsoleCommand(const TCommandArguments& arguments);

// The product name with its version and the company name, from the version resource; nothing
// when the program has none.
void PrintVersionBanner();

} // namespace tarvel
