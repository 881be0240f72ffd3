#include "core/ZipWriter.h"

#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/ZipErrorText.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <zip.h>

namespace tarvel {

namespace {

const std::string kCannotWriteArchive = "Не вдалося записати архів ";
const std::string kNoSuchFile = "Файл не знайдено: ";

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?[") != std::string::npos;
}

bool CanOpen(const std::filesystem::path& file) {
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    close(descriptor);
    return true;
}

// Carries an exception out of libzip's callbacks: the progress handler keeps it, the cancel
// handler then stops the write, and the caller raises it again.
struct TCallbackState {
    const TZipPercentEvent* Event = nullptr;
    std::exception_ptr Failure;
    int Last = -1;

    void Report(int percent) {
        if (Failure || percent == Last || !*Event)
            return;
        Last = percent;
        try {
            (*Event)(percent);
        } catch (...) {
            Failure = std::current_exception();
        }
    }
};

void OnProgress(zip_t*, double progress, void* state) {
    static_cast<TCallbackState*>(state)->Report(static_cast<int>(progress * 100.0));
}

int OnCancel(zip_t*, void* state) {
    return static_cast<TCallbackState*>(state)->Failure ? 1 : 0;
}

class TOpenArchive {
public:
    explicit TOpenArchive(const std::filesystem::path& name) {
        int error = 0;
        Archive = zip_open(name.c_str(), ZIP_CREATE, &error);
        if (Archive == nullptr)
            throw Exception(kCannotWriteArchive + name.string() + ": " + ZipErrorText(error));
    }
    ~TOpenArchive() {
        if (Archive != nullptr)
            zip_discard(Archive);
    }
    TOpenArchive(const TOpenArchive&) = delete;
    TOpenArchive& operator=(const TOpenArchive&) = delete;

