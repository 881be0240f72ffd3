#pragma once

#include "core/ZipTypes.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tarvel {

// One entry to add: the bytes of `File`, or `Data` when `File` is empty; or a folder entry
// carrying the mode of the folder `File`.
struct TZipSource {
    std::string EntryName; // folders separated by '/' or '\'
    std::filesystem::path File;
    std::string Data;
    bool IsFolder = false;

    static TZipSource FromFile(std::string entryName, std::filesystem::path file);
    static TZipSource FromData(std::string entryName, std::string data);
    static TZipSource FromFolder(std::string entryName, std::filesystem::path folder);
};

// Creates or extends the archive `ZipName`. Each call writes the archive once and completely:
// until it returns, the archive on disk is the one from before, and a call that fails (or is
// cancelled by an exception from `OnTotalPercentDone`) leaves it so. Entries are streamed from
// their files, so memory does not grow with file size; Zip64 is used where sizes need it.
// An entry whose name the archive holds already replaces it.
class TZipWriter {
public:
    std::filesystem::path ZipName;
    int PackLevel = 6; // 0 stores, 1 to 9 deflate
    // Traditional PKWARE encryption of every entry added; only the release builder sets it.
    std::string Password;

    // Paths of files, folders (all their files) and folder masks ("/srv/db/*.dat").
    std::vector<std::string> FilesList;
    // Masks and folders also match in every subfolder; a whole tree ("folder" or "folder/*")
    // also keeps its subfolders as folder entries, so empty ones come back on unpacking.
    bool Recurse = false;
    bool StorePaths = true; // full path without the leading '/', or the file name alone

    // A file that another process holds open is skipped as one that cannot be opened.
    std::function<bool(const std::filesystem::path&)> IsFileHeldOpen;

    TZipPercentEvent OnTotalPercentDone;
    TZipSkippingFileEvent OnSkippingFile;
    TZipNoSuchFileEvent OnNoSuchFile;

    // Adds the files of `FilesList`; returns how many files. A list item naming nothing goes to
    // `OnNoSuchFile`, a file that cannot be opened to `OnSkippingFile`; without a handler
    // either raises.
    std::size_t Zip();

    void AddFromMemory(const std::string& entryName, std::string_view data);

    // Adds the sources in their order; returns how many files (not folders) were written.
    std::size_t Pack(const std::vector<TZipSource>& sources);

private:
    std::vector<TZipSource> CollectFiles();
    void AddListItem(const std::string& item, std::vector<TZipSource>& sources,
                     std::unordered_set<std::string>& seen);
    void AddFile(const std::filesystem::path& file, std::vector<TZipSource>& sources,
                 std::unordered_set<std::string>& seen);
};

} // namespace tarvel
