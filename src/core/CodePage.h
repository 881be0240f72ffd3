#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Windows-1251 is spoken only at the file and library boundaries; inside, text is UTF-8.

// Never fails: the one byte Windows-1251 leaves undefined (0x98) becomes U+0098, so any byte
// string loads and converts back unchanged.
std::string Win1251ToUtf8(std::string_view bytes);

// Never fails: a character Windows-1251 lacks, and every byte of a malformed UTF-8 sequence,
// becomes '?' (what the Windows converters write by default). U+0098 goes back to 0x98.
std::string Utf8ToWin1251(std::string_view text);

// UTF-8 text in the given iconv charset ("UTF-8", "KOI8-U", ...). Characters the charset
// lacks become '?'. Raises Exception when iconv does not know the charset.
std::string Utf8ToCharset(std::string_view text, const std::string& charset);

} // namespace tarvel
