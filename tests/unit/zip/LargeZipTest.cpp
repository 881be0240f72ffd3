#include "TempDir.h"
#include "core/FileUtils.h"
#include "core/ZipReader.h"
#include "core/ZipWriter.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kFileSize = (std::uint64_t{4} << 30) + 12345; // just past 4 GiB
constexpr long kPeakLimitKiB = 64 * 1024;

void WriteAt(const fs::path& file, std::uint64_t offset, const std::string& text) {
    const int descriptor = open(file.c_str(), O_WRONLY);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(pwrite(descriptor, text.data(), text.size(), static_cast<off_t>(offset)),
              static_cast<ssize_t>(text.size()));
    close(descriptor);
}

// Packs and tests in a child process so that its peak resident memory is the work's alone.
int PackAndTestInChild(const fs::path& file, const fs::path& archive, long& peakKiB) {
    const pid_t child = fork();
    if (child == 0) {
        int code = 3;
        try {
            TZipWriter writer;
            writer.ZipName = archive;
            writer.StorePaths = false;
            writer.FilesList = {file.string()};
            TZipReader reader;
            if (writer.Zip() == 1) {
                reader.Open(archive);
                code = reader.Count() == 1 && reader.Entry(0).UncompressedSize == kFileSize &&
                               reader.Test()
                           ? 0
                           : 1;
            }
        } catch (...) {
            code = 2;
        }
        _exit(code);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    peakKiB = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LargeZip, SparseFileOver4GiBPacksAndTestsInLittleMemory) {
    test::TTempDir dir;
    const fs::path file = dir / "huge.dat";
    const fs::path archive = dir / "huge.zip";
    WriteFileBytes(file, "head");
    fs::resize_file(file, kFileSize);
    WriteAt(file, kFileSize / 2, "middle");
    WriteAt(file, kFileSize - 4, "tail");

    long peakKiB = 0;
    EXPECT_EQ(PackAndTestInChild(file, archive, peakKiB), 0);
    RecordProperty("peak_rss_kib", static_cast<int>(peakKiB));
    std::printf("peak resident memory while packing and testing: %ld KiB\n", peakKiB);
    EXPECT_LT(peakKiB, kPeakLimitKiB);
    EXPECT_EQ(std::system(("unzip -tq '" + archive.string() + "' >/dev/null").c_str()), 0);
}

} // namespace
} // namespace tarvel
