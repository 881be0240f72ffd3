#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tarvel {

// One file of an archive as the directory presents it.
struct TZipEntry {
    std::string FileName; // without folder
    std::string PathName; // folders joined by backslashes, with a trailing one; empty at the root
    std::uint64_t UncompressedSize = 0;
    std::uint64_t CompressedSize = 0;
    std::uint32_t Crc = 0;
    bool Encrypted = false;
    bool IsLink = false;           // a symbolic link stored by a Unix tool
    std::uint32_t UnixMode = 0;    // permission bits stored by a Unix tool; 0 when none
    std::int64_t ModifiedTime = 0; // seconds since 1970
    std::uint64_t ArchiveIndex = 0;

    std::string FullName() const { return PathName + FileName; }
};

// Why a file was passed over. The numbers are what the reports of the backup rely on.
enum class TSkipReason : int {
    srBadPassword = 0,
    srNoOverwrite = 1,
    srFileOpenError = 2,
    srCreateError = 3,
    srUnsafePath = 4 // the entry would land outside the destination folder
};

// How an archive that cannot be read whole looks.
enum class TIncompleteZipMode : int { izAssumeMulti = 0, izAssumeBad = 1, izAssumeNotAZip = 2 };

// Event handlers. Each may raise; the exception ends the pass in progress and leaves the call.
using TZipPercentEvent = std::function<void(int percent)>;
using TZipBadPasswordEvent = std::function<void(std::size_t index)>;
using TZipSkippingFileEvent = std::function<void(TSkipReason reason, const std::string& name)>;
using TZipNoSuchFileEvent = std::function<void(const std::string& name)>;
using TZipBadCrcEvent =
    std::function<void(std::uint32_t calculated, std::uint32_t stored, std::size_t index)>;
using TZipIncompleteEvent = std::function<void(TIncompleteZipMode mode)>;

// Receives the bytes of an entry, in order, a piece at a time.
using TZipSink = std::function<void(const char* data, std::size_t size)>;

} // namespace tarvel
