#include "db/postgres/PgScriptSplitter.h"

#include "db/SqlText.h"

namespace tarvel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

void Flush(std::vector<std::string>& out, const std::string& script, std::size_t start,
           std::size_t end, bool hasCode) {
    while (start < end && IsBlank(script[start]))
        ++start;
    while (end > start && IsBlank(script[end - 1]))
        --end;
    if (hasCode)
        out.push_back(script.substr(start, end - start));
}

} // namespace

std::vector<std::string> SplitPsqlScript(const std::string& script) {
    std::vector<std::string> commands;
    std::size_t start = 0;
    std::size_t i = 0;
    int depth = 0;
    bool hasCode = false;
    while (i < script.size()) {
        TSqlSegment seg = SkipSqlSegment(script, i);
        if (seg.Kind != TSqlSegment::None) {
            hasCode = hasCode || seg.Kind == TSqlSegment::Quoted;
            i = seg.End;
            continue;
        }
        const char c = script[i++];
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ';' && depth == 0) {
            Flush(commands, script, start, i, hasCode);
            start = i;
            hasCode = false;
            continue;
        }
        hasCode = hasCode || !IsBlank(c);
    }
    Flush(commands, script, start, script.size(), hasCode);
    return commands;
}

} // namespace tarvel
