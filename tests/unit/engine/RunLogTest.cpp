#include "engine/RunLog.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(RunLog, BannerFramesTheUpperCasedLabel) {
    const TStringList banner = EntryBanner("Upd1.0.2.0\\000_prepare.sql");
    ASSERT_EQ(banner.size(), 3u);
    EXPECT_EQ(banner[0].size(), 60u);
    EXPECT_EQ(banner[0], "/" + std::string(58, '*') + "/");
    EXPECT_EQ(banner[1], "/* UPD1.0.2.0\\000_PREPARE.SQL */");
    EXPECT_EQ(banner[2], banner[0]);
}

TEST(RunLog, StampHasNoLeadingZeroOnTheHour) {
    std::tm at{};
    at.tm_mday = 17;
    at.tm_mon = 7;
    at.tm_year = 109;
    at.tm_hour = 14;
    at.tm_min = 35;
    at.tm_sec = 12;
    EXPECT_EQ(RunReportStamp(at), "17082009143512");
    at.tm_mday = 1;
    at.tm_mon = 0;
    at.tm_hour = 9;
    at.tm_min = 5;
    at.tm_sec = 3;
    EXPECT_EQ(RunReportStamp(at), "0101200990503");
}

TEST(RunLog, ExecutionTimeLines) {
    struct Case {
        double Start, End;
        std::string Line;
    };
    const Case cases[] = {
        {100, 130, "Час виконання < 1 хвилини\r\n"},
        {100, 159.6, "Час виконання < 1 хвилини\r\n"},
        {100, 160, "Час виконання: 0:01:00\r\n"},
        {23 * 3600 + 59 * 60 + 30, 60, "Час виконання: 0:01:30\r\n"}, // past midnight
        {0, 2 * 3600 + 3, "Час виконання: 2:00:03\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExecutionTimeLine(ElapsedSecondsOfDay(c.Start, c.End)), c.Line) << c.Start;
}

TEST(RunLog, ListTextEndsEveryItemWithCrLf) {
    EXPECT_EQ(ListText({"a", "b\r\nc", ""}), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(ListText({}), "");
}

} // namespace
} // namespace tarvel
