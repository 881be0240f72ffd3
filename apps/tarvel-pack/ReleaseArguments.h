#pragma once

#include "tarvel-pack/ReleaseBuilder.h"

#include <string>
#include <vector>

namespace tarvel {

struct TReleaseArguments {
    bool Help = false;
    TReleaseOptions Options;
};

// "--name value" or "--name=value" for every option of the help text. Raises EReleaseInput
// for an unknown option, a missing value or a missing required option.
TReleaseArguments ParseReleaseArguments(const std::vector<std::string>& arguments);

extern const char* const kReleaseHelp;

} // namespace tarvel
