#include "payload/ReportArchive.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(ReportArchive, ChildFolderNameFollowsThePrefix) {
    struct Case {
        const char* Prefix;
        const char* Path;
        const char* Name;
    };
    const Case cases[] = {
        {"PupilList\\Menu", "pupillist\\menu\\mschool\\", "mschool"},
        {"PupilList\\Menu", "pupillist\\menu\\mschool\\sub\\", "mschool"},
        {"PupilList\\Menu", "pupillist\\menu\\", ""},
        {"PupilList\\Menu", "pupillist\\reports\\r1\\", ""},
        {"F\\Access", "f\\access\\a1", ""}, // no backslash after the name
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChildFolderName(c.Prefix, c.Path), c.Name) << c.Path;
}

TEST(ReportArchive, RowValuesTakeTheFirstLineOfANameAndIgnoreOthers) {
    const TRowValues row("DFM_ID=F1\r\nno equals sign\r\ntitle=A=B\r\nTITLE=second\r\nEMPTY=\r\n");
    EXPECT_EQ(row.Value("dfm_id"), "F1");
    EXPECT_EQ(row.Value("Title"), "A=B");
    EXPECT_EQ(row.Value("EMPTY"), "");
    EXPECT_EQ(row.Value("MISSING"), "");
    EXPECT_FALSE(row.Empty());
    EXPECT_TRUE(TRowValues("").Empty());
}

} // namespace
} // namespace tarvel
