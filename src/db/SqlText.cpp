#include "db/SqlText.h"

#include "core/StringUtils.h"

#include <algorithm>

namespace tarvel {

namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$' || c == '#';
}

// Length of the dollar-quote opener at i ("$$" or "$tag$"), 0 when there is none.
std::size_t DollarTagLength(const std::string& s, std::size_t i) {
    if (i > 0 && IsNameChar(static_cast<unsigned char>(s[i - 1])))
        return 0; // "$" inside a name such as v$session
    std::size_t j = i + 1;
    if (j < s.size() && s[j] == '$')
        return 2;
    if (j >= s.size() || !IsNameStart(static_cast<unsigned char>(s[j])))
        return 0;
    while (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j])) && s[j] != '$')
        ++j;
    return j < s.size() && s[j] == '$' ? j - i + 1 : 0;
}

char OracleQuoteCloser(char open) {
    switch (open) {
    case '[':
        return ']';
    case '{':
        return '}';
    case '(':
        return ')';
    case '<':
        return '>';
    default:
        return open;
    }
}

} // namespace

TSqlSegment SkipSqlSegment(const std::string& s, std::size_t i) {
    const std::size_t n = s.size();
    const char c = s[i];
    const bool prevIsName = i > 0 && IsNameChar(static_cast<unsigned char>(s[i - 1]));
    if (c == '-' && i + 1 < n && s[i + 1] == '-') {
        std::size_t end = s.find('\n', i);
        return {end == std::string::npos ? n : end + 1, TSqlSegment::Comment};
    }
    if (c == '/' && i + 1 < n && s[i + 1] == '*') {
        int depth = 1;
        std::size_t j = i + 2;
        while (j < n && depth > 0) {
            if (s.compare(j, 2, "/*") == 0) {
                ++depth;
                j += 2;
            } else if (s.compare(j, 2, "*/") == 0) {
                --depth;
                j += 2;
            } else {
                ++j;
            }
        }
        return {j, TSqlSegment::Comment};
    }
    if ((c == 'q' || c == 'Q') && !prevIsName && i + 2 < n && s[i + 1] == '\'') {
        const char closer = OracleQuoteCloser(s[i + 2]);
        std::size_t j = i + 3;
        while (j + 1 < n && !(s[j] == closer && s[j + 1] == '\''))
            ++j;
        return {std::min(n, j + 2), TSqlSegment::Quoted};
    }
    if ((c == 'e' || c == 'E') && !prevIsName && i + 1 < n && s[i + 1] == '\'') {
        std::size_t j = i + 2;
        while (j < n) {
            if (s[j] == '\\') {
                j += 2;
            } else if (s[j] == '\'') {
                if (j + 1 < n && s[j + 1] == '\'') {
                    j += 2;
                } else {
                    return {j + 1, TSqlSegment::Quoted};
                }
            } else {
                ++j;
            }
        }
        return {n, TSqlSegment::Quoted};
    }
    if (c == '\'' || c == '"') {
        // A doubled quote reads as two strings in a row, which skips it just the same.
        std::size_t end = s.find(c, i + 1);
        return {end == std::string::npos ? n : end + 1, TSqlSegment::Quoted};
    }
    if (c == '$') {
        std::size_t tagLen = DollarTagLength(s, i);
        if (tagLen == 0)
            return {i, TSqlSegment::None};
        std::string tag = s.substr(i, tagLen);
        std::size_t end = s.find(tag, i + tagLen);
        return {end == std::string::npos ? n : end + tagLen, TSqlSegment::Quoted};
    }
    return {i, TSqlSegment::None};
}

std::vector<TVariableRef> FindVariableRefs(const std::string& s) {
    std::vector<TVariableRef> refs;
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        TSqlSegment seg = SkipSqlSegment(s, i);
        if (seg.Kind != TSqlSegment::None) {
            i = seg.End;
            continue;
        }
        if (s[i] != ':') {
            ++i;
            continue;
        }
        if (i + 1 < n && (s[i + 1] == ':' || s[i + 1] == '=')) {
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        if (j < n && IsNameStart(static_cast<unsigned char>(s[j]))) {
            while (j < n && IsNameChar(static_cast<unsigned char>(s[j])))
                ++j;
            refs.push_back({i, j - i, AsciiUpperCase(s.substr(i + 1, j - i - 1))});
        }
        i = j;
    }
    return refs;
}

std::vector<std::string> FindVariables(const std::string& sql) {
    std::vector<std::string> names;
    for (auto& ref : FindVariableRefs(sql))
        if (std::find(names.begin(), names.end(), ref.Name) == names.end())
            names.push_back(ref.Name);
    return names;
}

} // namespace tarvel
