#include "core/IniFile.h"

#include "core/CodePage.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"

#include <charconv>

namespace tarvel {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The first `count` characters of UTF-8 text.
std::string_view LeadingChars(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t chars = 0; pos < text.size() && chars < count; ++chars) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return text.substr(0, pos);
}

// Editors on Linux like to save with a UTF-8 byte order mark; such a file is UTF-8 whatever it
// was meant to be, and read as Windows-1251 its first section would be lost.
std::string ToUtf8(std::string_view text, TIniCodePage codePage) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (text.starts_with(kUtf8Bom))
        return std::string(text.substr(kUtf8Bom.size()));
    return codePage == TIniCodePage::Win1251 ? Win1251ToUtf8(text) : std::string(text);
}

} // namespace

TIniFile::TIniFile(const std::filesystem::path& file, TIniCodePage codePage) : File(file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    Parse(ToUtf8(ReadFileBytes(file), codePage));
}

TIniFile TIniFile::FromText(std::string_view text, TIniCodePage codePage) {
    TIniFile ini;
    ini.Parse(ToUtf8(text, codePage));
    return ini;
}

void TIniFile::Parse(std::string_view text) {
    TSection* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = Trim(text.substr(0, end));
        if (end == std::string_view::npos)
            text = {};
        else
            text.remove_prefix(text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
                                   ? end + 2
                                   : end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            std::string_view name = Trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            Sections.push_back({std::string(name), {}});
            current = &Sections.back();
            continue;
        }
        std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos)
            continue;
        current->Entries.push_back(
            {std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
    }
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const TSection& s : Sections)
        names.push_back(s.Name);
    return names;
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view section) const {
    for (const TSection& s : Sections)
        if (SameText(s.Name, Trim(section)))
            return &s;
    return nullptr;
}

const TIniFile::TEntry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
    const TSection* s = FindSection(section);
    if (s == nullptr)
        return nullptr;
    for (const TEntry& entry : s->Entries)
        if (SameText(entry.Key, Trim(key)))
            return &entry;
    return nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const TEntry* entry = FindEntry(section, key);
    std::string_view value = entry ? Unquote(entry->Value) : defaultValue;
    return std::string(LeadingChars(value, kMaxValueLength));
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    int value = 0;
    return TryStrToInt(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key,
                           double defaultValue) const {
    std::string text = ReadString(section, key, "");
    for (char& c : text)
        if (c == ',')
            c = '.';
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return text.empty() || error != std::errc() || end != text.data() + text.size() ? defaultValue
                                                                                    : value;
}

} // namespace tarvel
