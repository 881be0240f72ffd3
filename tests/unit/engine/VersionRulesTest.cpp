#include "engine/VersionRules.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>
#include <map>

namespace tarvel {
namespace {

TEST(CompareVersions, ComparesFieldsAsNumbersUpToTheShorterVersion) {
    struct TCase {
        std::string A, B;
        int Sign;
    };
    const std::vector<TCase> cases = {
        {"1.0.6.0.1", "1.0.6.0", 0},  {"1.0.6.0", "1.0.6.0.1", 0},
        {"1.0.10.0", "1.0.9.9", 1},   {"1.0.6.0.3", "1.0.6.1.0", -1},
        {"1.0.6.0.3", "1.0.6.2", -1}, {"1.0.2.0", "1.0.2.0", 0},
        {"2", "1.9.9.9", 1},          {"1.0.9.3", "1.0.9.4", -1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.A + " vs " + c.B);
        const int result = CompareVersions(c.A, c.B);
        EXPECT_EQ((result > 0) - (result < 0), c.Sign);
    }
    for (const auto& [a, b] :
         std::vector<std::pair<std::string, std::string>>{{"", "1.0.0.0"},
                                                          {"1.0..0", "1.0.0.0"},
                                                          {"ATE1.2", "1.0.2.0"},
                                                          {"1.0.2.0", "1.0.x.0"}}) {
        SCOPED_TRACE(a + " vs " + b);
        EXPECT_THROW(CompareVersions(a, b), EConvertError);
    }
}

TEST(SortVersions, OrdersKeysAndSubStepsAscending) {
    TVersionList list = {"1.0.9.3", "1.0.6.0.1", "1.0.10.0", "1.0.2.0", "1.0.6.1", "1.0.6.0.0"};
    SortVersions(list);
    EXPECT_EQ(list, (TVersionList{"1.0.2.0", "1.0.6.0.0", "1.0.6.0.1", "1.0.6.1", "1.0.9.3",
                                  "1.0.10.0"}));
    TVersionList bad = {"1.0.2.0", "ATE1.2"};
    EXPECT_THROW(SortVersions(bad), EConvertError);
}

// The installed versions as the settings table would hold them.
class TSettings {
public:
    std::map<std::string, std::string> Values;
    std::vector<std::string> Asked;
    TSettingSource Source() {
        return [this](const std::string& id) {
            Asked.push_back(id);
            const auto found = Values.find(id);
            return found == Values.end() ? std::string() : found->second;
        };
    }
};

TUpdateDescriptor MainRange(const std::string& begin, const std::string& end) {
    TUpdateDescriptor descriptor;
    descriptor.UpdateType = 1;
    descriptor.RangeBegin = begin;
    descriptor.RangeEnd = end;
    return descriptor;
}

const std::string kOutOfRange = "Поточна версія продукту не потрапляє в діапазон модифікації";

TEST(CheckVersions, JudgesTheInstalledVersionAgainstTheRange) {
    struct TCase {
        std::string Installed, Begin, End;
        bool Result;
        std::string Message;
    };
    const std::vector<TCase> cases = {
        {"1.0.2.0", "1.0.2.0", "1.0.9.3", true, ""},
        {"1.0.9.2", "1.0.2.0", "1.0.9.3", true, ""},
        {"1.0.6.0.2", "1.0.2.0", "1.0.9.3", true, ""},
        {"1.0.9.3", "1.0.2.0", "1.0.9.3", false, ""},
        {"1.0.1.9", "1.0.2.0", "1.0.9.3", false, kOutOfRange},
        {"1.0.9.4", "1.0.2.0", "1.0.9.3", false, kOutOfRange},
        {"1.0.5.0", "1.0.2.0", "1.0.10.0", false, "\"1.0.10.0\" - невірний формат номера версії."},
        {"1.0.5.0", "01.0.2.0", "1.0.10.0", false, "\"01.0.2.0\" - невірний формат номера версії."},
        {"1.0.5.0", "1.0.2.0", "1.0.9", false, "\"1.0.9\" - невірний формат номера версії."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Installed + " in " + c.Begin + ".." + c.End);
        const TUpdateDescriptor descriptor = MainRange(c.Begin, c.End);
        TSettings settings;
        settings.Values["PROGRAM_VERSION"] = c.Installed;
        TVersionRules rules(descriptor, settings.Source());
        std::string message;
        EXPECT_EQ(rules.CheckVersions(message), c.Result);
        EXPECT_EQ(message, c.Message);
        EXPECT_EQ(rules.CurrentVersion, c.Installed);
        EXPECT_EQ(settings.Asked, std::vector<std::string>{"PROGRAM_VERSION"});
    }
}

TEST(CheckVersions, EmptyOrNonNumericVersionsRaiseBeforeTheFormatCheck) {
    struct TCase {
        std::string Installed, Begin, End;
    };
    for (const TCase& c : std::vector<TCase>{{"", "1.0.2.0", "1.0.9.3"},
                                             {"1.0.5.0", "", "1.0.9.3"},
                                             {"1.0.5.0", "1.0.2.0", ""},
                                             {"1.0.5.0", "1.0.2.0", "1.0.X.3"}}) {
        SCOPED_TRACE(c.Installed + " in " + c.Begin + ".." + c.End);
        const TUpdateDescriptor descriptor = MainRange(c.Begin, c.End);
        TSettings settings;
        settings.Values["PROGRAM_VERSION"] = c.Installed;
        TVersionRules rules(descriptor, settings.Source());
        std::string message;
        EXPECT_THROW(rules.CheckVersions(message), EConvertError);
    }
}

TEST(CheckVersions, ModuleUpdatesNeedTheirMainProgramAndMayBeNew) {
    TUpdateDescriptor descriptor = MainRange("1.0.2.0", "1.0.9.3");
    descriptor.UpdateType = 2;
    descriptor.ModuleName = "REPORTS";
    descriptor.MainModuleVersion = "1.0.9.3";
    struct TCase {
        std::string Main, Module;
        bool Result;
        std::string Current, Message;
    };
    const std::vector<TCase> cases = {
        {"1.0.9.3", "", true, "0.0.0.0", ""},
        {"1.0.9.3", "1.0.4.0", true, "1.0.4.0", ""},
        {"1.0.9.3", "1.0.9.3", false, "1.0.9.3", ""},
        {"1.0.9.2", "1.0.4.0", false, "",
         "Поточна версія (1.0.9.2) головного програмного модуля є несумісною.\r\nМодуль "
         "потребує версію 1.0.9.3."},
        {"", "", false, "",
         "Поточна версія () головного програмного модуля є несумісною.\r\nМодуль потребує "
         "версію 1.0.9.3."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Main + " / " + c.Module);
        TSettings settings;
        settings.Values["PROGRAM_VERSION"] = c.Main;
        settings.Values["PROGRAM_VERSION_REPORTS"] = c.Module;
        TVersionRules rules(descriptor, settings.Source());
        EXPECT_EQ(rules.VersionSettingId(), "PROGRAM_VERSION_REPORTS");
        std::string message;
        EXPECT_EQ(rules.CheckVersions(message), c.Result);
        EXPECT_EQ(message, c.Message);
        EXPECT_EQ(rules.CurrentVersion, c.Current);
    }
    TUpdateDescriptor mainProgram = MainRange("1.0.2.0", "1.0.9.3");
    mainProgram.MainModuleVersion = "9.9.9.9";
    TSettings settings;
    std::string message;
    EXPECT_TRUE(TVersionRules(mainProgram, settings.Source()).CheckMainModule(message));
    EXPECT_TRUE(settings.Asked.empty());
}

TEST(SelectVersions, KeepsTheKeysAboveTheInstalledVersionUpToTheEnd) {
    const TVersionList all = {"1.0.2.0",   "1.0.4.9",   "1.0.6.0.0", "1.0.6.0.1", "1.0.6.0.2",
                              "1.0.6.0.3", "1.0.6.1.0", "1.0.6.2",   "1.0.9.3"};
    struct TCase {
        std::string Installed, End;
        TVersionList Selected;
    };
    const std::vector<TCase> cases = {
        {"1.0.4.9",
         "1.0.6.2",
         {"1.0.6.0.0", "1.0.6.0.1", "1.0.6.0.2", "1.0.6.0.3", "1.0.6.1.0", "1.0.6.2"}},
        {"1.0.6.0", "1.0.9.3", {"1.0.6.1.0", "1.0.6.2", "1.0.9.3"}},
        {"1.0.6.0.1", "1.0.6.1", {"1.0.6.0.2", "1.0.6.0.3", "1.0.6.1.0"}},
        {"1.0.9.3", "1.0.9.3", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Installed + " up to " + c.End);
        const TUpdateDescriptor descriptor = MainRange("1.0.2.0", c.End);
        TVersionRules rules(descriptor, TSettingSource());
        rules.CurrentVersion = c.Installed;
        TVersionList list = all;
        EXPECT_EQ(rules.SelectVersions(list), !c.Selected.empty());
        EXPECT_EQ(list, c.Selected);
    }
    EXPECT_EQ(LastVersion(all), "1.0.9.3");
    EXPECT_EQ(LastVersion({}), "");
}

} // namespace
} // namespace tarvel
