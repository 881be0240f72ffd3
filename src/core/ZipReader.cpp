#include "core/ZipReader.h"

#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"
#include "core/ZipErrorText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

namespace tarvel {

namespace {

const std::string kCannotOpenArchive = "Не вдалося відкрити архів ";
const std::string kDamagedArchive = "Архів пошкоджено: ";
const std::string kWrongPassword = "Невірний пароль до файлу архіву ";
const std::string kBadCrc = "Не співпадає контрольна сума файлу архіву ";
const std::string kUnsafePath = "Файл архіву виходить за межі папки розпакування: ";

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kMaxReserve = 64 * 1024 * 1024;

std::string Backslashed(std::string name) {
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

std::optional<TIncompleteZipMode> IncompleteModeOf(int zipError) {
    switch (zipError) {
    case ZIP_ER_MULTIDISK:
        return TIncompleteZipMode::izAssumeMulti;
    case ZIP_ER_NOZIP:
        return TIncompleteZipMode::izAssumeNotAZip;
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return TIncompleteZipMode::izAssumeBad;
    default:
        return std::nullopt;
    }
}

bool IsUnsafeName(const TZipEntry& entry) {
    const std::string name = entry.FullName();
    if (entry.IsLink || name.empty() || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('\\', start), name.size());
        if (name.compare(start, end - start, "..") == 0 && end - start == 2)
            return true;
        start = end + 1;
    }
    return false;
}

mode_t CreationMode() {
    static const mode_t mask = [] {
        const mode_t m = umask(0);
        umask(m);
        return m;
    }();
    return 0666 & ~mask;
}

// Folders made while unpacking belong to the owner of the folder they are made in, so a
// restore run as root gives the server back files it can open.
void AdoptOwnerOfParent(const std::filesystem::path& path) {
    struct stat parent {};
    if (geteuid() == 0 && stat(path.parent_path().c_str(), &parent) == 0) {
        // A folder that cannot take an owner (vfat) still holds the file; nothing is lost.
        [[maybe_unused]] const int ignored = chown(path.c_str(), parent.st_uid, parent.st_gid);
    }
}

void EnsureFolder(const std::filesystem::path& folder) {
    if (folder.empty() || std::filesystem::is_directory(folder))
        return;
    EnsureFolder(folder.parent_path());
    std::error_code error;
    if (!std::filesystem::create_directory(folder, error) && error)
        throw Exception(CannotCreateFileText(folder));
    AdoptOwnerOfParent(folder);
}

class TFileCloser {
public:
    explicit TFileCloser(zip_file_t* file) : File(file) {}
    ~TFileCloser() { zip_fclose(File); }
    TFileCloser(const TFileCloser&) = delete;
    TFileCloser& operator=(const TFileCloser&) = delete;

private:
    zip_file_t* File;
};

} // namespace

class TZipReader::TProgress {
public:
    TProgress(const TZipPercentEvent& event, std::uint64_t total) : Event(event), Total(total) {
        Report(0);
    }
    void Advance(std::uint64_t bytes) {
        Done += bytes;
        const int percent =
            Total == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(100, Done * 100 / Total));
        if (percent != Last)
            Report(percent);
    }
    void Finish() {
        if (Last != 100)
            Report(100);
    }

private:
    void Report(int percent) {
        Last = percent;
        if (Event)
            Event(percent);
    }
    const TZipPercentEvent& Event;
    std::uint64_t Total;
    std::uint64_t Done = 0;
    int Last = -1;
};

TZipReader::TZipReader() = default;

TZipReader::~TZipReader() {
    Close();
}

void TZipReader::Close() {
    if (Archive != nullptr)
        zip_discard(Archive);
    Archive = nullptr;
    Name.clear();
    Buffer.clear();
    Entries.clear();
    StoredEntries.clear();
    Folders.clear();
}

void TZipReader::Open(const std::filesystem::path& zipName, TZipOrder order) {
    Close();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_file_create(zipName.c_str(), 0, -1, &error);
    if (source == nullptr) {
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw Exception(kCannotOpenArchive + zipName.string() + ": " + text);
    }
    zip_error_fini(&error);
    Name = zipName;
    OpenSource(source, order);
}

