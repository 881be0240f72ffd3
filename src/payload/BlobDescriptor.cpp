#include "payload/BlobDescriptor.h"

#include "core/CodePage.h"
#include "core/Exceptions.h"
#include "core/StringUtils.h"

#include <pugixml.hpp>
#include <regex>

namespace tarvel {

namespace {

// The encoding named in the XML declaration, lower-cased; empty without one.
std::string DeclaredEncoding(std::string_view bytes) {
    static const std::regex declaration(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])",
                                        std::regex::icase);
    std::string head(bytes.substr(0, 200));
    std::smatch match;
    if (!std::regex_search(head, match, declaration))
        return {};
    std::string name = match[1].str();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool IsWin1251(const std::string& encoding) {
    return encoding == "windows-1251" || encoding == "cp1251" || encoding == "win-1251";
}

std::string EscapeQuotes(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

} // namespace

void LoadBlobDescriptor(std::string_view bytes, pugi::xml_document& document) {
    pugi::xml_parse_result result;
    if (IsWin1251(DeclaredEncoding(bytes))) {
        const std::string text = Win1251ToUtf8(bytes);
        result = document.load_buffer(text.data(), text.size(), pugi::parse_default,
                                      pugi::encoding_utf8);
    } else {
        result = document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default,
                                      pugi::encoding_auto);
    }
    if (!result)
        throw Exception(std::string("XML: ") + result.description() + " (" +
                        std::to_string(result.offset) + ")");
}

TBlobRecord ReadBlobRecord(const pugi::xml_node& record) {
    TBlobRecord out;
    out.TableName = record.attribute("table_name").value();
    pugi::xml_node last;
    for (pugi::xml_node child : record.children()) {
        if (child.type() != pugi::node_element)
            continue;
        last = child;
        const std::string_view name = child.name();
        if (name == "key_field")
            out.Keys.emplace_back(child.attribute("field").value(), child.text().get());
        else if (name == "field_type" && AsciiUpperCase(child.text().get()) == "CLOB")
            out.Kind = TBlobKind::Character;
    }
    if (last) {
        out.HasLobElement = true;
        out.LobField = last.attribute("field").value();
        out.EntryBase = last.text().get();
    }
    return out;
}

std::string BlobKeyCondition(const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string condition;
    for (const auto& [field, value] : keys)
        condition += field + " = '" + EscapeQuotes(value) + "' and ";
    if (!condition.empty())
        condition.resize(condition.size() - 4);
    return condition;
}

std::string BlobStatement(std::string_view pattern, const TBlobRecord& record) {
    return FormatText(pattern, {record.TableName, record.LobField, BlobKeyCondition(record.Keys)});
}

} // namespace tarvel
