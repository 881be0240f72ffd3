#pragma once

#include "console/TCustomCMDCommand.h"

namespace tarvel {

// Writes the update archive the program carries to the file named by the second argument, or to
// patch.pdt in the current folder.
class TCMDExtractPatch : public TCustomCMDCommand {
public:
    using TCustomCMDCommand::TCustomCMDCommand;

    static std::string CommandName();
    static std::string Description();
    static void PrintHelp();

    void Execute() override;
};

} // namespace tarvel
