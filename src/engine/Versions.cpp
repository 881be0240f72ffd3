#include "engine/Versions.h"

#include "core/StringUtils.h"

namespace tarvel {

namespace {

// The leading field of `text`, removed together with its '.'; the whole text when it has none.
int TakeField(std::string_view& text) {
    const std::size_t dot = text.find('.');
    const int field = StrToInt(text.substr(0, dot));
    text = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    return field;
}

// Merge sort: needs nothing of the comparison but an answer, unlike std::sort, which may run
// past the ends when equality is not transitive ("1.0.6.0" equals both "1.0.6.0.1" and
// "1.0.6.0.2", which differ).
void MergeSort(TVersionList& list, std::size_t begin, std::size_t end, TVersionList& scratch) {
    if (end - begin < 2)
        return;
    const std::size_t middle = begin + (end - begin) / 2;
    MergeSort(list, begin, middle, scratch);
    MergeSort(list, middle, end, scratch);
    scratch.clear();
    std::size_t left = begin, right = middle;
    while (left < middle && right < end)
        scratch.push_back(CompareVersions(list[right], list[left]) < 0 ? list[right++]
                                                                       : list[left++]);
    while (left < middle)
        scratch.push_back(list[left++]);
    while (right < end)
        scratch.push_back(list[right++]);
    std::move(scratch.begin(), scratch.end(), list.begin() + static_cast<std::ptrdiff_t>(begin));
}

} // namespace

int CompareVersions(std::string_view a, std::string_view b) {
    for (;;) {
        const bool last =
            a.find('.') == std::string_view::npos || b.find('.') == std::string_view::npos;
        const int left = TakeField(a);
        const int right = TakeField(b);
        if (left != right || last)
            return left < right ? -1 : (left > right ? 1 : 0);
    }
}

void SortVersions(TVersionList& list) {
    TVersionList scratch;
    scratch.reserve(list.size());
    MergeSort(list, 0, list.size(), scratch);
}

} // namespace tarvel
