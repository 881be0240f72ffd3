#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// What the descriptor entry of an update archive says; every text upper-cased (Latin letters).
struct TUpdateDescriptor {
    int UpdateType = 0; // 2: an add-on module; anything else: the main program
    std::string UserName;
    std::string RangeBegin;
    std::string RangeEnd;
    std::string ProgramVersion;
    std::string ModuleName;        // read only for a module update
    std::string MainModuleVersion; // read only for a module update
};

inline constexpr int kModuleUpdateType = 2;

// The trimmed text between the first `openingTag` ("<NAME>") and the first closing marker
// ("</NAME>"); empty when the closing marker is missing or comes first. Without the opening
// marker the text runs from the position of the opening marker's length (counted from 1) to
// the closing marker. Markers are plain substrings, matched with case.
std::string GetTagValue(std::string_view text, std::string_view openingTag);

// Reads the descriptor from upper-cased text. Raises EConvertError when TYPE is not an integer
// (a missing TYPE included).
void ReadUpdateDescriptor(std::string_view upperText, TUpdateDescriptor& descriptor);

// The descriptor entry's bytes (Windows-1251) as the reader wants them: up to the first zero
// byte, in UTF-8, upper-cased (Latin letters).
std::string DescriptorText(std::string_view entryBytes);

} // namespace tarvel
