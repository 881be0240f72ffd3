#include "console/ConsoleOutput.h"

#include "core/StringUtils.h"

#include <iostream>

namespace tarvel {

namespace {
std::string UnixLineBreaks(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}
} // namespace

void WriteConsoleLine(const std::string& text) {
    std::cout << ToConsoleText(UnixLineBreaks(text)) << std::endl;
}

} // namespace tarvel
