#include "engine/ArchivePassword.h"

#include "core/CodePage.h"

namespace tarvel {

std::string DeriveArchivePassword(std::string_view packagePassword) {
    const std::string codes = Utf8ToWin1251(packagePassword);
    std::string result;
    for (std::size_t i = 0; i < codes.size(); i += 2) {
        const auto code = static_cast<unsigned char>(codes[i]);
        const auto up = static_cast<char>(static_cast<unsigned char>(code + 5));
        const auto down = static_cast<char>(static_cast<unsigned char>(code - 5));
        result = up + result + down;
    }
    return result;
}

std::string UpdateArchiveZipPassword(std::string_view packagePassword) {
    return DeriveArchivePassword(packagePassword) + Utf8ToWin1251(packagePassword);
}

} // namespace tarvel
