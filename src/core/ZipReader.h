#pragma once

#include "core/ZipTypes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace tarvel {

enum class TZipOrder { Stored, SortedByName };

// Reads a ZIP archive from a file or a memory buffer; traditional PKWARE encryption is
// decrypted with `Password`. Folder entries are not listed: the directory holds files only
// (`ExtractAll` still makes them, empty ones included).
//
// Passes (`ExtractAll`, `Test`) report a problem with one entry through its event and go on
// with the next entry; without a handler for that event they raise instead. Single-entry
// extraction raises on every problem (after `OnBadPassword` for a rejected password).
// `OnTotalPercentDone` runs during every operation that reads entry data.
class TZipReader {
public:
    TZipReader();
    ~TZipReader();
    TZipReader(const TZipReader&) = delete;
    TZipReader& operator=(const TZipReader&) = delete;

    // Raw bytes as the archive's tool took them (Windows-1251 for the update archive).
    std::string Password;

    TZipPercentEvent OnTotalPercentDone;
    TZipBadPasswordEvent OnBadPassword;
    TZipSkippingFileEvent OnSkippingFile;
    TZipBadCrcEvent OnBadCRC;
    TZipIncompleteEvent OnInCompleteZip;

    // Reads the directory. A missing or unreadable file raises; an archive that is cut short,
    // multi-part or no ZIP at all is reported to `OnInCompleteZip` and then raises.
    void Open(const std::filesystem::path& zipName, TZipOrder order = TZipOrder::Stored);
    void OpenFromMemory(std::string data, TZipOrder order = TZipOrder::Stored);
    void Close();

    bool IsOpen() const { return Archive != nullptr; }
    const std::filesystem::path& ZipName() const { return Name; }

    // Stored order, or sorted by full name without regard to the case of Latin letters.
    void SetOrder(TZipOrder order);
    std::size_t Count() const { return Entries.size(); }
    const TZipEntry& Entry(std::size_t index) const { return Entries.at(index); }
    const std::vector<TZipEntry>& Directory() const { return Entries; }
    // Position of the entry with this full name ('\' or '/' between folders, any case).
    std::optional<std::size_t> IndexOf(const std::string& fullName) const;

    void Extract(std::size_t index, const TZipSink& sink);
    std::string ExtractToMemory(std::size_t index);
    // Empty when there is no such entry.
    std::string ExtractToMemory(const std::string& fullName);
    // Creates the file, or overwrites it from the start.
    void ExtractToFile(std::size_t index, const std::filesystem::path& target);

    // Every entry into `destDir` under its folder path, creating folders and overwriting
    // files. Entries that would land outside `destDir` (absolute names, "..", links) are
    // skipped with `srUnsafePath`. Returns how many files were written.
    std::size_t ExtractAll(const std::filesystem::path& destDir);

    // Reads every entry and checks it against its stored checksum; true when all pass.
    bool Test();

private:
    enum class TReadResult { Ok, BadPassword, BadCrc, Incomplete };
    struct TReadOutcome {
        TReadResult Result = TReadResult::Ok;
        std::uint32_t Crc = 0;
        std::string Error;
    };
    class TProgress;

    void OpenSource(void* source, TZipOrder order);
    void ReadDirectory();
    void Sort(TZipOrder order);
    TReadOutcome ReadEntry(std::size_t index, const TZipSink& sink, TProgress& progress);
    void RaiseOnProblem(std::size_t index, const TReadOutcome& outcome);
    bool ReportProblem(std::size_t index, const TReadOutcome& outcome);
    bool WriteEntryUnder(std::size_t index, const std::filesystem::path& destDir,
                         TProgress& progress);
    void MakeFolderUnder(const TZipEntry& folder, const std::filesystem::path& destDir);

    zip* Archive = nullptr;
    std::filesystem::path Name;
    std::string Buffer;
    std::vector<TZipEntry> Entries;
    std::vector<TZipEntry> StoredEntries;
    std::vector<TZipEntry> Folders;
};

} // namespace tarvel
