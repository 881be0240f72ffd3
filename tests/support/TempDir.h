#pragma once

#include <filesystem>

namespace tarvel::test {

// A fresh private folder under the temporary folder, removed with everything in it on
// destruction.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return Dir; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return Dir / name; }

private:
    std::filesystem::path Dir;
};

} // namespace tarvel::test
