#pragma once

#include "core/ZipReader.h"
#include "engine/UpdateDescriptor.h"
#include "engine/Versions.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The update archive as the engine sees it: its inputs, the descriptor, the sorted version
// list, and the entries of each version step.
//
// A password the archive rejects is reported once, as a dialog, whenever an entry is read:
// `PasswordAccepted` turns false and the read ends with the silent EAbort.
class TUpdateArchive {
public:
    TUpdateArchive();
    TUpdateArchive(const TUpdateArchive&) = delete;
    TUpdateArchive& operator=(const TUpdateArchive&) = delete;

    // The archive's path; a text that is not blank also names the run report archive
    // (`ReportFile`): the path followed by ".out".
    void SetArchiveFile(const std::string& path);
    const std::string& ArchiveFile() const { return FileArh; }
    std::string ArchivePassword; // the release's PackagePassword, UTF-8
    std::string ReportFile;

    TUpdateDescriptor Descriptor;
    bool PasswordAccepted = true;
    TVersionList VersionList;

    // Opens the archive in stored order, reads the first ".ini" entry into `Descriptor` (left
    // as it was when there is none) and builds `VersionList`. Raises the reader's error for a
    // missing or damaged archive, EConvertError for a TYPE that is not an integer or a version
    // key that is not a version, EAbort after a rejected password.
    void OpenUpdateArchive();

    // Opens the archive again for a run, entries sorted by full name without regard to case;
    // indexes below refer to that order from then on.
    void ReopenForRun();

    // Positions, in the current order, of the entries whose version key is exactly `key`.
    std::vector<std::size_t> EntriesOfVersion(std::string_view key) const;
    const TZipEntry& Entry(std::size_t index) const { return Reader.Entry(index); }
    std::size_t Count() const { return Reader.Count(); }

    std::string ExtractToMemory(std::size_t index);
    // A script's text: the entry up to its first zero byte.
    std::string ExtractText(std::size_t index);
    void ExtractToFile(std::size_t index, const std::filesystem::path& target);

    // The engine's ZIP reader (for progress events and passes of its own).
    TZipReader& ZipReader() { return Reader; }

private:
    void OpenReader(TZipOrder order);
    void BadPassword();

    TZipReader Reader;
    std::string FileArh;
};

// A file name's extension from its last '.', upper-cased (Latin letters): "a.Sql" gives ".SQL".
std::string UpperFileExtension(std::string_view fileName);

} // namespace tarvel
