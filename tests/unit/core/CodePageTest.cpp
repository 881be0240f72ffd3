#include "core/CodePage.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(CodePageTest, EveryWin1251ByteSurvivesTheRoundTrip) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    EXPECT_EQ(Utf8ToWin1251(Win1251ToUtf8(bytes)), bytes);
}

TEST(CodePageTest, ConvertsBetweenWin1251AndUtf8) {
    const struct {
        std::string Win1251;
        std::string Utf8;
    } cases[] = {
        {"\xB2\xED\xF4\xEE\xF0\xEC\xE0\xF6\xB3\xFF", "Інформація"},
        {"\xA5\xB4\xAA\xBA\xAF\xBF", "ҐґЄєЇї"},
        {"\xB9 \x88 \x96", "№ € –"},
        {"\x98", "\xC2\x98"}, // undefined in the code page: kept as U+0098
        {"ABC\r\n", "ABC\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Win1251ToUtf8(c.Win1251), c.Utf8);
        EXPECT_EQ(Utf8ToWin1251(c.Utf8), c.Win1251);
    }
}

TEST(CodePageTest, UnmappableAndMalformedUtf8BecomesQuestionMarks) {
    const struct {
        std::string Utf8;
        std::string Win1251;
    } cases[] = {
        {"a😀b", "a?b"},          {"中", "?"},        {"\xFF\xFE", "??"},
        {"\xD0", "?"},           {"\xC0\xAF", "??"}, // overlong '/'
        {"\xED\xA0\x80", "???"},                     // surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToWin1251(c.Utf8), c.Win1251) << c.Utf8;
}

TEST(CodePageTest, ConvertsToOtherCharsets) {
    EXPECT_EQ(Utf8ToCharset("Привіт", "CP866"), "\x8F\xE0\xA8\xA2?\xE2");
    EXPECT_EQ(Utf8ToCharset("a€b", "CP866"), "a?b");
    EXPECT_EQ(Utf8ToCharset(std::string(10000, 'x'), "UTF-8").size(), 10000u);
    EXPECT_THROW(Utf8ToCharset("x", "NO-SUCH-CHARSET"), Exception);
}

} // namespace
} // namespace tarvel
