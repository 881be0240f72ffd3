#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Resources travel in a bundle appended to an executable or shared library. Layout, all
// numbers little-endian, offsets from the start of the file:
//
//   <the program's own bytes> <blob 1> ... <blob n> <directory> <trailer>
//   directory: n entries of { u16 name length, name bytes (UTF-8), u64 offset, u64 size }
//   trailer (32 bytes): u64 bundle start, u64 directory offset, u32 n, u32 format (1),
//                       8 bytes magic "TRVLRES1"
//
// Names compare without regard to the case of Latin letters.

// Names of the resources a release program carries.
inline constexpr std::string_view kResPatch = "PATCH";
inline constexpr std::string_view kResPatchParams = "PATCHPARAMS";
inline constexpr std::string_view kResPatchVerifier = "PATCHVERIFIER";
inline constexpr std::string_view kResStringTable = "STRINGTABLE";
inline constexpr std::string_view kResVersion = "VERSION";

// One resource to write: its bytes, or the file whose bytes it is.
struct TResourceItem {
    std::string Name;
    std::string Data;
    std::filesystem::path SourceFile; // when not empty, the bytes come from this file

    static TResourceItem FromData(std::string name, std::string data);
    static TResourceItem FromFile(std::string name, std::filesystem::path file);
};

// Writes a bundle of `items` onto `file`, replacing the bundle the file carries already.
// Raises Exception for a name given twice, an empty name, a source that cannot be read, a file
// that cannot be written, or a damaged bundle already on the file.
void WriteResourceBundle(const std::filesystem::path& file,
                         const std::vector<TResourceItem>& items);

// The directory of the bundle a file carries. A file without a bundle has no resources; a
// damaged bundle is reported when a resource is asked for. Reads never go past the file.
class TResourceBundle {
public:
    // Raises Exception naming the file when it cannot be opened.
    explicit TResourceBundle(std::filesystem::path file);

    // The running program's own bundle.
    static TResourceBundle OfProgram();
    // The bundle of the loaded shared object (or program) that holds `address`.
    static TResourceBundle OfModule(const void* address);

    const std::filesystem::path& File() const { return Path; }
    bool Contains(std::string_view name) const;
    std::vector<std::string> Names() const;

    // Size and bytes of a resource. Raise Exception naming the resource when it is missing or
    // the bundle is damaged.
    std::uint64_t Size(std::string_view name) const;
    std::string Read(std::string_view name) const;
    // Creates `target` (or overwrites it from the start) with the resource's bytes. Raises
    // Exception naming the resource, or the target when it cannot be created.
    void SaveToFile(std::string_view name, const std::filesystem::path& target) const;

private:
    struct TEntry {
        std::string Name;
        std::uint64_t Offset = 0;
        std::uint64_t Size = 0;
    };
    const TEntry& Find(std::string_view name) const;

    std::filesystem::path Path;
    std::vector<TEntry> Entries;
    std::string Damage; // why the bundle cannot be read; empty when it can
};

// The program's own resource `name` written to `file` (an existing file is overwritten).
void SaveResourceToFile(std::string_view name, const std::filesystem::path& file);

} // namespace tarvel
