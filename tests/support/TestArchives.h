#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvel::test {

// A ZIP archive made in memory from (entry name, bytes) pairs, in that order, unencrypted.
std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& entries);

// An update folder to shape for one test: files under a fresh temporary folder, packed into an
// encrypted update archive the way a release carries it.
class TUpdateFolder {
public:
    TUpdateFolder();
    ~TUpdateFolder();
    TUpdateFolder(const TUpdateFolder&) = delete;
    TUpdateFolder& operator=(const TUpdateFolder&) = delete;

    const std::filesystem::path& Path() const { return Root; }
    // Copies a whole folder's files in (the demo update, for instance).
    void CopyFrom(const std::filesystem::path& folder);
    void Write(const std::string& relativePath, const std::string& bytes);
    void Remove(const std::string& relativePath);

    // Packs the folder into `target`: every entry encrypted with the ZIP password derived from
    // `packagePassword`, the ".ini" descriptor first, the other files in name order.
    void Pack(const std::filesystem::path& target, const std::string& packagePassword) const;

private:
    std::filesystem::path Root;
};

} // namespace tarvel::test