    zip_t* Get() const { return Archive; }
    std::string ErrorText() const { return zip_error_strerror(zip_get_error(Archive)); }
    // Whether the archive was written; after a failure it stays open to be discarded.
    bool Close() {
        if (zip_close(Archive) != 0)
            return false;
        Archive = nullptr;
        return true;
    }

private:
    zip_t* Archive = nullptr;
};

// A folder entry with the folder's mode and time; one the archive holds already stays.
void AddFolderEntry(zip_t* archive, std::string name, const std::filesystem::path& folder) {
    if (name.empty() || name.back() != '/')
        name += '/';
    if (zip_name_locate(archive, name.c_str(), 0) >= 0)
        return;
    struct stat info {};
    const zip_int64_t index =
        stat(folder.c_str(), &info) == 0 ? zip_dir_add(archive, name.c_str(), 0) : -1;
    const auto entry = static_cast<zip_uint64_t>(index);
    const auto attributes = static_cast<zip_uint32_t>(S_IFDIR | (info.st_mode & 07777)) << 16;
    if (index < 0 ||
        zip_file_set_external_attributes(archive, entry, 0, ZIP_OPSYS_UNIX, attributes) != 0 ||
        zip_file_set_mtime(archive, entry, info.st_mtime, 0) != 0)
        throw Exception(kCannotWriteArchive + folder.string() + ": " +
                        zip_error_strerror(zip_get_error(archive)));
}

} // namespace

TZipSource TZipSource::FromFile(std::string entryName, std::filesystem::path file) {
    return {std::move(entryName), std::move(file), {}, false};
}

TZipSource TZipSource::FromData(std::string entryName, std::string data) {
    return {std::move(entryName), {}, std::move(data), false};
}

TZipSource TZipSource::FromFolder(std::string entryName, std::filesystem::path folder) {
    return {std::move(entryName), std::move(folder), {}, true};
}

std::size_t TZipWriter::Zip() {
    return Pack(CollectFiles());
}

void TZipWriter::AddFromMemory(const std::string& entryName, std::string_view data) {
    Pack({TZipSource::FromData(entryName, std::string(data))});
}

std::size_t TZipWriter::Pack(const std::vector<TZipSource>& sources) {
    if (sources.empty())
        return 0;
    TOpenArchive archive(ZipName);
    const auto fail = [&](const std::string& text) {
        throw Exception(kCannotWriteArchive + ZipName.string() + ": " + text);
    };
    std::size_t files = 0;
    for (const TZipSource& item : sources) {
        std::string name = item.EntryName;
        std::replace(name.begin(), name.end(), '\\', '/');
        if (item.IsFolder) {
            AddFolderEntry(archive.Get(), name, item.File);
            continue;
        }
        zip_source_t* source =
            item.File.empty()
                ? zip_source_buffer(archive.Get(), item.Data.data(), item.Data.size(), 0)
                : zip_source_file(archive.Get(), item.File.c_str(), 0, -1);
        if (source == nullptr)
            fail(archive.ErrorText());
        const zip_int64_t index =
            zip_file_add(archive.Get(), name.c_str(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(archive.ErrorText());
        }
        const auto entry = static_cast<zip_uint64_t>(index);
        const bool ok =
            zip_set_file_compression(archive.Get(), entry,
                                     PackLevel == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                     static_cast<zip_uint32_t>(std::clamp(PackLevel, 0, 9))) == 0 &&
            (!item.File.empty() ||
             zip_file_set_mtime(archive.Get(), entry, std::time(nullptr), 0) == 0) &&
            (Password.empty() || zip_file_set_encryption(archive.Get(), entry, ZIP_EM_TRAD_PKWARE,
                                                         Password.c_str()) == 0);
        if (!ok)
            fail(archive.ErrorText());
        ++files;
    }
    TCallbackState state;
    state.Event = &OnTotalPercentDone;
    zip_register_progress_callback_with_state(archive.Get(), 0.01, OnProgress, nullptr, &state);
    zip_register_cancel_callback_with_state(archive.Get(), OnCancel, nullptr, &state);
    state.Report(0);
    if (!archive.Close()) {
        if (state.Failure)
            std::rethrow_exception(state.Failure);
        fail(archive.ErrorText());
    }
    state.Report(100);
    if (state.Failure)
        std::rethrow_exception(state.Failure);
    return files;
}

std::vector<TZipSource> TZipWriter::CollectFiles() {
    std::vector<TZipSource> sources;
    std::unordered_set<std::string> seen;
    for (const std::string& item : FilesList)
        AddListItem(item, sources, seen);
    return sources;
}

void TZipWriter::AddListItem(const std::string& item, std::vector<TZipSource>& sources,
                             std::unordered_set<std::string>& seen) {
    const std::filesystem::path path = std::filesystem::absolute(item).lexically_normal();
    std::filesystem::path folder = path;
    std::string mask = "*";
    if (HasWildcard(path.filename().string())) {
        folder = path.parent_path();
        mask = path.filename().string();
    } else if (!std::filesystem::is_directory(path)) {
        if (std::filesystem::exists(path)) {
            AddFile(path, sources, seen);
        } else if (OnNoSuchFile) {
            OnNoSuchFile(item);
        } else {
            throw Exception(kNoSuchFile + item);
        }
        return;
    }
    if (!std::filesystem::is_directory(folder)) {
        if (!OnNoSuchFile)
            throw Exception(kNoSuchFile + item);
        OnNoSuchFile(item);
        return;
    }
    std::vector<std::filesystem::path> files, folders;
    std::error_code error;
    const bool wholeTree = Recurse && StorePaths && mask == "*";
    const auto take = [&](const std::filesystem::directory_entry& entry) {
        if (wholeTree && entry.is_directory(error) && !entry.is_symlink(error))
            folders.push_back(entry.path());
        else if (entry.is_regular_file(error) &&
                 fnmatch(mask.c_str(), entry.path().filename().c_str(), 0) == 0)
            files.push_back(entry.path());
    };
    if (Recurse) {
        for (std::filesystem::recursive_directory_iterator it(folder, error), end;
             !error && it != end; it.increment(error))
            take(*it);
    } else {
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            take(*it);
    }
    if (error) {
        if (!OnSkippingFile)
            throw Exception(CannotOpenFileText(folder) + ": " + error.message());
        OnSkippingFile(TSkipReason::srFileOpenError, folder.string());
    }
    std::sort(folders.begin(), folders.end());
    for (const auto& subfolder : folders)
        if (seen.insert(subfolder.relative_path().generic_string() + "/").second)
            sources.push_back(TZipSource::FromFolder(
                subfolder.relative_path().generic_string() + "/", subfolder));
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        AddFile(file, sources, seen);
}

void TZipWriter::AddFile(const std::filesystem::path& file, std::vector<TZipSource>& sources,
                         std::unordered_set<std::string>& seen) {
    std::string name =
        StorePaths ? file.relative_path().generic_string() : file.filename().string();
    if (seen.count(name) != 0)
        return;
    if ((IsFileHeldOpen && IsFileHeldOpen(file)) || !CanOpen(file)) {
        if (!OnSkippingFile)
            throw Exception(CannotOpenFileText(file));
        OnSkippingFile(TSkipReason::srFileOpenError, file.string());
        return;
    }
    seen.insert(name);
    sources.push_back(TZipSource::FromFile(std::move(name), file));
}

} // namespace tarvel
