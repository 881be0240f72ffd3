#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Version keys of the update archive, ascending once sorted.
using TVersionList = std::vector<std::string>;

// Negative when `a` is older than `b`, 0 when they count as equal, positive when newer.
// Fields compare as numbers up to the end of the shorter version, so "1.0.6.0.1" equals
// "1.0.6.0". A field that is not an integer (an empty one too) raises EConvertError.
int CompareVersions(std::string_view a, std::string_view b);

// Ascending by CompareVersions; keys that compare equal keep no particular order. Safe for
// any mix of keys (the comparison is not a strict ordering); raises as CompareVersions does.
void SortVersions(TVersionList& list);

} // namespace tarvel
