#include "core/ResourceBundle.h"

#include "TempDir.h"
#include "core/Exceptions.h"
#include "core/FileUtils.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

namespace tarvel {
namespace {

using testing::HasSubstr;
namespace fs = std::filesystem;

std::string AllBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(42);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Runs a command line; its exit status, with stderr kept in `errors`.
int RunCommand(const std::string& command, const fs::path& errorFile, std::string& errors) {
    int status = std::system((command + " 2>" + errorFile.string()).c_str());
    errors = ReadFileBytes(errorFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ResourceBundleTest, BuiltProgramWritesBackEveryResourceByteForByte) {
    test::TTempDir dir;
    const fs::path program = dir / "release";
    fs::copy_file(RESOURCE_ECHO_PROGRAM, program);
    const auto programSize = fs::file_size(program);
    WriteFileBytes(dir / "verifier.src", RandomBytes(3 << 20));
    const std::vector<TResourceItem> items = {
        TResourceItem::FromData("PATCH", AllBytes() + RandomBytes(100000)),
        TResourceItem::FromData("PatchParams", "[Form]\r\nProgName='A \"B\"'\r\n"),
        TResourceItem::FromFile("PATCHVERIFIER", dir / "verifier.src"),
        TResourceItem::FromData("EMPTY", ""),
    };
    WriteResourceBundle(program, items);
    fs::create_directory(dir / "out");

    std::string errors;
    ASSERT_EQ(RunCommand(program.string() + " " + (dir / "out").string() +
                             " patch PATCHPARAMS PatchVerifier Empty",
                         dir / "stderr", errors),
              0)
        << errors;
    EXPECT_EQ(ReadFileBytes(dir / "out/patch"), items[0].Data);
    EXPECT_EQ(ReadFileBytes(dir / "out/PATCHPARAMS"), items[1].Data);
    EXPECT_EQ(ReadFileBytes(dir / "out/PatchVerifier"), ReadFileBytes(dir / "verifier.src"));
    EXPECT_EQ(ReadFileBytes(dir / "out/Empty"), "");

    // A second bundle replaces the first instead of stacking on it.
    WriteResourceBundle(program, {TResourceItem::FromData("Other", "x")});
    EXPECT_LT(fs::file_size(program), programSize + 100);
    EXPECT_EQ(RunCommand(program.string() + " " + (dir / "out").string() + " Other", dir / "stderr",
                         errors),
              0)
        << errors;
    EXPECT_EQ(ReadFileBytes(dir / "out/Other"), "x");

    EXPECT_EQ(RunCommand(program.string() + " " + (dir / "out").string() + " PatchParams",
                         dir / "stderr", errors),
              1);
    EXPECT_THAT(errors, HasSubstr("\"PatchParams\" не знайдено"));
}

TEST(ResourceBundleTest, SharedLibraryReadsItsOwnBundle) {
    test::TTempDir dir;
    const fs::path library = dir / "Verifier.so";
    fs::copy_file(RESOURCE_MODULE_LIBRARY, library);
    const std::string checks = RandomBytes(70000);
    WriteResourceBundle(library, {TResourceItem::FromData("CHECKS", checks)});

    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto save =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(handle, "SaveModuleResource"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save("checks", (dir / "checks").c_str()), 0);
    EXPECT_EQ(save("missing", (dir / "missing").c_str()), 1);
    dlclose(handle);
    EXPECT_EQ(ReadFileBytes(dir / "checks"), checks);
}

TEST(ResourceBundleTest, MissingResourceNamesItself) {
    test::TTempDir dir;
    WriteFileBytes(dir / "plain", "no bundle here");
    WriteFileBytes(dir / "empty", "");
    for (const char* file : {"plain", "empty"}) {
        TResourceBundle bundle(dir / file);
        EXPECT_FALSE(bundle.Contains("PATCH"));
        try {
            bundle.Read("Patch");
            ADD_FAILURE() << file;
        } catch (const Exception& e) {
            EXPECT_THAT(e.what(), HasSubstr("\"Patch\" не знайдено")) << file;
        }
    }
    EXPECT_THROW(TResourceBundle(dir / "absent"), Exception);
}

// Base "0123456789", then blobs Alpha "abc" and Beta "defg": the directory starts at 17, the
// trailer at 62.
TEST(ResourceBundleTest, DamagedBundleRaisesInsteadOfReadingPastTheFile) {
    const struct {
        const char* What;
        std::size_t Offset;
        std::string Bytes;
    } cases[] = {
        {"directory offset past the file", 70, std::string("\xE8\x03", 2)},
        {"directory offset before the bundle", 62, std::string("\x12", 1)},
        {"more entries than the directory holds", 78, std::string("\x03", 1)},
        {"unknown format", 82, std::string("\x02", 1)},
        {"entry larger than the bundle", 32, std::string("\xE8\x03", 2)},
        {"entry before the bundle", 24, std::string("\x05", 1)},
        {"name longer than the directory", 17, std::string("\xF4\x01", 2)},
    };
    for (const auto& c : cases) {
        test::TTempDir dir;
        const fs::path file = dir / "program";
        WriteFileBytes(file, "0123456789");
        WriteResourceBundle(file, {TResourceItem::FromData("Alpha", "abc"),
                                   TResourceItem::FromData("Beta", "defg")});
        ASSERT_EQ(TResourceBundle(file).Read("beta"), "defg");
        std::string bytes = ReadFileBytes(file);
        ASSERT_EQ(bytes.size(), 94u);
        bytes.replace(c.Offset, c.Bytes.size(), c.Bytes);
        WriteFileBytes(file, bytes);

        try {
            TResourceBundle(file).Read("Alpha");
            ADD_FAILURE() << c.What;
        } catch (const Exception& e) {
            EXPECT_THAT(e.what(), HasSubstr("\"Alpha\"")) << c.What;
            EXPECT_THAT(e.what(), HasSubstr("пошкоджено")) << c.What;
        }
        // Writing again either refuses (the start of the old bundle is unknown) or replaces it.
        try {
            WriteResourceBundle(file, {TResourceItem::FromData("Alpha", "new")});
            EXPECT_EQ(TResourceBundle(file).Read("Alpha"), "new") << c.What;
            EXPECT_EQ(ReadFileBytes(file).substr(0, 10), "0123456789") << c.What;
        } catch (const Exception& e) {
            EXPECT_THAT(e.what(), HasSubstr("пошкоджено")) << c.What;
        }
    }
}

TEST(ResourceBundleTest, FileCutAfterTheDirectoryWasReadRaises) {
    test::TTempDir dir;
    const fs::path file = dir / "program";
    WriteFileBytes(file, "base");
    WriteResourceBundle(file, {TResourceItem::FromData("Big", RandomBytes(5000))});
    TResourceBundle bundle(file);
    fs::resize_file(file, 100);
    EXPECT_THROW(bundle.Read("Big"), Exception);
    EXPECT_THROW(bundle.SaveToFile("Big", dir / "out"), Exception);
}

TEST(ResourceBundleTest, RefusesDuplicateAndEmptyNames) {
    test::TTempDir dir;
    WriteFileBytes(dir / "program", "base");
    EXPECT_THROW(WriteResourceBundle(dir / "program", {TResourceItem::FromData("Patch", "1"),
                                                       TResourceItem::FromData("PATCH", "2")}),
                 Exception);
    EXPECT_THROW(WriteResourceBundle(dir / "program", {TResourceItem::FromData("", "1")}),
                 Exception);
    EXPECT_EQ(ReadFileBytes(dir / "program"), "base");
}

} // namespace
} // namespace tarvel
