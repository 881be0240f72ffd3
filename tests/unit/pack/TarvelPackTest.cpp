#include "ReleasePacker.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "core/FileUtils.h"
#include "core/ResourceBundle.h"
#include "core/StringTableResource.h"
#include "core/VersionInfo.h"
#include "core/ZipReader.h"
#include "engine/ArchivePassword.h"
#include "engine/UpdateArchive.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using test::TNamedTexts;
using test::TTempDir;

const std::string kPackagePassword = "Q7W2E9R4T1Y6U3I8O5P0A2S7D4F9G1";
const std::string kRunner = "/bin/true";

struct TRun {
    int ExitCode = -1;
    std::string Output, Errors;
};

std::string Q(const std::string& text) {
    return "'" + text + "'";
}

class TarvelPack : public ::testing::Test {
protected:
    TTempDir Dir;
    fs::path Update = Dir / "update";
    fs::path Params = Dir / "PatchParams.ini";
    fs::path Verifier = Dir / "Verifier.so";
    fs::path Scripts = Dir / "service";
    fs::path Output = Dir / "out" / "release";
    fs::path Temp = Dir / "tmp"; // the program's TMPDIR

    void SetUp() override {
        test::WriteFiles(Update, {{"Init.ini", "<TYPE>1</TYPE><VERSION><RANGE><BEGIN>1.0.2.0"
                                               "</BEGIN><END>1.0.9.3</END></RANGE></VERSION>"},
                                  {"Upd1.0.2.0/000_prepare.sql", std::string(20000, 'p')},
                                  {"Upd1.0.2.0/Notes.ini", "not the descriptor"},
                                  {"Upd1.0.9.3/Upd1.0.9.3.0/100_a.sql", "a"},
                                  {"a_first.txt", "sorted before Init.ini"}});
        WriteParams({{"FormCaption", "'Оновлення \"Бровко\"'"},
                     {"PackagePassword", kPackagePassword},
                     {"IsNeedVerify", "1"}});
        WriteFileBytes(Verifier, "verifier library bytes");
        test::WriteFiles(Scripts, {{"930_obj_recompile.sql", "begin\n  null;\nend;\n\n"},
                                   {"850_move_index.sql", "begin null; end;"}});
        fs::create_directories(Output.parent_path());
        fs::create_directories(Temp);
    }

    void WriteParams(const TNamedTexts& values) {
        WriteFileBytes(Params, test::PatchParamsText(values));
    }

    TRun Pack(const std::vector<std::string>& arguments) {
        std::string line = "TMPDIR=" + Q(Temp.string()) + " " + Q(TARVEL_PACK_PROGRAM);
        for (const std::string& argument : arguments)
            line += " " + Q(argument);
        line += " >" + Q((Dir / "stdout").string()) + " 2>" + Q((Dir / "stderr").string());
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(Dir / "stdout"),
                ReadFileBytes(Dir / "stderr")};
    }

    std::vector<std::string> FullArguments() {
        return {"--runner",
                kRunner,
                "--params",
                Params.string(),
                "--update-folder",
                Update.string(),
                "--verifier",
                Verifier.string(),
                "--service-scripts",
                Scripts.string(),
                "--output",
                Output.string(),
                "--product-name=Бровко",
                "--file-version",
                "1.0.9.3",
                "--company-name",
                "Velmora",
                "--file-description",
                "Оновлення"};
    }
};

TEST_F(TarvelPack, BuildsARunnableReleaseWithEveryResourceAndAnEncryptedArchive) {
    const TRun run = Pack(FullArguments());
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    EXPECT_EQ(std::system(Q(Output.string()).c_str()), 0);

    const TResourceBundle bundle(Output);
    EXPECT_EQ(bundle.Read(kResPatchParams), ReadFileBytes(Params));
    EXPECT_EQ(bundle.Read(kResPatchVerifier), "verifier library bytes");
    EXPECT_EQ(DecodeStringTable(bundle.Read(kResStringTable)),
              (TStringTable{{1, "3"},
                            {2, "850_move_index.sql##begin null; end;"},
                            {3, "930_obj_recompile.sql##begin\n  null;\nend;"}}));
    TFileVersionInfo version;
    ASSERT_TRUE(ReadVersionInfo(version, Output));
    EXPECT_EQ(version.ProductName, "Бровко");
    EXPECT_EQ(version.FileVersion, "1.0.9.3");
    EXPECT_EQ(version.CompanyName, "Velmora");
    EXPECT_EQ(version.FileDescription, "Оновлення");

    const fs::path patch = Dir / "patch.pdt";
    bundle.SaveToFile("Patch", patch);
    EXPECT_EQ(std::system(("unzip -tq -P " + Q(UpdateArchiveZipPassword(kPackagePassword)) + " " +
                           Q(patch.string()) + " >/dev/null")
                              .c_str()),
              0);
    TZipReader reader;
    reader.Open(patch);
    ASSERT_EQ(reader.Count(), 5u);
    EXPECT_EQ(reader.Entry(0).FullName(), "Init.ini");
    for (const TZipEntry& entry : reader.Directory())
        EXPECT_TRUE(entry.Encrypted) << entry.FullName();
    const auto prepare = reader.IndexOf("Upd1.0.2.0\\000_prepare.sql");
    ASSERT_TRUE(prepare);
    EXPECT_LT(reader.Entry(*prepare).CompressedSize, 1000u);

    test::TScriptedDialogs dialogs;
    TUpdateArchive archive;
    archive.SetArchiveFile(patch.string());
    archive.ArchivePassword = kPackagePassword;
    archive.OpenUpdateArchive();
    EXPECT_EQ(archive.Descriptor.RangeEnd, "1.0.9.3");
    EXPECT_EQ(archive.VersionList, (TVersionList{"1.0.2.0", "1.0.9.3.0"}));
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(fs::is_empty(Temp));
}

