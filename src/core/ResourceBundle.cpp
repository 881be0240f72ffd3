#include "core/ResourceBundle.h"

#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

const char* const kResourceNotFound = "Ресурс \"%s\" не знайдено у файлі \"%s\"";
const char* const kResourceDamaged =
    "Ресурс \"%s\" неможливо прочитати: набір ресурсів файлу \"%s\" пошкоджено (%s)";
const char* const kBundleDamaged = "Набір ресурсів файлу \"%s\" пошкоджено (%s)";
const char* const kResourceTwice = "Ресурс \"%s\" вказано двічі";
const char* const kBadResourceName = "Неприпустима назва ресурсу \"%s\"";
const char* const kModuleNotFound = "Не вдалося визначити файл модуля для читання ресурсів";

constexpr std::array<char, 8> kMagic = {'T', 'R', 'V', 'L', 'R', 'E', 'S', '1'};
constexpr std::uint32_t kFormat = 1;
constexpr std::uint64_t kTrailerSize = 32;
constexpr std::uint64_t kMaxDirectorySize = 16u << 20;
constexpr std::size_t kMaxNameLength = 0xFFFF;
constexpr std::size_t kChunk = 1u << 20;

// Owns a file descriptor.
class TFile {
public:
    TFile(const std::filesystem::path& path, int flags, mode_t mode = 0644)
        : Fd(::open(path.c_str(), flags | O_CLOEXEC, mode)) {}
    ~TFile() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    bool IsOpen() const { return Fd >= 0; }
    int Get() const { return Fd; }

