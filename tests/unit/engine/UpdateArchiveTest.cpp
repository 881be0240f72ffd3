#include "engine/UpdateArchive.h"

#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "core/CodePage.h"
#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/ZipWriter.h"
#include "engine/ArchivePassword.h"
#include "engine/VersionKeys.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

const std::string kPackagePassword = "Q7W2E9R4T1Y6U3I8O5P0A2S7D4F9G1";

TEST(ArchivePassword, ScramblesOddPositionsAroundThePrefixInWindows1251) {
    struct TCase {
        std::string Text, Derived;
    };
    const std::vector<TCase> cases = {
        {"", ""},
        {"A", "F<"},
        {"AB", "F<"},
        {"ABC", "HF<>"},
        {"Ї", "\xB4\xAA"},                     // 0xAF in Windows-1251
        {"\x03x", "\x08\xFE"},                 // wraps below zero
        {"\xD1\x8F", std::string("\x04\xFA")}, // "я" is 0xFF: wraps above 255
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(DeriveArchivePassword(c.Text), c.Derived);
        EXPECT_EQ(UpdateArchiveZipPassword(c.Text), c.Derived + Utf8ToWin1251(c.Text));
    }
    EXPECT_EQ(UpdateArchiveZipPassword(kPackagePassword).size(), 60u);
}

