#include "TestArchives.h"

#include "TempDir.h"
#include "core/FileUtils.h"
#include "core/ZipWriter.h"
#include "tarvel-pack/ReleaseBuilder.h"

#include <unistd.h>

namespace tarvel::test {

namespace fs = std::filesystem;

std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& entries) {
    TTempDir dir;
    TZipWriter writer;
    writer.ZipName = dir / "bytes.zip";
    std::vector<TZipSource> sources;
    for (const auto& [name, bytes] : entries)
        sources.push_back(TZipSource::FromData(name, bytes));
    writer.Pack(sources);
    return ReadFileBytes(writer.ZipName);
}

TUpdateFolder::TUpdateFolder()
    : Root(fs::temp_directory_path() / ("tarvel-update-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(reinterpret_cast<std::uintptr_t>(this)))) {
    fs::remove_all(Root);
    fs::create_directories(Root);
}

TUpdateFolder::~TUpdateFolder() {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
}

void TUpdateFolder::CopyFrom(const fs::path& folder) {
    fs::copy(folder, Root, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void TUpdateFolder::Write(const std::string& relativePath, const std::string& bytes) {
    const fs::path file = Root / relativePath;
    fs::create_directories(file.parent_path());
    WriteFileBytes(file, bytes);
}

void TUpdateFolder::Remove(const std::string& relativePath) {
    fs::remove_all(Root / relativePath);
}

void TUpdateFolder::Pack(const fs::path& target, const std::string& packagePassword) const {
    BuildUpdateArchive(Root, packagePassword, target);
}

} // namespace tarvel::test
