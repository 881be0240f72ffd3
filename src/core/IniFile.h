#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

enum class TIniCodePage { Win1251, Utf8 };

// Reads an INI file by the rules of the Windows private-profile functions: section and key
// names without regard to case, the first section and the first key of a name count, blanks
// around names and values dropped, one enclosing pair of matching quotes removed, text values
// cut at 2047 characters. Lines starting with ';' are comments. Values come back as UTF-8; a
// file that starts with a UTF-8 byte order mark is read as UTF-8 whatever the code page.
class TIniFile {
public:
    // A missing file reads as an empty one; a file that exists but cannot be read raises
    // Exception naming it.
    explicit TIniFile(const std::filesystem::path& file,
                      TIniCodePage codePage = TIniCodePage::Win1251);
    static TIniFile FromText(std::string_view text, TIniCodePage codePage);

    const std::filesystem::path& FileName() const { return File; }

    bool SectionExists(std::string_view section) const;
    // The names of all sections in file order.
    std::vector<std::string> ReadSections() const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal, or hexadecimal after "0x"; anything else (and a missing key) gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Read as an integer: non-zero is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // A decimal number with '.' or ',' before the fraction; anything else gives the default.
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

    static constexpr std::size_t kMaxValueLength = 2047;

private:
    struct TEntry {
        std::string Key;
        std::string Value;
    };
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
    };
    TIniFile() = default;
    void Parse(std::string_view utf8);
    const TSection* FindSection(std::string_view section) const;
    const TEntry* FindEntry(std::string_view section, std::string_view key) const;

    std::filesystem::path File;
    std::vector<TSection> Sections;
};

} // namespace tarvel
