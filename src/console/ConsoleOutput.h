#pragma once

#include <string>

namespace tarvel {

// Writes the UTF-8 text as one line to the standard output in the terminal's charset; Windows
// line breaks inside the text print as line breaks. Lines are written whole, however long.
void WriteConsoleLine(const std::string& text = std::string());

} // namespace tarvel
