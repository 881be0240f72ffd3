#include "payload/ReportArchive.h"

#include "core/CodePage.h"
#include "core/IniFile.h"
#include "core/StringUtils.h"

#include <algorithm>

namespace tarvel {

namespace {

const char* const kInfoEntry = "Info.txt";

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

} // namespace

TRowValues::TRowValues(std::string_view utf8Text) : Lines(SplitLines(utf8Text)) {
    for (const std::string& line : Lines) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            Values.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
}

std::string TRowValues::Value(std::string_view name) const {
    for (const auto& [key, value] : Values)
        if (SameText(key, name))
            return value;
    return {};
}

TReportArchive::TReportArchive(std::string data) {
    Reader.OpenFromMemory(std::move(data));
}

std::vector<std::string> TReportArchive::FolderList() const {
    std::vector<std::string> folders;
    for (const TZipEntry& entry : Reader.Directory())
        if (!entry.PathName.empty())
            folders.push_back(AsciiLowerCase(entry.PathName));
    // A folder sorts before its siblings whose names continue its own ("a\" before "a2\").
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                const auto key = [](char c) { return c == '\\' ? '\0' : c; };
                return static_cast<unsigned char>(key(x)) < static_cast<unsigned char>(key(y));
            });
    });
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

std::vector<std::string> TReportArchive::FormList() {
    return TIniFile::FromText(Bytes(kInfoEntry), TIniCodePage::Win1251).ReadSections();
}

std::string TReportArchive::Bytes(const std::string& fullName) {
    return Reader.ExtractToMemory(fullName);
}

std::string TReportArchive::Text(const std::string& fullName) {
    return Win1251ToUtf8(Bytes(fullName));
}

std::string TReportArchive::TextLines(const std::string& fullName) {
    std::string text;
    for (const std::string& line : SplitLines(Text(fullName)))
        text += line + "\r\n";
    return text;
}

std::string ChildFolderName(std::string_view prefix, std::string_view folderPath) {
    const std::string path = AsciiLowerCase(folderPath);
    const std::string start = AsciiLowerCase(prefix);
    if (path.compare(0, start.size(), start) != 0 || path.size() <= start.size())
        return {};
    const std::string rest = path.substr(start.size() + 1);
    const auto backslash = rest.find('\\');
    return backslash == std::string::npos ? std::string() : rest.substr(0, backslash);
}

} // namespace tarvel
