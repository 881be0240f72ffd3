#include "core/StringList.h"

namespace tarvel {

std::string ListText(const TStringList& list) {
    std::string text;
    for (const std::string& item : list) {
        text += item;
        text += "\r\n";
    }
    return text;
}

void AppendLines(TStringList& target, const TStringList& source) {
    target.insert(target.end(), source.begin(), source.end());
}

bool ListContains(const TStringList& list, std::string_view marker) {
    for (const std::string& item : list)
        if (item.find(marker) != std::string::npos)
            return true;
    return false;
}

} // namespace tarvel
