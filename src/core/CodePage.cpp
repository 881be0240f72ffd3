#include "core/CodePage.h"

#include "core/Exceptions.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <unordered_map>

namespace tarvel {
namespace {

const char* const kUnknownCharset = "Невідоме кодування символів: ";

class TIconv {
public:
    TIconv(const std::string& to, const std::string& from)
        : Handle(iconv_open(to.c_str(), from.c_str())) {
        if (Handle == reinterpret_cast<iconv_t>(-1))
            throw Exception(kUnknownCharset + from + " -> " + to);
    }
    ~TIconv() { iconv_close(Handle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    iconv_t Get() const { return Handle; }

private:
    iconv_t Handle;
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at the start of `text` and its code point;
// 0 when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view text, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(text[0]);
    std::size_t length;
    char32_t min;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The code page as two tables, made once with iconv.
struct TWin1251Tables {
    std::array<char32_t, 256> ToUnicode{};
    std::unordered_map<char32_t, unsigned char> FromUnicode;

    TWin1251Tables() {
        TIconv cd("UTF-8", "WINDOWS-1251");
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            char out[8];
            char* inPtr = &in;
            char* outPtr = out;
            std::size_t inLeft = 1, outLeft = sizeof out;
            iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
            char32_t c = static_cast<char32_t>(b);
            if (iconv(cd.Get(), &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
                DecodeUtf8(std::string_view(out, outPtr - out), c);
            ToUnicode[b] = c;
            FromUnicode.emplace(c, static_cast<unsigned char>(b));
        }
    }
};

const TWin1251Tables& Tables() {
    static const TWin1251Tables tables;
    return tables;
}

} // namespace

std::string Win1251ToUtf8(std::string_view bytes) {
    const auto& table = Tables().ToUnicode;
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes)
        AppendUtf8(out, table[static_cast<unsigned char>(b)]);
    return out;
}

std::string Utf8ToWin1251(std::string_view text) {
    const auto& table = Tables().FromUnicode;
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, c);
        if (length == 0) {
            out += '?';
            text.remove_prefix(1);
            continue;
        }
        auto it = table.find(c);
        out += it == table.end() ? '?' : static_cast<char>(it->second);
        text.remove_prefix(length);
    }
    return out;
}

std::string Utf8ToCharset(std::string_view text, const std::string& charset) {
    TIconv cd(charset, "UTF-8");
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // A character the charset lacks, or a malformed one: one '?' for it, then go on.
        char32_t c = 0;
        std::size_t length = DecodeUtf8(std::string_view(in, inLeft), c);
        out += '?';
        length = length == 0 ? 1 : length;
        in += length;
        inLeft -= length;
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd.Get(), nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    return out;
}

} // namespace tarvel
