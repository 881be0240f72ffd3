#include "console/RunConsoleCommand.h"
#include "console/TCMDCommandsList.h"
#include "console/TCMDExtractPatch.h"
#include "console/TCMDHelpCommand.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

// The registry is one per process, so the extract command is registered once for every case.
class ConsoleCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterCommand(CommandClassOf<TCMDExtractPatch>()); }
};

TEST_F(ConsoleCommands, RegistryHoldsHelpFirstThenCommandsInRegistrationOrder) {
    const auto& items = CommandsList().Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], &CommandClassOf<TCMDHelpCommand>());
    EXPECT_EQ(items[1], &CommandClassOf<TCMDExtractPatch>());
}

TEST_F(ConsoleCommands, SecondRegistryIsAProgrammingError) {
    CommandsList();
    try {
        TCMDCommandsList second;
        FAIL() << "a second registry was created";
    } catch (const EAssertionFailed& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Single using only", 0), 0u) << error.what();
    }
    EXPECT_EQ(CommandsList().Items().size(), 2u)
        << "the failed second one must not disturb the first";
}

TEST_F(ConsoleCommands, FirstArgumentAloneSelectsTheCommand) {
    const TCMDCommandClass* help = &CommandClassOf<TCMDHelpCommand>();
    const TCMDCommandClass* extract = &CommandClassOf<TCMDExtractPatch>();
    const struct {
        std::vector<std::string> Arguments;
        const TCMDCommandClass* Expected;
    } cases[] = {
        {{"prog", "-help"}, help},
        {{"prog", "/help"}, help},
        {{"prog", "-extract", "out.pdt"}, extract},
        {{"prog", "/extract"}, extract},
        {{"prog", "-HELP"}, nullptr},
        {{"prog", "-Help"}, nullptr},
        {{"prog", "help"}, nullptr},
        {{"prog", "-"}, nullptr},
        {{"prog", "/"}, nullptr},
        {{"prog", "--help"}, nullptr},
        {{"prog", "\\help"}, nullptr},
        {{"prog", "-help "}, nullptr},
        {{"prog", "/fast", "-help"}, nullptr},
        {{"prog", ""}, nullptr},
        {{"prog"}, nullptr},
        {{}, nullptr},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& argument : c.Arguments)
            shown += "[" + argument + "]";
        EXPECT_EQ(FindConsoleCommand(c.Arguments), c.Expected) << shown;
    }
}

TEST_F(ConsoleCommands, NoCommandNamedPrintsNothing) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(RunConsoleCommand({"prog", "-HELP"}));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace tarvel
