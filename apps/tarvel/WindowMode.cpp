#include "WindowMode.h"

#include "core/StringUtils.h"

#include <iostream>

namespace tarvel {

namespace {
const char* const WindowModeMissing = "Віконний режим у цій збірці програми відсутній.";
} // namespace

int RunWindowMode() {
    std::cerr << ToConsoleText(WindowModeMissing) << std::endl;
    return 1;
}

} // namespace tarvel
