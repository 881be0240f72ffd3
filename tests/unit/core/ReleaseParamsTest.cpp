#include "TempDir.h"
#include "core/CodePage.h"
#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/IniFile.h"
#include "core/UpdatePatchHelpers.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// Points TMPDIR at a folder for the lifetime of the object.
class TTmpDirOverride {
public:
    explicit TTmpDirOverride(const fs::path& folder) {
        if (const char* old = std::getenv("TMPDIR"))
            Old = old;
        setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TTmpDirOverride() {
        if (Old)
            setenv("TMPDIR", Old->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> Old;
};

// Exposes the property table and the load-time fields.
class TInspectedParams : public TPatchExecutorParams {
public:
    std::vector<std::string> PropertyNames() {
        std::vector<std::string> names;
        for (const TPublishedProperty& property : PublishedProperties())
            names.emplace_back(property.Name);
        return names;
    }
    using TPatchExecutorParams::Ini;
    using TPatchExecutorParams::Section;
};

std::string Field(const TPatchExecutorParams& p, const std::string& name) {
    if (name == "FormCaption")
        return p.FormCaption;
    if (name == "VersionCaption")
        return p.VersionCaption;
    if (name == "VersionDetail")
        return p.VersionDetail;
    if (name == "SchemeLogin")
        return p.SchemeLogin;
    if (name == "SchemePassword")
        return p.SchemePassword;
    if (name == "PackagePassword")
        return p.PackagePassword;
    if (name == "ProgName")
        return p.ProgName;
    if (name == "IsNeedVerify")
        return p.IsNeedVerify ? "true" : "false";
    if (name == "Engine")
        return p.Engine;
    throw std::logic_error(name);
}

const char* const kAllNames[] = {"FormCaption", "VersionCaption", "VersionDetail",
                                 "SchemeLogin", "SchemePassword", "PackagePassword",
                                 "ProgName",    "IsNeedVerify",   "Engine"};

TEST(ReleaseParamsTest, ParameterFileFollowsThePrivateProfileRules) {
    const std::string longValue(3000, 'x');
    const struct {
        std::string Ini; // Windows-1251
        const char* Key;
        std::string Expected;
    } cases[] = {
        {"[Form]\r\nIsNeedVerify=1\r\n", "IsNeedVerify", "true"},
        {"[Form]\r\nIsNeedVerify=0x10\r\n", "IsNeedVerify", "true"},
        {"[Form]\r\nIsNeedVerify=-1\r\n", "IsNeedVerify", "true"},
        {"[Form]\r\nIsNeedVerify=0\r\n", "IsNeedVerify", "false"},
        {"[Form]\r\nIsNeedVerify=yes\r\n", "IsNeedVerify", "false"},
        {"[Form]\r\nIsNeedVerify=1x\r\n", "IsNeedVerify", "false"},
        {"[Form]\r\nProgName=x\r\n", "IsNeedVerify", "false"},
        {"[Form]\r\nIsNeedVerify = ' 1 '\r\n", "IsNeedVerify", "false"},
        {"[Form]\r\nProgName='A \"B\"'\r\n", "ProgName", "A \"B\""},
        {"[Form]\r\nProgName=\"'A'\"\r\n", "ProgName", "'A'"},
        {"[Form]\r\nProgName='A\"\r\n", "ProgName", "'A\""},
        {"[Form]\r\nProgName='\r\n", "ProgName", "'"},
        {"[Form]\r\nProgName=''\r\n", "ProgName", ""},
        {"[Form]\r\n  SchemeLogin = x  \r\n", "SchemeLogin", "x"},
        {"[ form ]\nschemelogin=x\n", "SchemeLogin", "x"},
        {"[FORM]\rSchemeLogin=x\r", "SchemeLogin", "x"},
        {"[Form]\r\nSchemeLogin=first\r\nSCHEMELOGIN=second\r\n", "SchemeLogin", "first"},
        {"[Other]\r\nSchemeLogin=x\r\n[Form]\r\n", "SchemeLogin", ""},
        {"[Form]\r\n;SchemeLogin=x\r\n", "SchemeLogin", ""},
        {"SchemeLogin=x\r\n[Form]\r\n", "SchemeLogin", ""},
        {"[Form]\r\nVersionCaption=a#13#10b\r\n", "VersionCaption", "a#13#10b"},
        {"[Form]\r\nVersionDetail=" + longValue + "\r\n", "VersionDetail",
         longValue.substr(0, 2047)},
        {"[Form]\r\nFormCaption=\xB2\xED\xF4\xEE \xB9\x98\r\n", "FormCaption", "Інфо №\xC2\x98"},
        {"[Form]\r\nPackagePassword=A=B\r\n", "PackagePassword", "A=B"},
        {"[Form]\r\nSchemePassword=123456", "SchemePassword", "123456"},
        {"[Form]\r\nEngine=postgresql\r\n", "Engine", "postgresql"},
        {"\xEF\xBB\xBF[Form]\r\nProgName=Облік\r\n", "ProgName", "Облік"},
    };
    test::TTempDir dir;
    for (const auto& c : cases) {
        WriteFileBytes(dir / "PatchParams.ini", c.Ini);
        TPatchExecutorParams params;
        params.LoadFromFile(dir / "PatchParams.ini", "Form");
        EXPECT_EQ(Field(params, c.Key), c.Expected) << c.Ini;
    }
}

TEST(ReleaseParamsTest, SectionWithoutKeysResetsEveryProperty) {
    test::TTempDir dir;
    WriteFileBytes(dir / "PatchParams.ini", "[Form]\r\n[Other]\r\nProgName=x\r\n");
    TPatchExecutorParams params;
    params.FormCaption = params.VersionCaption = params.VersionDetail = params.SchemeLogin =
        params.SchemePassword = params.PackagePassword = params.ProgName = params.Engine = "old";
    params.IsNeedVerify = true;
    params.LoadFromFile(dir / "PatchParams.ini", "Form");
    for (const char* name : kAllNames)
        EXPECT_EQ(Field(params, name), name == std::string("IsNeedVerify") ? "false" : "") << name;
    EXPECT_EQ(params.EngineName(), "oracle");
}

TEST(ReleaseParamsTest, PropertiesAreLoadedInTheirDocumentedOrder) {
    TInspectedParams params;
    EXPECT_THAT(params.PropertyNames(), testing::ElementsAreArray(kAllNames));
}

TEST(ReleaseParamsTest, AssertionsNameTheirSourceAndLine) {
    test::TTempDir dir;
    TInspectedParams params;
    try {
        params.LoadFromFile(dir / "absent.ini", "Form");
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Source, "Tarvel/cIniSectionContainer");
        EXPECT_EQ(e.Line, 116);
    }
    try {
        params.LoadFromIni(nullptr, "Form");
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Source, "Tarvel/cIniSectionContainer");
        EXPECT_EQ(e.Line, 98);
    }
    const TIniFile ini = TIniFile::FromText("[Form]\nProgName=p\n", TIniCodePage::Utf8);
    params.LoadFromIni(&ini, "Form");
    EXPECT_EQ(params.ProgName, "p");
    EXPECT_EQ(params.Ini(), nullptr);
    EXPECT_EQ(params.Section(), "");
}

// Integer and floating-point settings, and one of a kind loading skips.
class TNumberSettings : public TIniSectionContainer {
public:
    int Count = 5;
    double Ratio = 5;
    std::string Name = "kept";

protected:
    std::vector<TPublishedProperty> PublishedProperties() override {
        return {{"Count", Count}, {"Ratio", Ratio}, TPublishedProperty("Name")};
    }
};

TEST(ReleaseParamsTest, NumbersReadWithTheirDefaults) {
    const struct {
        const char* Ini;
        int Count;
        double Ratio;
    } cases[] = {
        {"[S]\nCount=0x1F\nRatio=2.5\nName=x\n", 31, 2.5},
        {"[S]\nCount=-3\nRatio=0,25\n", -3, 0.25},
        {"[S]\nCount=3.0\nRatio=abc\n", 0, 0},
        {"[S]\n", 0, 0},
    };
    for (const auto& c : cases) {
        const TIniFile ini = TIniFile::FromText(c.Ini, TIniCodePage::Utf8);
        TNumberSettings settings;
        settings.LoadFromIni(&ini, "s");
        EXPECT_EQ(settings.Count, c.Count) << c.Ini;
        EXPECT_EQ(settings.Ratio, c.Ratio) << c.Ini;
        EXPECT_EQ(settings.Name, "kept") << c.Ini;
    }
}

TEST(ReleaseParamsTest, DecodeLineBreaks) {
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {
        {"a#13#10#13#10b", "a\r\n\r\nb"},
        {"a#13b", "a#13b"},
        {"#13#1", "#13#1"},
        {"#13#10", "\r\n"},
        {"#13#13#10", "#13\r\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TUpdateUtils::DecodeLineBreaks(c.In), c.Out) << c.In;
}

TEST(ReleaseParamsTest, WorkingFoldersArePrivateFreshAndUnderTmpdir) {
    test::TTempDir dir;
    TTmpDirOverride tmp(dir / "not/yet/there");
    const fs::path first = TUpdateUtils::CreateWorkingFolder();
    const fs::path second = TUpdateUtils::CreateWorkingFolder();
    EXPECT_NE(first, second);
    for (const fs::path& folder : {first, second}) {
        EXPECT_EQ(folder.parent_path(), dir / "not/yet/there");
        EXPECT_THAT(
            folder.filename().string(),
            testing::MatchesRegex("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-"
                                  "[0-9A-F]{12}\\}"));
        struct stat st;
        ASSERT_EQ(stat(folder.c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
}

TEST(ReleaseParamsTest, ParameterFileIsGoneOnceLoaded) {
    test::TTempDir dir;
    WriteFileBytes(dir / "release", "program");
    WriteResourceBundle(
        dir / "release",
        {TResourceItem::FromData("PatchParams",
                                 Utf8ToWin1251("[Form]\r\nFormCaption='Облік \"Звіт\"#13#10v2'\r\n"
                                               "SchemePassword=123456\r\nIsNeedVerify=1\r\n"))});
    const TResourceBundle bundle(dir / "release");
    fs::create_directory(dir / "work");

    TPatchExecutorParams params;
    LoadPatchParams(params, dir / "work", bundle);
    EXPECT_EQ(params.SchemePassword, "123456");
    EXPECT_TRUE(params.IsNeedVerify);
    EXPECT_TRUE(fs::is_empty(dir / "work"));

    fs::create_directory(dir / "tmp");
    TTmpDirOverride tmp(dir / "tmp");
    EXPECT_EQ(ReadReleaseCaption(bundle), "Облік \"Звіт\"\r\nv2");
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));

    WriteResourceBundle(dir / "release", {});
    EXPECT_THROW(ReadReleaseCaption(TResourceBundle(dir / "release")), Exception);
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
}

} // namespace
} // namespace tarvel