void TZipReader::OpenFromMemory(std::string data, TZipOrder order) {
    Close();
    Buffer = std::move(data);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(Buffer.data(), Buffer.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr)
        throw Exception(kCannotOpenArchive + ZipErrorText(ZIP_ER_MEMORY));
    OpenSource(source, order);
}

void TZipReader::OpenSource(void* sourceHandle, TZipOrder order) {
    auto* source = static_cast<zip_source_t*>(sourceHandle);
    zip_error_t error;
    zip_error_init(&error);
    Archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (Archive == nullptr) {
        const int code = zip_error_code_zip(&error);
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        zip_source_free(source);
        const std::string name = Name.string();
        Close();
        if (const auto mode = IncompleteModeOf(code); mode && OnInCompleteZip)
            OnInCompleteZip(*mode);
        throw Exception(kCannotOpenArchive + name + ": " + text);
    }
    zip_error_fini(&error);
    ReadDirectory();
    Sort(order);
}

void TZipReader::ReadDirectory() {
    const zip_int64_t count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(Archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0)
            throw Exception(kDamagedArchive + Name.string() + ": " +
                            zip_error_strerror(zip_get_error(Archive)));
        const std::string name = Backslashed(stat.name);
        if (name.empty())
            continue;
        TZipEntry entry;
        const std::size_t slash = name.rfind('\\');
        entry.PathName = slash == std::string::npos ? "" : name.substr(0, slash + 1);
        entry.FileName = slash == std::string::npos ? name : name.substr(slash + 1);
        entry.UncompressedSize = stat.size;
        entry.CompressedSize = stat.comp_size;
        entry.Crc = stat.crc;
        entry.Encrypted = stat.encryption_method != ZIP_EM_NONE;
        entry.ArchiveIndex = static_cast<zip_uint64_t>(i);
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(Archive, entry.ArchiveIndex, 0, &system,
                                             &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const std::uint32_t mode = attributes >> 16;
            entry.IsLink = (mode & S_IFMT) == S_IFLNK;
            entry.UnixMode = mode & 0777;
        }
        entry.ModifiedTime = stat.mtime;
        if (entry.FileName.empty())
            Folders.push_back(std::move(entry));
        else
            StoredEntries.push_back(std::move(entry));
    }
}

void TZipReader::SetOrder(TZipOrder order) {
    Sort(order);
}

void TZipReader::Sort(TZipOrder order) {
    Entries = StoredEntries;
    if (order == TZipOrder::SortedByName)
        std::stable_sort(Entries.begin(), Entries.end(),
                         [](const TZipEntry& a, const TZipEntry& b) {
                             return AsciiUpperCase(a.FullName()) < AsciiUpperCase(b.FullName());
                         });
}

std::optional<std::size_t> TZipReader::IndexOf(const std::string& fullName) const {
    const std::string wanted = AsciiUpperCase(Backslashed(fullName));
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (AsciiUpperCase(Entries[i].FullName()) == wanted)
            return i;
    return std::nullopt;
}

TZipReader::TReadOutcome TZipReader::ReadEntry(std::size_t index, const TZipSink& sink,
                                               TProgress& progress) {
    const TZipEntry& entry = Entries.at(index);
    zip_file_t* file = entry.Encrypted ? zip_fopen_index_encrypted(Archive, entry.ArchiveIndex, 0,
                                                                   Password.c_str())
                                       : zip_fopen_index(Archive, entry.ArchiveIndex, 0);
    if (file == nullptr) {
        zip_error_t* error = zip_get_error(Archive);
        const int code = zip_error_code_zip(error);
        TReadOutcome outcome{TReadResult::Incomplete, 0, zip_error_strerror(error)};
        zip_error_clear(Archive);
        if (code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD)
            outcome.Result = TReadResult::BadPassword;
        return outcome;
    }
    TFileCloser closer(file);
    uLong crc = crc32(0, nullptr, 0);
    std::vector<char> chunk(kChunk);
    for (;;) {
        const zip_int64_t got = zip_fread(file, chunk.data(), chunk.size());
        if (got < 0) {
            zip_error_t* error = zip_file_get_error(file);
            const int code = zip_error_code_zip(error);
            TReadOutcome outcome{TReadResult::BadCrc, static_cast<std::uint32_t>(crc),
                                 zip_error_strerror(error)};
            // The password check byte lets one wrong password in 256 through; what follows
            // is garbage that will not inflate.
            if (code == ZIP_ER_COMPRESSED_DATA && entry.Encrypted)
                outcome.Result = TReadResult::BadPassword;
            else if (code == ZIP_ER_EOF || code == ZIP_ER_READ || code == ZIP_ER_INCONS)
                outcome.Result = TReadResult::Incomplete;
            return outcome;
        }
        if (got == 0)
            break;
        const auto size = static_cast<std::size_t>(got);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(size));
        if (sink)
            sink(chunk.data(), size);
        progress.Advance(size);
    }
    return {TReadResult::Ok, static_cast<std::uint32_t>(crc), {}};
}

