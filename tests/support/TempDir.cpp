#include "TempDir.h"

#include "core/FileUtils.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace tarvel::test {

TTempDir::TTempDir() {
    std::string pattern = (TempFolder() / "tarvel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    Dir = pattern;
}

TTempDir::~TTempDir() {
    std::error_code error;
    std::filesystem::remove_all(Dir, error);
}

} // namespace tarvel::test
