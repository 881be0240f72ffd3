#include "core/StringUtils.h"

#include "core/CodePage.h"
#include "core/Exceptions.h"

#include <charconv>
#include <cstdint>
#include <langinfo.h>
#include <locale.h>

namespace tarvel {
namespace {

const char* const kNotAnInteger = "\"%s\" не є правильним цілим числом";
const char* const kPlaceholderListsDiffer =
    "Розробнику, списки назв і значень для підстановки мають різну довжину";

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Case mapping of the letters of the Windows-1251 alphabet, on code points.
char32_t LetterUpper(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - U'a' + U'A';
    if (c >= 0x0430 && c <= 0x044F)
        return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F)
        return c - 0x50;
    if (c == 0x0491)
        return 0x0490;
    return c;
}

char32_t LetterLower(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c >= 0x0410 && c <= 0x042F)
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 0x50;
    if (c == 0x0490)
        return 0x0491;
    return c;
}

// Every letter whose case the mapping changes is a two-byte UTF-8 sequence or ASCII, so the
// mapping works on those and copies anything else.
template <typename Map> void AppendMapped(std::string& out, std::string_view& text, Map map) {
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80) {
        out += static_cast<char>(map(b0));
        text.remove_prefix(1);
        return;
    }
    if ((b0 & 0xE0) == 0xC0 && text.size() >= 2 &&
        (static_cast<unsigned char>(text[1]) & 0xC0) == 0x80) {
        char32_t c = ((b0 & 0x1F) << 6) | (static_cast<unsigned char>(text[1]) & 0x3F);
        c = map(c);
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
        text.remove_prefix(2);
        return;
    }
    out += text[0];
    text.remove_prefix(1);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty())
        return;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

} // namespace

std::string AsciiUpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiUpper(c);
    return result;
}

std::string AsciiLowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

std::string RepeatStr(std::string_view text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

std::string Capitalize(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    if (!text.empty())
        AppendMapped(result, text, LetterUpper);
    while (!text.empty())
        AppendMapped(result, text, LetterLower);
    return result;
}

std::string TerminalCharset() {
    std::string charset = "UTF-8";
    if (locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0))) {
        charset = nl_langinfo_l(CODESET, locale);
        freelocale(locale);
    }
    return charset == "ANSI_X3.4-1968" || charset.empty() ? "UTF-8" : charset;
}

std::string ToConsoleText(std::string_view text, const std::string& charset) {
    std::string result(text);
    ReplaceAll(result, "І", "I");
    ReplaceAll(result, "і", "i");
    return Utf8ToCharset(result, charset);
}

std::string ReplacePlaceholders(std::string_view text, const std::vector<std::string>& names,
                                const std::vector<std::string>& values) {
    Assert(names.size() == values.size(), kPlaceholderListsDiffer, "uString", __LINE__);
    std::string result(text);
    for (std::size_t i = 0; i < names.size(); ++i)
        ReplaceAll(result, names[i], values[i]);
    return result;
}

bool TryStrToInt(std::string_view text, int& value) {
    std::string_view hex;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        hex = text.substr(2);
    else if (text.size() > 1 && text[0] == '$')
        hex = text.substr(1);
    if (!hex.empty()) {
        std::uint32_t bits = 0;
        auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), bits, 16);
        if (error != std::errc() || end != hex.data() + hex.size() || hex.size() > 8)
            return false;
        value = static_cast<int>(bits);
        return true;
    }
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return false;
    }
    int parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, 10);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(FormatText(kNotAnInteger, {text}));
    return value;
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string result;
    auto arg = args.begin();
    std::size_t pos = 0;
    for (std::size_t marker = pattern.find("%s");
         marker != std::string_view::npos && arg != args.end(); marker = pattern.find("%s", pos)) {
        result += pattern.substr(pos, marker - pos);
        result += *arg++;
        pos = marker + 2;
    }
    result += pattern.substr(pos);
    return result;
}

} // namespace tarvel