void TZipReader::RaiseOnProblem(std::size_t index, const TReadOutcome& outcome) {
    const std::string name = Entries.at(index).FullName();
    switch (outcome.Result) {
    case TReadResult::Ok:
        return;
    case TReadResult::BadPassword:
        if (OnBadPassword)
            OnBadPassword(index);
        throw Exception(kWrongPassword + name);
    case TReadResult::BadCrc:
        throw Exception(kBadCrc + name);
    case TReadResult::Incomplete:
        throw Exception(kDamagedArchive + name + ": " + outcome.Error);
    }
}

bool TZipReader::ReportProblem(std::size_t index, const TReadOutcome& outcome) {
    switch (outcome.Result) {
    case TReadResult::Ok:
        return true;
    case TReadResult::BadPassword:
        if (!OnBadPassword)
            break;
        OnBadPassword(index);
        return false;
    case TReadResult::BadCrc:
        if (!OnBadCRC)
            break;
        OnBadCRC(outcome.Crc, Entries.at(index).Crc, index);
        return false;
    case TReadResult::Incomplete:
        if (!OnInCompleteZip)
            break;
        OnInCompleteZip(TIncompleteZipMode::izAssumeBad);
        return false;
    }
    RaiseOnProblem(index, outcome);
    return false;
}

void TZipReader::Extract(std::size_t index, const TZipSink& sink) {
    TProgress progress(OnTotalPercentDone, Entries.at(index).UncompressedSize);
    RaiseOnProblem(index, ReadEntry(index, sink, progress));
    progress.Finish();
}

std::string TZipReader::ExtractToMemory(std::size_t index) {
    std::string data;
    // The stored size is only a claim until the data is read; it does not get to size memory.
    data.reserve(std::min<std::uint64_t>(Entries.at(index).UncompressedSize, kMaxReserve));
    Extract(index, [&data](const char* bytes, std::size_t size) { data.append(bytes, size); });
    return data;
}

std::string TZipReader::ExtractToMemory(const std::string& fullName) {
    const auto index = IndexOf(fullName);
    return index ? ExtractToMemory(*index) : std::string();
}

namespace {

// A file written beside its target and put in place only once complete, so a failed entry
// never replaces a good file.
class TPendingFile {
public:
    explicit TPendingFile(std::filesystem::path target) : Target(std::move(target)) {
        std::string pattern = (Target.parent_path() / ".tarvel-unzip-XXXXXX").string();
        Descriptor = mkstemp(pattern.data());
        if (Descriptor < 0)
            throw Exception(CannotCreateFileText(Target) + ": " + std::strerror(errno));
        Temporary = pattern;
    }
    ~TPendingFile() {
        if (Descriptor >= 0)
            close(Descriptor);
        if (!Temporary.empty())
            unlink(Temporary.c_str());
    }
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    void Write(const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t written = write(Descriptor, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                throw Exception(CannotCreateFileText(Target) + ": " + std::strerror(errno));
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }

    // Keeps the mode and owner of the file it replaces; a new file takes the stored mode and
    // the owner of its folder.
    void Commit(std::uint32_t storedMode, std::int64_t modifiedTime) {
        struct stat old {};
        const bool replacing = lstat(Target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
        const mode_t mode =
            replacing ? (old.st_mode & 07777) : (storedMode != 0 ? storedMode : CreationMode());
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(modifiedTime), 0}};
        bool ok = fchmod(Descriptor, mode) == 0 &&
                  (modifiedTime == 0 || futimens(Descriptor, times) == 0);
        if (replacing && geteuid() == 0)
            ok = fchown(Descriptor, old.st_uid, old.st_gid) == 0 && ok;
        ok = close(Descriptor) == 0 && ok;
        Descriptor = -1;
        if (!ok || rename(Temporary.c_str(), Target.c_str()) != 0)
            throw Exception(CannotCreateFileText(Target) + ": " + std::strerror(errno));
        Temporary.clear();
        if (!replacing)
            AdoptOwnerOfParent(Target);
    }

private:
    std::filesystem::path Target;
    std::string Temporary;
    int Descriptor = -1;
};

} // namespace

