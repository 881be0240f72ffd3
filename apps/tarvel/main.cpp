#include "WindowMode.h"
#include "console/RunConsoleCommand.h"
#include "console/TCMDCommandsList.h"
#include "console/TCMDExtractPatch.h"
#include "core/StringUtils.h"

#include <exception>
#include <iostream>

namespace {

// Start-up raises its errors to here; like a last-chance handler it reports the text and ends
// the program with exit code 1.
int ReportFatalError(const std::exception& error) {
    std::cerr << tarvel::ToConsoleText(error.what()) << std::endl;
    return 1;
}

} // namespace

int main() {
    try {
        tarvel::RegisterCommand(tarvel::CommandClassOf<tarvel::TCMDExtractPatch>());
        if (tarvel::RunConsoleCommand())
            return 0;
        return tarvel::RunWindowMode();
    } catch (const std::exception& error) {
        return ReportFatalError(error);
    }
}