    std::uint64_t Size() const {
        struct stat st;
        return ::fstat(Fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    }
    // Whether all `size` bytes at `offset` were read.
    bool ReadAt(void* buffer, std::size_t size, std::uint64_t offset) const {
        auto* p = static_cast<char*>(buffer);
        while (size > 0) {
            ssize_t n = ::pread(Fd, p, size, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n, size -= static_cast<std::size_t>(n), offset += static_cast<std::uint64_t>(n);
        }
        return true;
    }
    bool Write(const void* buffer, std::size_t size) const {
        const auto* p = static_cast<const char*>(buffer);
        while (size > 0) {
            ssize_t n = ::write(Fd, p, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n, size -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int Fd;
};

void PutU16(std::string& out, std::uint16_t v) {
    for (int i = 0; i < 2; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutU64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Reads little-endian numbers from a byte range; Ok turns false at the first read past its end.
class TReader {
public:
    explicit TReader(std::string_view data) : Data(data) {}
    std::uint64_t Get(int bytes) {
        if (!Ok || Data.size() < static_cast<std::size_t>(bytes)) {
            Ok = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(Data[i])) << (8 * i);
        Data.remove_prefix(bytes);
        return v;
    }
    std::string GetBytes(std::size_t n) {
        if (!Ok || Data.size() < n) {
            Ok = false;
            return {};
        }
        std::string s(Data.substr(0, n));
        Data.remove_prefix(n);
        return s;
    }
    bool AtEnd() const { return Data.empty(); }
    bool Ok = true;

private:
    std::string_view Data;
};

struct TTrailer {
    std::uint64_t BundleStart = 0;
    std::uint64_t DirectoryOffset = 0;
    std::uint32_t Count = 0;
    std::uint32_t Format = 0;
};

// Reads the trailer: false when the file carries no bundle at all.
bool ReadTrailer(const TFile& file, std::uint64_t fileSize, TTrailer& trailer) {
    if (fileSize < kTrailerSize)
        return false;
    char raw[kTrailerSize];
    if (!file.ReadAt(raw, sizeof raw, fileSize - kTrailerSize))
        return false;
    if (std::memcmp(raw + 24, kMagic.data(), kMagic.size()) != 0)
        return false;
    TReader reader(std::string_view(raw, 24));
    trailer.BundleStart = reader.Get(8);
    trailer.DirectoryOffset = reader.Get(8);
    trailer.Count = static_cast<std::uint32_t>(reader.Get(4));
    trailer.Format = static_cast<std::uint32_t>(reader.Get(4));
    return true;
}

// Why the trailer cannot describe a bundle of this file; empty when it can.
std::string TrailerDamage(const TTrailer& trailer, std::uint64_t fileSize) {
    if (trailer.Format != kFormat)
        return "невідомий формат " + std::to_string(trailer.Format);
    const std::uint64_t directoryEnd = fileSize - kTrailerSize;
    if (trailer.BundleStart > trailer.DirectoryOffset || trailer.DirectoryOffset > directoryEnd)
        return "зміщення каталогу поза файлом";
    if (directoryEnd - trailer.DirectoryOffset > kMaxDirectorySize)
        return "завеликий каталог";
    return {};
}

void CheckName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength)
        throw Exception(FormatText(kBadResourceName, {name}));
}

} // namespace

TResourceItem TResourceItem::FromData(std::string name, std::string data) {
    return TResourceItem{std::move(name), std::move(data), {}};
}

TResourceItem TResourceItem::FromFile(std::string name, std::filesystem::path file) {
    return TResourceItem{std::move(name), {}, std::move(file)};
}

void WriteResourceBundle(const std::filesystem::path& path,
                         const std::vector<TResourceItem>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        CheckName(items[i].Name);
        for (std::size_t j = 0; j < i; ++j)
            if (SameText(items[i].Name, items[j].Name))
                throw Exception(FormatText(kResourceTwice, {items[i].Name}));
    }
    TFile file(path, O_RDWR);
    if (!file.IsOpen())
        throw Exception(CannotOpenFileText(path) + ": " + std::strerror(errno));
    std::uint64_t start = file.Size();
    TTrailer old;
    if (ReadTrailer(file, start, old)) {
        if (std::string damage = TrailerDamage(old, start); !damage.empty())
            throw Exception(FormatText(kBundleDamaged, {path.string(), damage}));
        start = old.BundleStart;
    }
    if (::ftruncate(file.Get(), static_cast<off_t>(start)) != 0 ||
        ::lseek(file.Get(), static_cast<off_t>(start), SEEK_SET) < 0)
        throw Exception(CannotCreateFileText(path) + ": " + std::strerror(errno));

    std::string directory;
    std::uint64_t offset = start;
    std::string chunk;
    for (const TResourceItem& item : items) {
        std::uint64_t size = 0;
        if (item.SourceFile.empty()) {
            if (!file.Write(item.Data.data(), item.Data.size()))
                throw Exception(CannotCreateFileText(path) + ": " + std::strerror(errno));
            size = item.Data.size();
        } else {
            TFile source(item.SourceFile, O_RDONLY);
            if (!source.IsOpen())
                throw Exception(CannotOpenFileText(item.SourceFile) + ": " + std::strerror(errno));
            chunk.resize(kChunk);
            for (;;) {
                ssize_t n = ::read(source.Get(), chunk.data(), chunk.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    throw Exception(CannotOpenFileText(item.SourceFile) + ": " +
                                    std::strerror(errno));
                if (n == 0)
                    break;
                if (!file.Write(chunk.data(), static_cast<std::size_t>(n)))
                    throw Exception(CannotCreateFileText(path) + ": " + std::strerror(errno));
                size += static_cast<std::uint64_t>(n);
            }
        }
        PutU16(directory, static_cast<std::uint16_t>(item.Name.size()));
        directory += item.Name;
        PutU64(directory, offset);
        PutU64(directory, size);
        offset += size;
    }
    std::string trailer;
    PutU64(trailer, start);
    PutU64(trailer, offset);
    PutU32(trailer, static_cast<std::uint32_t>(items.size()));
    PutU32(trailer, kFormat);
    trailer.append(kMagic.data(), kMagic.size());
    if (!file.Write(directory.data(), directory.size()) ||
        !file.Write(trailer.data(), trailer.size()) || ::fsync(file.Get()) != 0)
        throw Exception(CannotCreateFileText(path) + ": " + std::strerror(errno));
}

TResourceBundle::TResourceBundle(std::filesystem::path file) : Path(std::move(file)) {
    TFile in(Path, O_RDONLY);
    if (!in.IsOpen())
        throw Exception(CannotOpenFileText(Path) + ": " + std::strerror(errno));
    const std::uint64_t fileSize = in.Size();
    TTrailer trailer;
    if (!ReadTrailer(in, fileSize, trailer))
        return;
    Damage = TrailerDamage(trailer, fileSize);
    if (!Damage.empty())
        return;
    std::string raw(fileSize - kTrailerSize - trailer.DirectoryOffset, '\0');
    if (!in.ReadAt(raw.data(), raw.size(), trailer.DirectoryOffset)) {
        Damage = "каталог не прочитано";
        return;
    }
    TReader reader(raw);
    for (std::uint32_t i = 0; i < trailer.Count && reader.Ok; ++i) {
        TEntry entry;
        entry.Name = reader.GetBytes(static_cast<std::size_t>(reader.Get(2)));
        entry.Offset = reader.Get(8);
        entry.Size = reader.Get(8);
        if (reader.Ok &&
            (entry.Offset < trailer.BundleStart || entry.Offset > trailer.DirectoryOffset ||
             entry.Size > trailer.DirectoryOffset - entry.Offset)) {
            Damage = "ресурс \"" + entry.Name + "\" поза набором";
            Entries.clear();
            return;
        }
        Entries.push_back(std::move(entry));
    }
    if (!reader.Ok || !reader.AtEnd()) {
        Damage = "каталог не відповідає кількості ресурсів";
        Entries.clear();
    }
}

TResourceBundle TResourceBundle::OfProgram() {
    // The real name reads better in messages; the link still serves when the file has gone.
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !std::filesystem::is_regular_file(file, error))
        file = "/proc/self/exe";
    return TResourceBundle(file);
}

TResourceBundle TResourceBundle::OfModule(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0')
        throw Exception(kModuleNotFound);
    return TResourceBundle(info.dli_fname);
}

bool TResourceBundle::Contains(std::string_view name) const {
    for (const TEntry& entry : Entries)
        if (SameText(entry.Name, name))
            return true;
    return false;
}

std::vector<std::string> TResourceBundle::Names() const {
    std::vector<std::string> names;
    for (const TEntry& entry : Entries)
        names.push_back(entry.Name);
    return names;
}

const TResourceBundle::TEntry& TResourceBundle::Find(std::string_view name) const {
    if (!Damage.empty())
        throw Exception(FormatText(kResourceDamaged, {name, Path.string(), Damage}));
    for (const TEntry& entry : Entries)
        if (SameText(entry.Name, name))
            return entry;
    throw Exception(FormatText(kResourceNotFound, {name, Path.string()}));
}

std::uint64_t TResourceBundle::Size(std::string_view name) const {
    return Find(name).Size;
}

std::string TResourceBundle::Read(std::string_view name) const {
    const TEntry& entry = Find(name);
    TFile in(Path, O_RDONLY);
    if (!in.IsOpen())
        throw Exception(CannotOpenFileText(Path) + ": " + std::strerror(errno));
    std::string data(entry.Size, '\0');
    if (!in.ReadAt(data.data(), data.size(), entry.Offset))
        throw Exception(FormatText(kResourceDamaged, {name, Path.string(), "файл скорочено"}));
    return data;
}

void TResourceBundle::SaveToFile(std::string_view name, const std::filesystem::path& target) const {
    const TEntry& entry = Find(name);
    TFile in(Path, O_RDONLY);
    if (!in.IsOpen())
        throw Exception(CannotOpenFileText(Path) + ": " + std::strerror(errno));
    TFile out(target, O_WRONLY | O_CREAT | O_TRUNC);
    if (!out.IsOpen())
        throw Exception(CannotCreateFileText(target) + ": " + std::strerror(errno));
    std::string chunk;
    for (std::uint64_t done = 0; done < entry.Size;) {
        chunk.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, entry.Size - done)));
        if (!in.ReadAt(chunk.data(), chunk.size(), entry.Offset + done))
            throw Exception(FormatText(kResourceDamaged, {name, Path.string(), "файл скорочено"}));
        if (!out.Write(chunk.data(), chunk.size()))
            throw Exception(CannotCreateFileText(target) + ": " + std::strerror(errno));
        done += chunk.size();
    }
}

void SaveResourceToFile(std::string_view name, const std::filesystem::path& file) {
    TResourceBundle::OfProgram().SaveToFile(name, file);
}

} // namespace tarvel
