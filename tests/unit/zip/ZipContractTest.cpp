#include "TempDir.h"
#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/ZipReader.h"
#include "core/ZipWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace tarvel {
namespace {

using test::TTempDir;
namespace fs = std::filesystem;

int Shell(const std::string& commandLine) {
    const int status = std::system((commandLine + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Q(const fs::path& path) {
    return "'" + path.string() + "'";
}

void Put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    WriteFileBytes(file, text);
}

std::vector<std::string> FullNames(const TZipReader& reader) {
    std::vector<std::string> names;
    for (const TZipEntry& entry : reader.Directory())
        names.push_back(entry.FullName());
    return names;
}

std::string Backslashed(const fs::path& path) {
    std::string name = path.relative_path().string();
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

class ZipContract : public ::testing::Test {
protected:
    TTempDir Dir;
    fs::path Source = Dir / "src";
    fs::path Archive = Dir / "a.zip";

    void SetUp() override {
        Put(Source / "b.txt", "bee");
        Put(Source / "Sub" / "a.sql", "select 1;");
        Put(Source / "Sub" / "deep" / "d.sql", "select 2;");
        Put(Source / "skip.bin", "not matched");
    }

    void PackData(const fs::path& archive, const std::vector<TZipSource>& sources,
                  const std::string& password = "") {
        TZipWriter writer;
        writer.ZipName = archive;
        writer.Password = password;
        ASSERT_EQ(writer.Pack(sources), sources.size());
    }
};

TEST_F(ZipContract, FilesListTakesFilesFoldersAndMasksWithOrWithoutPaths) {
    struct TCase {
        std::vector<std::string> Items;
        bool Recurse, StorePaths;
        std::vector<std::string> Names;
    };
    const std::string src = Source.string();
    const std::vector<TCase> cases = {
        {{src + "/*.sql"}, false, false, {}},
        {{src + "/*.sql"}, true, false, {"a.sql", "d.sql"}},
        {{src + "/Sub", src + "/b.txt"}, false, false, {"a.sql", "b.txt"}},
        {{src + "/Sub/*"},
         true,
         true,
         {Backslashed(Source / "Sub/a.sql"), Backslashed(Source / "Sub/deep/d.sql")}},
        {{src + "/b.txt", src + "/*.txt"}, false, true, {Backslashed(Source / "b.txt")}},
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(n);
        TZipWriter writer;
        writer.ZipName = Dir / ("case" + std::to_string(n++) + ".zip");
        writer.FilesList = c.Items;
        writer.Recurse = c.Recurse;
        writer.StorePaths = c.StorePaths;
        EXPECT_EQ(writer.Zip(), c.Names.size());
        if (c.Names.empty()) {
            EXPECT_FALSE(fs::exists(writer.ZipName));
            continue;
        }
        EXPECT_EQ(Shell("unzip -tq " + Q(writer.ZipName)), 0);
        TZipReader reader;
        reader.Open(writer.ZipName, TZipOrder::SortedByName);
        EXPECT_EQ(FullNames(reader), c.Names);
    }
}

TEST_F(ZipContract, DirectoryGivesBackslashFoldersInStoredAndCaseInsensitiveSortedOrder) {
    PackData(Archive,
             {TZipSource::FromData("zeta.ini", "z"), TZipSource::FromData("Upd1.0.2.0/b.sql", "b"),
              TZipSource::FromData("upd1.0.2.0/A.sql", "a"),
              TZipSource::FromData("Upd1.0.6.0/Upd1.0.6.0.1/x.sql", std::string(70000, 'x'))});
    // Folder entries, as Info-ZIP writes them, are not part of the directory.
    ASSERT_EQ(
        Shell("cd " + Q(Dir.Path()) + " && mkdir -p Extra && zip -q " + Q(Archive) + " Extra/"), 0);
    EXPECT_EQ(Shell("unzip -tq " + Q(Archive)), 0);

    TZipReader reader;
    reader.Open(Archive);
    EXPECT_EQ(FullNames(reader),
              (std::vector<std::string>{"zeta.ini", "Upd1.0.2.0\\b.sql", "upd1.0.2.0\\A.sql",
                                        "Upd1.0.6.0\\Upd1.0.6.0.1\\x.sql"}));
    EXPECT_EQ(reader.Entry(0).PathName, "");
    EXPECT_EQ(reader.Entry(3).PathName, "Upd1.0.6.0\\Upd1.0.6.0.1\\");
    EXPECT_EQ(reader.Entry(3).FileName, "x.sql");
    EXPECT_EQ(reader.Entry(3).UncompressedSize, 70000u);

    reader.SetOrder(TZipOrder::SortedByName);
    EXPECT_EQ(FullNames(reader),
              (std::vector<std::string>{"upd1.0.2.0\\A.sql", "Upd1.0.2.0\\b.sql",
                                        "Upd1.0.6.0\\Upd1.0.6.0.1\\x.sql", "zeta.ini"}));
}

TEST_F(ZipContract, ExtractsByIndexOrCaseInsensitiveNameFromFileOrMemory) {
    PackData(Archive, {TZipSource::FromData("Upd1.0.2.0/Init.INI", "<TYPE>1</TYPE>"),
                       TZipSource::FromData("data.bin", std::string("a\0b", 3))});
    TZipReader fromFile;
    fromFile.Open(Archive);
    TZipReader fromMemory;
    fromMemory.OpenFromMemory(ReadFileBytes(Archive));
    for (TZipReader* reader : {&fromFile, &fromMemory}) {
        EXPECT_EQ(reader->ExtractToMemory("upd1.0.2.0\\init.ini"), "<TYPE>1</TYPE>");
        EXPECT_EQ(reader->ExtractToMemory("UPD1.0.2.0/INIT.ini"), "<TYPE>1</TYPE>");
        EXPECT_EQ(reader->ExtractToMemory("init.ini"), "");
        EXPECT_EQ(reader->ExtractToMemory(1), std::string("a\0b", 3));
    }
    Put(Dir / "out.bin", std::string(1000, 'o'));
    fromFile.ExtractToFile(1, Dir / "out.bin");
    EXPECT_EQ(ReadFileBytes(Dir / "out.bin"), std::string("a\0b", 3));
}

TEST_F(ZipContract, AddingFromMemoryKeepsEarlierEntriesAndReplacesOneOfTheSameName) {
    TZipWriter writer;
    writer.ZipName = Archive;
    writer.PackLevel = 9;
    writer.AddFromMemory("17082009143512Upd1.0.2.0.txt", "first");
    writer.AddFromMemory("17082009143513ServiceScripts.txt", "second");
    writer.AddFromMemory("17082009143512Upd1.0.2.0.txt", "again");
    EXPECT_EQ(Shell("unzip -tq " + Q(Archive)), 0);
    TZipReader reader;
    reader.Open(Archive);
    ASSERT_EQ(reader.Count(), 2u);
    EXPECT_EQ(reader.ExtractToMemory("17082009143512Upd1.0.2.0.txt"), "again");
    EXPECT_EQ(reader.ExtractToMemory("17082009143513ServiceScripts.txt"), "second");
}

TEST_F(ZipContract, InfoZipEncryptedArchiveOpensWithItsPasswordAndReportsAWrongOne) {
    Put(Dir / "enc" / "Init.ini", "<TYPE>1</TYPE>");
    Put(Dir / "enc" / "Upd1.0.2.0" / "000_prepare.sql", std::string(5000, 's'));
    ASSERT_EQ(Shell("cd " + Q(Dir / "enc") + " && zip -qr -P 'Pa+s_w' " + Q(Archive) + " ."), 0);

    TZipReader reader;
    reader.Password = "Pa+s_w";
    reader.Open(Archive);
    EXPECT_EQ(reader.ExtractToMemory("Init.ini"), "<TYPE>1</TYPE>");
    EXPECT_TRUE(reader.Test());

    reader.Password = "wrong";
    std::vector<std::size_t> rejected;
    reader.OnBadPassword = [&](std::size_t index) { rejected.push_back(index); };
    EXPECT_THROW(reader.ExtractToMemory("Init.ini"), Exception);
    EXPECT_EQ(rejected, std::vector<std::size_t>{*reader.IndexOf("Init.ini")});

    reader.OnBadPassword = [](std::size_t) { throw EAbort(); };
    EXPECT_THROW(reader.Test(), EAbort);
    reader.OnBadPassword = nullptr;
    EXPECT_THROW(reader.Test(), Exception);
}

TEST_F(ZipContract, EncryptedArchiveOfTheWriterPassesInfoZipWithThePassword) {
    PackData(Archive,
             {TZipSource::FromData("Init.ini", "<TYPE>1</TYPE>"),
              TZipSource::FromData("Upd1.0.2.0/a.sql", std::string(3000, 'a'))},
             "Pa+s_w");
    EXPECT_EQ(Shell("unzip -tq -P 'Pa+s_w' " + Q(Archive)), 0);
    EXPECT_NE(Shell("unzip -tq -P 'other' " + Q(Archive)), 0);
    TZipReader reader;
    reader.Open(Archive);
    EXPECT_TRUE(reader.Entry(0).Encrypted);
}

TEST_F(ZipContract, ExtractAllRebuildsTheTreeOverwritingAndRefusesEntriesLeavingIt) {
    PackData(Archive,
             {TZipSource::FromData("data/base/1.dat", "new"),
              TZipSource::FromData("top.conf", "conf"), TZipSource::FromData("../escaped.txt", "x"),
              TZipSource::FromData("data/../../escaped2.txt", "x"),
              TZipSource::FromData("/abs/escaped3.txt", "x")});
    fs::create_symlink("/etc/hostname", Dir / "link");
    ASSERT_EQ(Shell("cd " + Q(Dir.Path()) + " && zip -qy " + Q(Archive) + " link"), 0);

    const fs::path dest = Dir / "dest";
    Put(dest / "data/base/1.dat", "old and longer");
    TZipReader reader;
    reader.Open(Archive);
    std::vector<std::string> skipped;
    reader.OnSkippingFile = [&](TSkipReason reason, const std::string& name) {
        EXPECT_EQ(reason, TSkipReason::srUnsafePath);
        skipped.push_back(name);
    };
    EXPECT_EQ(reader.ExtractAll(dest), 2u);
    EXPECT_EQ(ReadFileBytes(dest / "data/base/1.dat"), "new");
    EXPECT_EQ(ReadFileBytes(dest / "top.conf"), "conf");
    EXPECT_EQ(skipped, (std::vector<std::string>{"..\\escaped.txt", "data\\..\\..\\escaped2.txt",
                                                 "\\abs\\escaped3.txt", "link"}));
    EXPECT_FALSE(fs::exists(Dir / "escaped.txt"));
    EXPECT_FALSE(fs::exists(Dir.Path().parent_path() / "escaped2.txt"));
    EXPECT_FALSE(fs::exists(dest / "link"));
    EXPECT_FALSE(fs::exists("/abs/escaped3.txt"));

    reader.OnSkippingFile = nullptr;
    EXPECT_THROW(reader.ExtractAll(dest), Exception);
}

TEST_F(ZipContract, WholeTreesComeBackWithEmptyFoldersModesAndTimes) {
    fs::create_directories(Source / "empty" / "inner");
    fs::permissions(Source / "empty", fs::perms::owner_all);
    fs::permissions(Source / "b.txt", fs::perms::owner_read | fs::perms::owner_write);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
    fs::last_write_time(Source / "b.txt", stamp);
    TZipWriter writer;
    writer.ZipName = Archive;
    writer.FilesList = {Source.string()};
    writer.Recurse = true;
    EXPECT_EQ(writer.Zip(), 4u);
    EXPECT_EQ(Shell("unzip -tq " + Q(Archive)), 0);

    TZipReader reader;
    reader.Open(Archive);
    EXPECT_EQ(reader.Count(), 4u);
    const fs::path dest = Dir / "dest";
    EXPECT_EQ(reader.ExtractAll(dest), 4u);
    const fs::path back = dest / Source.relative_path();
    EXPECT_TRUE(fs::is_directory(back / "empty" / "inner"));
    EXPECT_EQ(fs::status(back / "empty").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(back / "b.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // ZIP keeps times to two seconds.
    const auto drift = fs::last_write_time(back / "b.txt") - stamp;
    EXPECT_LE(std::chrono::abs(drift), std::chrono::seconds(2));
}

TEST_F(ZipContract, TestFindsAWrongChecksumAndExtractionKeepsTheOldFile) {
    TZipWriter writer;
    writer.ZipName = Archive;
    writer.PackLevel = 0;
    ASSERT_EQ(writer.Pack({TZipSource::FromData("good.txt", "good"),
                           TZipSource::FromData("bad.txt", "payload-to-corrupt")}),
              2u);
    std::string bytes = ReadFileBytes(Archive);
    bytes[bytes.find("payload-to-corrupt")] = 'P';
    WriteFileBytes(Archive, bytes);

    TZipReader reader;
    reader.Open(Archive);
    std::vector<std::size_t> bad;
    reader.OnBadCRC = [&](std::uint32_t calculated, std::uint32_t stored, std::size_t index) {
        EXPECT_NE(calculated, stored);
        bad.push_back(index);
    };
    EXPECT_FALSE(reader.Test());
    EXPECT_EQ(bad, std::vector<std::size_t>{1});

    const fs::path dest = Dir / "dest";
    Put(dest / "bad.txt", "old");
    EXPECT_EQ(reader.ExtractAll(dest), 1u);
    EXPECT_EQ(ReadFileBytes(dest / "bad.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dest), fs::directory_iterator()), 2);

    reader.OnBadCRC = nullptr;
    EXPECT_THROW(reader.Test(), Exception);
    EXPECT_THROW(reader.ExtractToMemory(1), Exception);
}

TEST_F(ZipContract, ArchivesThatCannotBeReadRaiseAfterTheIncompleteEvent) {
    PackData(Archive, {TZipSource::FromData("a.txt", std::string(5000, 'a'))});
    const std::string bytes = ReadFileBytes(Archive);
    Put(Dir / "cut.zip", bytes.substr(0, bytes.size() - 30));
    Put(Dir / "headless.zip", bytes.substr(40));
    Put(Dir / "text.zip", std::string(200, 't'));
    struct TCase {
        fs::path File;
        std::optional<TIncompleteZipMode> Mode;
    };
    for (const TCase& c : {TCase{Dir / "cut.zip", TIncompleteZipMode::izAssumeNotAZip},
                           TCase{Dir / "headless.zip", TIncompleteZipMode::izAssumeBad},
                           TCase{Dir / "text.zip", TIncompleteZipMode::izAssumeNotAZip},
                           TCase{Dir / "missing.zip", std::nullopt}}) {
        SCOPED_TRACE(c.File);
        TZipReader reader;
        std::optional<TIncompleteZipMode> seen;
        reader.OnInCompleteZip = [&](TIncompleteZipMode mode) { seen = mode; };
        EXPECT_THROW(reader.Open(c.File), Exception);
        EXPECT_EQ(seen, c.Mode);
        EXPECT_FALSE(reader.IsOpen());
    }
}

TEST_F(ZipContract, PercentRunsToAHundredAndAnExceptionFromItEndsThePass) {
    PackData(Archive, {TZipSource::FromData("a.txt", std::string(300000, 'a')),
                       TZipSource::FromData("b.txt", std::string(300000, 'b'))});
    const std::string before = ReadFileBytes(Archive);
    TZipReader reader;
    reader.Open(Archive);
    std::vector<int> seen;
    reader.OnTotalPercentDone = [&](int percent) { seen.push_back(percent); };
    EXPECT_TRUE(reader.Test());
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

    reader.OnTotalPercentDone = [](int percent) {
        if (percent >= 50)
            throw EUserCanceled("Операцію відмінено");
    };
    EXPECT_THROW(reader.Test(), EUserCanceled);
    EXPECT_THROW(reader.ExtractAll(Dir / "dest"), EUserCanceled);

    Put(Dir / "big.bin", std::string(4 << 20, 'q'));
    TZipWriter writer;
    writer.ZipName = Archive;
    writer.FilesList = {(Dir / "big.bin").string()};
    writer.OnTotalPercentDone = [](int percent) {
        if (percent > 0)
            throw EUserCanceled("Операцію відмінено");
    };
    EXPECT_THROW(writer.Zip(), EUserCanceled);
    EXPECT_EQ(ReadFileBytes(Archive), before);
    for (const auto& entry : fs::directory_iterator(Dir.Path()))
        EXPECT_EQ(entry.path().string().find(Archive.string() + "."), std::string::npos);
}

TEST_F(ZipContract, WriterReportsMissingAndHeldOpenFilesAndPacksTheRest) {
    TZipWriter writer;
    writer.ZipName = Archive;
    writer.StorePaths = false;
    writer.FilesList = {(Source / "b.txt").string(), (Dir / "none.txt").string(),
                        (Dir / "nofolder" / "*").string(), (Source / "Sub" / "a.sql").string()};
    writer.IsFileHeldOpen = [](const fs::path& file) { return file.filename() == "a.sql"; };
    std::vector<std::string> missing, skipped;
    writer.OnNoSuchFile = [&](const std::string& name) { missing.push_back(name); };
    writer.OnSkippingFile = [&](TSkipReason reason, const std::string& name) {
        EXPECT_EQ(reason, TSkipReason::srFileOpenError);
        skipped.push_back(name);
    };
    EXPECT_EQ(writer.Zip(), 1u);
    EXPECT_EQ(missing, (std::vector<std::string>{(Dir / "none.txt").string(),
                                                 (Dir / "nofolder" / "*").string()}));
    EXPECT_EQ(skipped, std::vector<std::string>{(Source / "Sub" / "a.sql").string()});

    writer.OnNoSuchFile = nullptr;
    EXPECT_THROW(writer.Zip(), Exception);
}

} // namespace
} // namespace tarvel
