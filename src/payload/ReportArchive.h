#pragma once

#include "core/ZipReader.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvel {

// The values of a row file (`Main.txt`): name=value lines, names without regard to case, the
// first line of a name counts, lines without '=' ignored.
class TRowValues {
public:
    explicit TRowValues(std::string_view utf8Text);
    bool Empty() const { return Lines.empty(); }
    // Empty text for a name without a line.
    std::string Value(std::string_view name) const;

private:
    std::vector<std::string> Lines;
    std::vector<std::pair<std::string, std::string>> Values;
};

// A report archive (".rbz") held in memory. Entries are found by full name without regard to
// case, '\' between folders; text entries are Windows-1251 and come back as UTF-8.
class TReportArchive {
public:
    // Raises the reader's error for a damaged archive.
    explicit TReportArchive(std::string data);

    // Folder paths of all entries, lower-cased, each once, sorted; the root left out.
    std::vector<std::string> FolderList() const;
    // The section names of Info.txt in file order: the forms to load.
    std::vector<std::string> FormList();

    // Raw bytes of an entry; empty when there is none.
    std::string Bytes(const std::string& fullName);
    // An entry's text converted to UTF-8; empty when there is none.
    std::string Text(const std::string& fullName);
    // An entry's text as lines, each followed by "\r\n".
    std::string TextLines(const std::string& fullName);

private:
    TZipReader Reader;
};

// The row folder name that follows `prefix` in `folderPath` (both compared lower-cased): the
// text after the prefix and one further character, up to the next backslash; empty when the
// path does not begin with the prefix or no backslash follows.
std::string ChildFolderName(std::string_view prefix, std::string_view folderPath);

} // namespace tarvel
