#include "core/ProgramArguments.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvel {

std::vector<std::string> ProgramArguments() {
    std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
    const std::string raw{std::istreambuf_iterator<char>(cmdline), {}};

    std::vector<std::string> result{std::filesystem::read_symlink("/proc/self/exe").string()};
    // Each argument ends with a zero byte; the first one is argv[0], replaced above by the real
    // program path.
    std::size_t start = raw.find('\0');
    while (start != std::string::npos && start + 1 < raw.size()) {
        const std::size_t end = raw.find('\0', start + 1);
        result.push_back(raw.substr(start + 1, end - start - 1));
        start = end;
    }
    return result;
}

} // namespace tarvel
