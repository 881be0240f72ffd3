#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// A text list: written out, every item is followed by "\r\n"; an item may hold several lines.
using TStringList = std::vector<std::string>;

// The list as text, each item followed by "\r\n".
std::string ListText(const TStringList& list);
void AppendLines(TStringList& target, const TStringList& source);
// Whether any item holds `marker`.
bool ListContains(const TStringList& list, std::string_view marker);

} // namespace tarvel