void TZipReader::ExtractToFile(std::size_t index, const std::filesystem::path& target) {
    TPendingFile file(target);
    Extract(index, [&file](const char* data, std::size_t size) { file.Write(data, size); });
    file.Commit(0, 0);
}

bool TZipReader::WriteEntryUnder(std::size_t index, const std::filesystem::path& destDir,
                                 TProgress& progress) {
    const TZipEntry& entry = Entries.at(index);
    if (IsUnsafeName(entry)) {
        if (!OnSkippingFile)
            throw Exception(kUnsafePath + entry.FullName());
        OnSkippingFile(TSkipReason::srUnsafePath, entry.FullName());
        progress.Advance(entry.UncompressedSize);
        return false;
    }
    std::string relative = entry.FullName();
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path target = destDir / relative;
    std::optional<TPendingFile> file;
    try {
        EnsureFolder(target.parent_path());
        file.emplace(target);
    } catch (const Exception&) {
        if (!OnSkippingFile)
            throw;
        OnSkippingFile(TSkipReason::srCreateError, entry.FullName());
        progress.Advance(entry.UncompressedSize);
        return false;
    }
    const TReadOutcome outcome = ReadEntry(
        index, [&file](const char* data, std::size_t size) { file->Write(data, size); }, progress);
    if (!ReportProblem(index, outcome))
        return false;
    file->Commit(entry.UnixMode, entry.ModifiedTime);
    return true;
}

void TZipReader::MakeFolderUnder(const TZipEntry& folder, const std::filesystem::path& destDir) {
    if (IsUnsafeName(folder)) {
        if (!OnSkippingFile)
            throw Exception(kUnsafePath + folder.FullName());
        OnSkippingFile(TSkipReason::srUnsafePath, folder.FullName());
        return;
    }
    std::string relative = folder.FullName();
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path target = destDir / relative;
    if (std::filesystem::is_directory(target))
        return;
    try {
        EnsureFolder(target);
        if (folder.UnixMode != 0 && chmod(target.c_str(), folder.UnixMode) != 0)
            throw Exception(CannotCreateFileText(target) + ": " + std::strerror(errno));
    } catch (const Exception&) {
        if (!OnSkippingFile)
            throw;
        OnSkippingFile(TSkipReason::srCreateError, folder.FullName());
    }
}

std::size_t TZipReader::ExtractAll(const std::filesystem::path& destDir) {
    std::uint64_t total = 0;
    for (const TZipEntry& entry : Entries)
        total += entry.UncompressedSize;
    TProgress progress(OnTotalPercentDone, total);
    EnsureFolder(destDir);
    for (const TZipEntry& folder : Folders)
        MakeFolderUnder(folder, destDir);
    std::size_t written = 0;
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (WriteEntryUnder(i, destDir, progress))
            ++written;
    progress.Finish();
    return written;
}

bool TZipReader::Test() {
    std::uint64_t total = 0;
    for (const TZipEntry& entry : Entries)
        total += entry.UncompressedSize;
    TProgress progress(OnTotalPercentDone, total);
    bool allPassed = true;
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (!ReportProblem(i, ReadEntry(i, nullptr, progress)))
            allPassed = false;
    progress.Finish();
    return allPassed;
}

} // namespace tarvel
