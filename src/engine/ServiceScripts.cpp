#include "engine/ServiceScripts.h"

#include "core/StringUtils.h"

namespace tarvel {

namespace {

const std::string& StringAt(const TStringTable& table, int id) {
    static const std::string empty;
    if (id < 0)
        return empty;
    const auto found = table.find(static_cast<std::uint32_t>(id));
    return found == table.end() ? empty : found->second;
}

} // namespace

int ServiceScriptCount(const TStringTable& table) {
    return StrToInt(StringAt(table, 1));
}

TServiceScript ServiceScriptAt(const TStringTable& table, int id) {
    const std::string& text = StringAt(table, id);
    const auto separator = text.find("##");
    if (separator == std::string::npos)
        return {"", text};
    return {text.substr(0, separator), text.substr(separator + 2)};
}

bool IsServiceScript(const TStringTable& table, std::string_view name) {
    const int count = ServiceScriptCount(table);
    for (int id = 2; id <= count; ++id)
        if (StringAt(table, id).find(name) != std::string::npos)
            return true;
    return false;
}

} // namespace tarvel
