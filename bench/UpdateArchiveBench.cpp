// Opens an encrypted update archive of 2000 entries and builds its version list, and prints how
// long that takes. Run: update_archive_bench [rounds]
#include "core/FileUtils.h"
#include "core/ZipWriter.h"
#include "engine/ArchivePassword.h"
#include "engine/UpdateArchive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace tarvel;
namespace fs = std::filesystem;

const std::string kPackagePassword = "Q7W2E9R4T1Y6U3I8O5P0A2S7D4F9G1";
constexpr int kEntries = 2000;
constexpr int kSteps = 52;

std::string StepKey(int step) {
    // 1.0.2.0 ... with a run of sub-steps in the middle, as shipped archives have.
    if (step >= 20 && step < 30)
        return "1.0.6.0/Upd1.0.6.0." + std::to_string(step - 20);
    return "1.0." + std::to_string(2 + step / 10) + "." + std::to_string(step % 10);
}

void WriteArchive(const fs::path& archive) {
    std::vector<TZipSource> sources;
    sources.push_back(TZipSource::FromData(
        "Init.ini", "<TYPE>1</TYPE><VERSION><RANGE><BEGIN>1.0.2.0</BEGIN><END>1.0.9.3</END>"
                    "</RANGE></VERSION>"));
    for (int i = 1; i < kEntries; ++i) {
        const std::string folder = "Upd" + StepKey(i % kSteps) + "/";
        sources.push_back(TZipSource::FromData(
            folder + std::to_string(100 + i % 900) + "_script_" + std::to_string(i) + ".sql",
            "begin\n  update t set v = " + std::to_string(i) + ";\nend;\n"));
    }
    TZipWriter writer;
    writer.ZipName = archive;
    writer.Password = UpdateArchiveZipPassword(kPackagePassword);
    writer.Pack(sources);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const fs::path archive = TempFolder() / ("tarvel-bench-" + std::to_string(getpid()) + ".pdt");
    try {
        WriteArchive(archive);
        double best = 1e9, total = 0;
        std::size_t keys = 0;
        for (int round = 0; round < rounds; ++round) {
            const auto start = std::chrono::steady_clock::now();
            TUpdateArchive update;
            update.SetArchiveFile(archive.string());
            update.ArchivePassword = kPackagePassword;
            update.OpenUpdateArchive();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
            total += took.count();
            keys = update.VersionList.size();
        }
        std::printf("open + descriptor + version list, %d entries, %zu version keys: "
                    "best %.2f ms, mean %.2f ms over %d rounds\n",
                    kEntries, keys, best, total / rounds, rounds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fs::remove(archive);
        return 1;
    }
    fs::remove(archive);
    return 0;
}
