#include "core/FileUtils.h"

#include "TempDir.h"
#include "core/Exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

TEST(FileUtilsTest, DeleteFileForceRemovesWriteProtectedFiles) {
    test::TTempDir dir;
    WriteFileBytes(dir / "plugin.tmp", "x");
    fs::permissions(dir / "plugin.tmp", fs::perms::owner_read);
    EXPECT_TRUE(DeleteFileForce(dir / "plugin.tmp"));
    EXPECT_FALSE(fs::exists(dir / "plugin.tmp"));
    EXPECT_FALSE(DeleteFileForce(dir / "plugin.tmp"));
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(DeleteFileForce(dir / "folder"));
    EXPECT_TRUE(fs::exists(dir / "folder"));
}

TEST(FileUtilsTest, WholeFileReadAndWriteNameTheFileOnFailure) {
    test::TTempDir dir;
    WriteFileBytes(dir / "a", std::string("1\0\xFF", 3));
    WriteFileBytes(dir / "a", "22");
    EXPECT_EQ(ReadFileBytes(dir / "a"), "22");
    try {
        ReadFileBytes(dir / "absent");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_THAT(e.what(), HasSubstr((dir / "absent").string()));
    }
    try {
        WriteFileBytes(dir / "no/such/folder", "x");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_THAT(e.what(), HasSubstr("Неможливо створити файл"));
    }
}

} // namespace
} // namespace tarvel