TEST_F(TarvelPack, TestSupportPacksAReadyArchiveUnchanged) {
    const fs::path ready = Dir / "ready.zip";
    ASSERT_EQ(std::system(("cd " + Q(Update.string()) + " && zip -qr -P " +
                           Q(UpdateArchiveZipPassword(kPackagePassword)) + " " + Q(ready.string()) +
                           " . >/dev/null")
                              .c_str()),
              0);
    test::TTestRelease release;
    release.Runner = kRunner;
    release.UpdateArchive = ready;
    release.Params = {{"PackagePassword", kPackagePassword}, {"IsNeedVerify", "0"}};
    release.ServiceScripts = {{"960_purge_recyclebin.sql", "begin null; end;"}};
    release.Output = Output;
    test::PackTestRelease(release);
    const TResourceBundle bundle(Output);
    EXPECT_EQ(bundle.Read(kResPatch), ReadFileBytes(ready));
    EXPECT_FALSE(bundle.Contains(kResPatchVerifier));
    EXPECT_EQ(DecodeStringTable(bundle.Read(kResStringTable)),
              (TStringTable{{1, "2"}, {2, "960_purge_recyclebin.sql##begin null; end;"}}));
}

TEST_F(TarvelPack, BadInputGetsOneMessageAndExitCodeTwoAndLeavesNothingBehind) {
    struct TCase {
        const char* Name;
        std::function<void(std::vector<std::string>&)> Change;
        std::string Message;
    };
    const auto set = [](std::vector<std::string>& arguments, const std::string& option,
                        const std::string& value) {
        for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
            if (arguments[i] == option)
                arguments[i + 1] = value;
    };
    const auto drop = [](std::vector<std::string>& arguments, const std::string& option) {
        for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
            if (arguments[i] == option)
                arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                                arguments.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    };
    const fs::path noIni = Dir / "no-ini";
    test::WriteFiles(noIni, {{"Upd1.0.2.0/Init.ini", "<TYPE>1</TYPE>"}, {"a.sql", "a"}});
    const fs::path wrongArchive = Dir / "wrong.zip";
    ASSERT_EQ(std::system(("cd " + Q(Update.string()) + " && zip -qr -P other " +
                           Q(wrongArchive.string()) + " . >/dev/null")
                              .c_str()),
              0);
    const fs::path badScripts = Dir / "scripts.txt";
    WriteFileBytes(badScripts, "begin null; end;\n##a.sql\nbegin null; end;\n");

    const std::vector<TCase> cases = {
        {"missing runner", [&](auto& a) { set(a, "--runner", (Dir / "none").string()); },
         "Файл не знайдено: " + (Dir / "none").string()},
        {"folder without a root ini", [&](auto& a) { set(a, "--update-folder", noIni.string()); },
         "немає файлу .ini"},
        {"missing update folder", [&](auto& a) { set(a, "--update-folder", (Dir / "x").string()); },
         "Папку не знайдено"},
        {"params without PackagePassword",
         [&](auto&) {
             WriteParams({{"FormCaption", "x"}, {"PackagePassword", ""}});
         },
         "немає значення PackagePassword"},
        {"password with a zero byte in the ZIP password",
         [&](auto&) {
             WriteParams({{"PackagePassword", "ыAB"}});
         },
         "нульовим символом"},
        {"checks without Verifier", [&](auto& a) { drop(a, "--verifier"); }, "Verifier"},
        {"both update sources",
         [&](auto& a) {
             a.push_back("--update-archive");
             a.push_back(wrongArchive.string());
         },
         "--update-folder або --update-archive"},
        {"archive under another password",
         [&](auto& a) {
             drop(a, "--update-folder");
             a.push_back("--update-archive=" + wrongArchive.string());
         },
         "не відкривається паролем"},
        {"text before the first script",
         [&](auto& a) { set(a, "--service-scripts", badScripts.string()); }, "рядок 1"},
        {"bad file version", [&](auto& a) { set(a, "--file-version", "1.0.x"); }, "ресурсу версії"},
        {"unknown option", [&](auto& a) { a.push_back("--compress"); }, "--compress"},
        {"option without value", [&](auto& a) { a.push_back("--output"); }, "--output"},
        {"missing output", [&](auto& a) { drop(a, "--output"); }, "--output"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        WriteFileBytes(Output, "old release");
        std::vector<std::string> arguments = FullArguments();
        c.Change(arguments);
        const TRun run = Pack(arguments);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Errors.find(c.Message), std::string::npos) << run.Errors;
        EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
        EXPECT_EQ(ReadFileBytes(Output), "old release");
        EXPECT_EQ(
            std::distance(fs::directory_iterator(Output.parent_path()), fs::directory_iterator()),
            1);
        EXPECT_TRUE(fs::is_empty(Temp));
    }
}

TEST_F(TarvelPack, HelpExplainsEveryOption) {
    const TRun run = Pack({"--help"});
    EXPECT_EQ(run.ExitCode, 0);
    for (const char* option :
         {"--runner", "--params", "--update-folder", "--update-archive", "--verifier",
          "--service-scripts", "--product-name", "--file-version", "--company-name",
          "--file-description", "--output", "PackagePassword", "IsNeedVerify"})
        EXPECT_NE(run.Output.find(option), std::string::npos) << option;
    EXPECT_EQ(Pack({}).ExitCode, 2);
}

} // namespace
} // namespace tarvel
