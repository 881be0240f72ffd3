#include "core/VersionInfo.h"

#include "TempDir.h"
#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/ResourceBundle.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(VersionInfoTest, GetVersionPart) {
    EXPECT_EQ(GetVersionPart("1.0.8.6", 3), 8);
    EXPECT_EQ(GetVersionPart("1.0.8.6", 4), 6);
    EXPECT_EQ(GetVersionPart("1.0.8.6.", 1), 1);
    EXPECT_EQ(GetVersionPart("12.30", 2), 30);
    for (auto [text, n] : {std::pair{"1.0", 3}, {"1.x", 2}, {"1.0", 0}, {"", 1}, {"1..2", 2}})
        EXPECT_THROW(GetVersionPart(text, n), EConvertError) << text << " " << n;
}

TEST(VersionInfoTest, ReadsTheVersionResourceOfAFile) {
    test::TTempDir dir;
    TFileVersionInfo written;
    written.FileVersion = "2.1.0.17";
    written.ProductName = "Tarvel";
    written.CompanyName = "Велмора";
    written.FileDescription = "Оновлення бази даних";
    WriteFileBytes(dir / "program", "base");
    WriteResourceBundle(dir / "program",
                        {TResourceItem::FromData("Version", EncodeVersionResource(written))});

    TFileVersionInfo read;
    ASSERT_TRUE(ReadVersionInfo(read, dir / "program"));
    EXPECT_EQ(read.FileVersion, "2.1.0.17");
    EXPECT_EQ(read.ProductName, "Tarvel");
    EXPECT_EQ(read.CompanyName, "Велмора");
    EXPECT_EQ(read.FileDescription, "Оновлення бази даних");
    EXPECT_EQ(read.Major, 2);
    EXPECT_EQ(read.Minor, 1);
    EXPECT_EQ(read.Release, 0);
    EXPECT_EQ(read.Build, 17);

    WriteFileBytes(dir / "plain", "base");
    EXPECT_FALSE(ReadVersionInfo(read, dir / "plain"));
    EXPECT_FALSE(ReadVersionInfo(read, dir / "absent"));
    TFileVersionInfo own;
    EXPECT_FALSE(ReadAppVersionInfo(own));
}

TEST(VersionInfoTest, EncodingRefusesValuesThatWouldNotReadBack) {
    TFileVersionInfo info;
    info.FileVersion = "1.2.3";
    EXPECT_THROW(EncodeVersionResource(info), EConvertError);
    info.FileVersion = "1.2.3.4";
    info.ProductName = "a\nb";
    EXPECT_THROW(EncodeVersionResource(info), Exception);
}

} // namespace
} // namespace tarvel
