#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The scrambled prefix of the ZIP password for the archive password text (UTF-8), as
// Windows-1251 bytes: for every odd character position, the character's code plus 5, the
// prefix so far, then the code minus 5 (both modulo 256).
std::string DeriveArchivePassword(std::string_view packagePassword);

// The ZIP password of an update archive: the derived prefix followed by the text itself,
// as the Windows-1251 bytes the archive's encryption uses. Built when needed, never stored.
std::string UpdateArchiveZipPassword(std::string_view packagePassword);

} // namespace tarvel
