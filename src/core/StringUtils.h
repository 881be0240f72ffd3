#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Text helpers on UTF-8 strings.

// Latin letters upper-cased, every other byte unchanged.
std::string AsciiUpperCase(std::string_view text);
// Latin letters lower-cased, every other byte unchanged.
std::string AsciiLowerCase(std::string_view text);

// Equal without regard to the case of Latin letters.
bool SameText(std::string_view a, std::string_view b);

// `text` written `count` times; empty for a count of 0 or less.
std::string RepeatStr(std::string_view text, int count);

// The first character upper-cased and the rest lower-cased by the letter rules of the
// Windows-1251 alphabet (Latin and Cyrillic letters); other characters stay.
std::string Capitalize(std::string_view text);

// The terminal's charset from the environment's locale. The C locale says nothing about the
// terminal, so its ASCII counts as UTF-8.
std::string TerminalCharset();

// Text prepared for the terminal: Ukrainian "І"/"і" become Latin "I"/"i" (the Cyrillic console
// code pages lack them), then the text is converted to `charset`, whole, however long.
std::string ToConsoleText(std::string_view text, const std::string& charset = TerminalCharset());

// For each name in turn, every occurrence in the current text replaced by the value at the same
// position (case-sensitive, left to right); later names see earlier replacements. Raises
// EAssertionFailed when the lists differ in length.
std::string ReplacePlaceholders(std::string_view text, const std::vector<std::string>& names,
                                const std::vector<std::string>& values);

// Integer text as the platform's converter reads it: an optional sign and decimal digits, or
// hexadecimal digits after "0x" or "$" (up to eight, read as a 32-bit pattern). Nothing else,
// no blanks; decimal values must fit 32 bits.
bool TryStrToInt(std::string_view text, int& value);
// The same, raising EConvertError for text that is not an integer.
int StrToInt(std::string_view text);

// `pattern` with its "%s" markers replaced by the arguments in order; markers without an
// argument stay as they are.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace tarvel
