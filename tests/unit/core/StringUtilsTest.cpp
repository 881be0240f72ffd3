#include "core/StringUtils.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(StringUtilsTest, RepeatStr) {
    EXPECT_EQ(RepeatStr(".", 3), "...");
    EXPECT_EQ(RepeatStr("ab", 2), "abab");
    EXPECT_EQ(RepeatStr(".", 0), "");
    EXPECT_EQ(RepeatStr(".", -1), "");
}

TEST(StringUtilsTest, CapitalizeUsesCyrillicLetterRules) {
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {
        {"ВИТЯГТИ ОНОВЛЕННЯ  ", "Витягти оновлення  "},
        {"іНФОРМАЦІЯ", "Інформація"},
        {"ґАНОК ЄЇЎЁЂ", "Ґанок єїўёђ"},
        {"hELLO World", "Hello world"},
        {"1ABC", "1abc"},
        {"", ""},
        {"€URO", "€uro"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Capitalize(c.In), c.Out) << c.In;
}

TEST(StringUtilsTest, AsciiCaseLeavesCyrillicAlone) {
    EXPECT_EQ(AsciiUpperCase("scheme_Логін1"), "SCHEME_Логін1");
    EXPECT_TRUE(SameText("PatchParams", "PATCHPARAMS"));
    EXPECT_FALSE(SameText("Патч", "ПАТЧ"));
    EXPECT_FALSE(SameText("Patch", "Patch "));
}

TEST(StringUtilsTest, ToConsoleTextReplacesUkrainianIAndPrintsLongTextWhole) {
    EXPECT_EQ(ToConsoleText("Інформація: і", "UTF-8"), "Iнформацiя: i");
    // CP866, the Cyrillic console code page, has no "І": the Latin letter stands in for it.
    EXPECT_EQ(ToConsoleText("Інфо", "CP866"), "I\xAD\xE4\xAE");
    const std::string longLine = RepeatStr("Оновлення ", 100);
    EXPECT_EQ(ToConsoleText(longLine, "UTF-8"), longLine);
    EXPECT_EQ(ToConsoleText(longLine, "CP866").size(), 1000u);
    EXPECT_FALSE(TerminalCharset().empty());
}

TEST(StringUtilsTest, ReplacePlaceholdersReplacesEveryOccurrenceInOrder) {
    EXPECT_EQ(ReplacePlaceholders("%PROG_NAME% і знову %PROG_NAME%.", {"%PROG_NAME%"}, {"Облік"}),
              "Облік і знову Облік.");
    EXPECT_EQ(ReplacePlaceholders("%A%", {"%A%", "%B%"}, {"%B%", "b"}), "b");
    EXPECT_EQ(ReplacePlaceholders("%A%%A%", {"%A%"}, {"%A%%A%"}), "%A%%A%%A%%A%");
    EXPECT_EQ(ReplacePlaceholders("x", {"", "x"}, {"y", "z"}), "z");
    EXPECT_THROW(ReplacePlaceholders("x", {"a"}, {}), EAssertionFailed);
}

TEST(StringUtilsTest, StrToIntReadsDecimalAndHex) {
    const struct {
        const char* Text;
        bool Ok;
        int Value;
    } cases[] = {
        {"0", true, 0},
        {"-12", true, -12},
        {"+7", true, 7},
        {"0x10", true, 16},
        {"0XfF", true, 255},
        {"$1A", true, 26},
        {"0xFFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
        {"", false, 0},
        {"yes", false, 0},
        {"1 ", false, 0},
        {" 1", false, 0},
        {"0x", false, 0},
        {"0x123456789", false, 0},
        {"1.5", false, 0},
        {"+-1", false, 0},
    };
    for (const auto& c : cases) {
        int value = 0;
        EXPECT_EQ(TryStrToInt(c.Text, value), c.Ok) << c.Text;
        EXPECT_EQ(value, c.Value) << c.Text;
    }
    EXPECT_THROW(StrToInt("x1"), EConvertError);
}

TEST(StringUtilsTest, FormatTextFillsMarkersInOrder) {
    EXPECT_EQ(FormatText("Файл \"%s\" (%s)", {"a.ini", "b"}), "Файл \"a.ini\" (b)");
    EXPECT_EQ(FormatText("%s і %s", {"x"}), "x і %s");
    EXPECT_EQ(FormatText("%s", {"%s"}), "%s");
}

} // namespace
} // namespace tarvel