TEST(GetTagValue, FindsTrimmedTextBetweenTheFirstMarkers) {
    struct TCase {
        std::string Text, Tag, Value;
    };
    const std::vector<TCase> cases = {
        {"<BEGIN> 1.0.2.0 </BEGIN>", "<BEGIN>", "1.0.2.0"},
        {"<BEGIN>\r\n\t1.0.2.0\r\n</BEGIN>", "<BEGIN>", "1.0.2.0"},
        {"<A>1</A><A>2</A>", "<A>", "1"},
        {"<PROGRAMM VERSION>9</PROGRAMM VERSION>", "<VERSION>", ""},
        {"<MAIN MODULE>1</MAIN MODULE><MODULE>M</MODULE>", "<MODULE>", "M"},
        {"</END> x <END>", "<END>", ""},     // closing marker first
        {"<END> x", "<END>", ""},            // no closing marker
        {"nothing here", "<END>", ""},       // neither marker
        {"abcdefgh</END>", "<END>", "efgh"}, // no opening marker: from position 5
        {"abc</END>", "<END>", ""},          // ... which lies past the closing one
        {"<A></A>", "<A>", ""},
        {"<TYPE> 2 </TYPE>", "<TYPE>", "2"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(GetTagValue(c.Text, c.Tag), c.Value);
    }
}

TEST(VersionKeyOfPath, TakesTheTextAfterUpdInTheInnermostFolder) {
    struct TCase {
        std::string Path, Key;
    };
    const std::vector<TCase> cases = {
        {"Upd1.0.2.0\\", "1.0.2.0"},
        {"Upd1.0.6.0\\Upd1.0.6.0.1\\", "1.0.6.0.1"},
        {"upd1.0.6.0\\upd1.0.6.0.1\\", "1.0.6.0.1"},
        {"", ""},
        {"update1.2\\", "ATE1.2"},
        {"Upd1.0.6.0\\scripts\\", "CRIPTS"}, // no UPD inside: "\SCRIPTS" less two characters
        {"Other\\", "HER"},
        {"X\\", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(VersionKeyOfPath(c.Path), c.Key);
    }
}

TEST(UpdateDescriptor, ReadsAnyCaseIntoUpperCaseValues) {
    const std::string text = DescriptorText(
        Utf8ToWin1251("<type>2</type>\r\n<database><user> brox_user </user></database>\r\n"
                      "<version><range><begin> 1.0.2.0 </begin><end>1.0.9.3</end></range>"
                      "<main module>1.0.9.3</main module></version>\r\n"
                      "<programm version>5.1.0.0</programm version>\r\n<module>reports</module>") +
        std::string("\0<TYPE>1</TYPE>", 15));
    TUpdateDescriptor descriptor;
    ReadUpdateDescriptor(text, descriptor);
    EXPECT_EQ(descriptor.UpdateType, 2);
    EXPECT_EQ(descriptor.UserName, "BROX_USER");
    EXPECT_EQ(descriptor.RangeBegin, "1.0.2.0");
    EXPECT_EQ(descriptor.RangeEnd, "1.0.9.3");
    EXPECT_EQ(descriptor.ProgramVersion, "5.1.0.0");
    EXPECT_EQ(descriptor.ModuleName, "REPORTS");
    EXPECT_EQ(descriptor.MainModuleVersion, "1.0.9.3");

    TUpdateDescriptor mainProgram;
    ReadUpdateDescriptor("<TYPE>1</TYPE><MODULE>X</MODULE>", mainProgram);
    EXPECT_EQ(mainProgram.ModuleName, "");

    for (const std::string bad : {"<TYPE></TYPE>", "no type", "<TYPE>two</TYPE>"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ReadUpdateDescriptor(bad, mainProgram), EConvertError);
    }
}

int Shell(const std::string& commandLine) {
    const int status = std::system((commandLine + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// An update folder zipped by Info-ZIP in the order given, with its derived password.
class InfoZipUpdate : public ::testing::Test {
protected:
    test::TTempDir Dir;
    fs::path Folder = Dir / "update";
    fs::path Archive = Dir / "patch.pdt";
    test::TScriptedDialogs Dialogs;

    void Put(const std::string& name, const std::string& text) {
        fs::create_directories((Folder / name).parent_path());
        WriteFileBytes(Folder / name, text);
    }

    void Zip(const std::vector<std::string>& names, const std::string& packagePassword) {
        std::string list;
        for (const std::string& name : names)
            list += " '" + name + "'";
        ASSERT_EQ(Shell("cd '" + Folder.string() + "' && zip -q -P '" +
                        UpdateArchiveZipPassword(packagePassword) + "' '" + Archive.string() + "'" +
                        list),
                  0);
    }
};

TEST_F(InfoZipUpdate, OpensWithTheDerivedPasswordAndBuildsTheSortedVersionList) {
    Put("Init.ini", "<TYPE>1</TYPE><VERSION><RANGE><BEGIN>1.0.2.0</BEGIN><END>1.0.9.3</END>"
                    "</RANGE></VERSION><DATABASE><USER>brox</USER></DATABASE>");
    Put("Upd1.0.10.0/000_a.sql", "select 10;");
    Put("Upd1.0.2.0/000_prepare.sql", std::string("select 2;\0garbage", 17));
    Put("Upd1.0.2.0/230_rm_variables.sql", "x");
    Put("Upd1.0.6.0/Upd1.0.6.0.1/000_b.sql", "b");
    Put("Upd1.0.6.0/Upd1.0.6.0.0/000_a.sql", "a");
    Put("Second.ini", "<TYPE>7</TYPE>");
    Zip({"Init.ini", "Upd1.0.10.0/000_a.sql", "Upd1.0.2.0/000_prepare.sql",
         "Upd1.0.2.0/230_rm_variables.sql", "Upd1.0.6.0/", "Upd1.0.6.0/Upd1.0.6.0.1/000_b.sql",
         "Upd1.0.6.0/Upd1.0.6.0.0/000_a.sql", "Second.ini"},
        kPackagePassword);

    TUpdateArchive archive;
    archive.SetArchiveFile(Archive.string());
    EXPECT_EQ(archive.ReportFile, Archive.string() + ".out");
    archive.ArchivePassword = kPackagePassword;
    archive.OpenUpdateArchive();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_TRUE(archive.PasswordAccepted);
    EXPECT_EQ(archive.Descriptor.UpdateType, 1);
    EXPECT_EQ(archive.Descriptor.UserName, "BROX");
    EXPECT_EQ(archive.Descriptor.RangeEnd, "1.0.9.3");
    EXPECT_EQ(archive.VersionList, (TVersionList{"1.0.2.0", "1.0.6.0.0", "1.0.6.0.1", "1.0.10.0"}));

    archive.ReopenForRun();
    const std::vector<std::size_t> step = archive.EntriesOfVersion("1.0.2.0");
    ASSERT_EQ(step.size(), 2u);
    EXPECT_EQ(archive.Entry(step[0]).FileName, "000_prepare.sql");
    EXPECT_EQ(archive.ExtractText(step[0]), "select 2;");
    EXPECT_EQ(archive.Entry(step[1]).FileName, "230_rm_variables.sql");
    EXPECT_EQ(archive.EntriesOfVersion("1.0.6.0").size(), 0u);
}

TEST_F(InfoZipUpdate, WrongPasswordShowsTheMessageOnceAndStopsSilently) {
    Put("Init.ini", "<TYPE>1</TYPE>");
    Put("Upd1.0.2.0/000_a.sql", "a");
    Zip({"Upd1.0.2.0/000_a.sql", "Init.ini"}, kPackagePassword);

    TUpdateArchive archive;
    archive.SetArchiveFile(Archive.string());
    archive.ArchivePassword = kPackagePassword + "X";
    EXPECT_THROW(archive.OpenUpdateArchive(), EAbort);
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    // The dialog ends every text with one full stop.
    EXPECT_EQ(Dialogs.Shown[0].Text, "Невірний пароль, модифікацію зупинено.");
    EXPECT_EQ(Dialogs.Shown[0].Kind, TMsgKind::mkError);
    ASSERT_EQ(Dialogs.Shown[0].Buttons.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Buttons[0].ModalResult, mrOk);
    EXPECT_FALSE(archive.PasswordAccepted);

    // During a run, every read of an entry stops the same way.
    archive.ReopenForRun();
    EXPECT_THROW(archive.ExtractToMemory(0), EAbort);
    EXPECT_EQ(Dialogs.Shown.size(), 2u);
}

TEST_F(InfoZipUpdate, DescriptorAndKeysFollowTheArchiveNotAssumptions) {
    struct TCase {
        const char* Name;
        std::vector<std::pair<std::string, std::string>> Files;
        int UpdateType;
        bool ConvertError;
    };
    const std::vector<TCase> cases = {
        {"no ini keeps the fields", {{"Upd1.0.2.0/a.sql", "a"}}, 0, false},
        {"first ini only", {{"b.INI", "<TYPE>3</TYPE>"}, {"a.ini", "<TYPE>4</TYPE>"}}, 3, false},
        {"type not a number", {{"Init.ini", "<TYPE>x</TYPE>"}}, 0, true},
        {"key not a version",
         {{"Init.ini", "<TYPE>1</TYPE>"}, {"update1.2/a.sql", "a"}, {"Upd1.0.2.0/a.sql", "a"}},
         1,
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(Folder);
        fs::remove(Archive);
        std::vector<std::string> names;
        for (const auto& [name, text] : c.Files) {
            Put(name, text);
            names.push_back(name);
        }
        Zip(names, kPackagePassword);
        TUpdateArchive archive;
        archive.SetArchiveFile(Archive.string());
        archive.ArchivePassword = kPackagePassword;
        if (c.ConvertError) {
            EXPECT_THROW(archive.OpenUpdateArchive(), EConvertError);
            continue;
        }
        archive.OpenUpdateArchive();
        EXPECT_EQ(archive.Descriptor.UpdateType, c.UpdateType);
        EXPECT_EQ(archive.Descriptor.RangeBegin, "");
    }
    TUpdateArchive missing;
    missing.SetArchiveFile((Dir / "none.pdt").string());
    EXPECT_THROW(missing.OpenUpdateArchive(), Exception);
    missing.SetArchiveFile("  ");
    EXPECT_EQ(missing.ReportFile, (Dir / "none.pdt").string() + ".out");
}

TEST(UpperFileExtension, TakesTheLastDot) {
    EXPECT_EQ(UpperFileExtension("301_BlobPackage.bfb"), ".BFB");
    EXPECT_EQ(UpperFileExtension("a.b.Sql"), ".SQL");
    EXPECT_EQ(UpperFileExtension("README"), "");
}

} // namespace
} // namespace tarvel
