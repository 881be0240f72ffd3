#include "engine/PluginLibrary.h"

#include "core/CodePage.h"
#include "core/FileUtils.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

class PluginLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log = fs::temp_directory_path() / ("tarvel-plugin-" + std::to_string(::getpid()) + ".log");
        fs::remove(Log);
        setenv("TARVEL_PLUGIN_LOG", Log.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TARVEL_PLUGIN_LOG");
        fs::remove(Log);
    }
    fs::path Log;
};

TEST_F(PluginLibraryTest, OutcomeOfEachKindOfLibrary) {
    EXPECT_EQ(CallPluginLibrary(TARVEL_PLUGIN_COMPLETE, "u", "p", ""), TPluginOutcome::Complete);
    EXPECT_EQ(CallPluginLibrary(TARVEL_PLUGIN_INCOMPLETE, "u", "p", ""),
              TPluginOutcome::Incomplete);
    EXPECT_EQ(CallPluginLibrary(TARVEL_PLUGIN_WITHOUT_EXPORT, "u", "p", ""),
              TPluginOutcome::NoExport);
    EXPECT_EQ(CallPluginLibrary(Log.string() + ".missing", "u", "p", ""),
              TPluginOutcome::NotLoaded);
}

TEST_F(PluginLibraryTest, PassesWindows1251TextsAndNullForEmpty) {
    ASSERT_EQ(CallPluginLibrary(TARVEL_PLUGIN_COMPLETE, "школа", "", ""), TPluginOutcome::Complete);
    EXPECT_EQ(ReadFileBytes(Log), Utf8ToWin1251("школа") + "\n(null)\n(null)\n");
}

} // namespace
} // namespace tarvel
