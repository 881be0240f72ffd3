#include "ReleasePacker.h"
#include "RunProgram.h"
#include "TempDir.h"
#include "core/FileUtils.h"
#include "tarvel-pack/ReleaseBuilder.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tarvel {
namespace {

using test::RunProgram;
using test::TProgramResult;
namespace fs = std::filesystem;

const fs::path Runner = TARVEL_PROGRAM;
const fs::path Packer = TARVEL_PACK_PROGRAM;

// The terminal has no Ukrainian "І"/"і"; the program prints them as Latin letters.
std::string Shown(std::string text) {
    for (const auto& [from, to] : {std::pair{"І", "I"}, std::pair{"і", "i"}})
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, std::string(from).size(), to);
    return text;
}

std::vector<std::string> Shown(std::vector<std::string> lines) {
    for (std::string& line : lines)
        line = Shown(line);
    return lines;
}

std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = output.find('\n'); end != std::string::npos;
         start = end + 1, end = output.find('\n', start))
        lines.push_back(output.substr(start, end - start));
    EXPECT_EQ(start, output.size()) << "the last line must end with a line break";
    return lines;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> result;
    for (const auto& part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

const std::string WindowModeMessage = "Віконний режим у цій збірці програми відсутній.";

const std::vector<std::string> Banner = {"КАРІОН Оновлення [Версія 6.1.2.0]", "ТОВ Велмора"};

const std::vector<std::string> HelpHeading = {
    "", "", "Виконання операцій у консольному режимі.", "", "Інформація", ""};
const std::vector<std::string> HelpEnding = {"", "", "Для завершення натисніть [Enter]"};

class ConsoleMode : public ::testing::Test {
protected:
    void SetUp() override {
        // Binary on purpose: zero bytes, line breaks, bytes above 0x7F.
        for (int i = 0; i < 70000; ++i)
            Payload.push_back(static_cast<char>((i * 7919) % 256));
    }
    // The release as a maker builds it: an update archive of a folder, packed onto the runner by
    // the tarvel-pack program.
    fs::path PackRelease(const std::string& caption, bool withVersion = true) {
        const std::string packagePassword = "KARION0PACKAGE0PASSWORD0123456";
        test::WriteFiles(Folder / "update", {{"Init.ini", "<TYPE>1</TYPE>"},
                                             {"6.1.2.0/01_tables.sql", "select 1;"},
                                             {"6.1.2.0/payload.bin", Payload}});
        BuildUpdateArchive(Folder / "update", packagePassword, Archive);
        WriteFileBytes(Folder / "PatchParams.ini",
                       test::PatchParamsText({{"ProgName", "'\"КАРІОН\"'"},
                                              {"FormCaption", "'" + caption + "'"},
                                              {"SchemeLogin", "KARION"},
                                              {"PackagePassword", packagePassword},
                                              {"IsNeedVerify", "0"}}));
        const fs::path release = Folder / "Patch_2024.run";
        std::vector<std::string> arguments = {
            "--runner",         Runner.string(),  "--params", (Folder / "PatchParams.ini").string(),
            "--update-archive", Archive.string(), "--output", release.string()};
        if (withVersion)
            arguments.insert(arguments.end(),
                             {"--product-name", "КАРІОН Оновлення", "--file-version", "6.1.2.0",
                              "--company-name", "ТОВ Велмора"});
        test::TProgramRun pack;
        pack.Arguments = arguments;
        const TProgramResult packed = RunProgram(Packer, pack);
        EXPECT_EQ(packed.ExitCode, 0) << packed.Err;
        return release;
    }

    TProgramResult Run(const fs::path& program, std::vector<std::string> arguments) {
        test::TProgramRun run;
        run.Arguments = std::move(arguments);
        run.WorkingFolder = Folder;
        run.Environment = {{"LC_ALL", "C.UTF-8"}};
        TProgramResult result = RunProgram(program, run);
        EXPECT_FALSE(result.TimedOut) << "the program waited for input";
        return result;
    }

    test::TTempDir Temp;
    const fs::path& Folder = Temp.Path();
    const fs::path Archive = Folder / "update.zip";
    std::string Payload;
};

TEST_F(ConsoleMode, HelpListsTheCommandsWithTheVersionBanner) {
    const fs::path release = PackRelease("Оновлення");
    const TProgramResult dash = Run(release, {"-help"});
    EXPECT_EQ(dash.ExitCode, 0);
    EXPECT_EQ(dash.Err, "");
    EXPECT_EQ(Lines(dash.Out), Shown(Concat({Banner,
                                             HelpHeading,
                                             {"PATCH_2024.RUN -COMMAND [-PARAMS]", "",
                                              "Ключ -COMMAND одна з операцій: ",
                                              "  -HELP   інформація про режими роботи "
                                              "консольного режиму",
                                              "  -EXTRACT   видубуток файлу апдейту "},
                                             HelpEnding})));

    const TProgramResult slash = Run(release, {"/help"});
    EXPECT_EQ(slash.ExitCode, 0);
    EXPECT_EQ(slash.Out, dash.Out);
}

// Whether the program, with a terminal as its stdin, is still running after a while, and then
// ends with exit code 0 once Enter is typed.
struct TTerminalWait {
    bool WaitedForEnter = false;
    int ExitCode = -1;
};

TTerminalWait RunOnTerminal(const fs::path& program, const std::string& argument,
                            const fs::path& folder) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master, 0);
    grantpt(master);
    unlockpt(master);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, ptsname(master), O_RDWR, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::string programText = program.string(), argumentText = argument;
    char* argv[] = {programText.data(), argumentText.data(), nullptr};
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, programText.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    TTerminalWait result;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int status = 0;
    bool ended = waitpid(child, &status, WNOHANG) == child;
    result.WaitedForEnter = !ended;
    if (!ended) {
        EXPECT_EQ(write(master, "\n", 1), 1);
        for (int i = 0; i < 1000 && !ended; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ended = waitpid(child, &status, WNOHANG) == child;
        }
    }
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    close(master);
    if (ended && WIFEXITED(status))
        result.ExitCode = WEXITSTATUS(status);
    return result;
}

TEST_F(ConsoleMode, OnATerminalHelpWaitsForEnterAndExtractDoesNot) {
    const fs::path release = PackRelease("Оновлення");
    const TTerminalWait help = RunOnTerminal(release, "-help", Folder);
    EXPECT_TRUE(help.WaitedForEnter);
    EXPECT_EQ(help.ExitCode, 0);

    const TTerminalWait extract = RunOnTerminal(release, "-extract", Folder);
    EXPECT_FALSE(extract.WaitedForEnter);
    EXPECT_EQ(extract.ExitCode, 0);
}

TEST_F(ConsoleMode, HelpForOneCommand) {
    const fs::path release = PackRelease("Оновлення");
    const std::vector<std::string> extractHelp = {
        "PATCH_2024.RUN -EXTRACT [-PARAMS]",
        "",
        "Команда видобутку файлу апдейту.",
        "",
        "Параметр \"назва файлу апдейту\":",
        " видобуток буде виконано у заданий параметром файл.",
        ""};
    const std::vector<std::string> helpHelp = {
        "PATCH_2024.RUN -HELP [-PARAMS]",
        "",
        "Інформація про можливості використання програми у консольному режимі.",
        "",
        "Без параметрів:",
        " друк списку доступних команд",
        "Параметр \"назва команди\":",
        " друк інформації про певну команду",
        "Параметр \"HELP\":",
        " друк цієї сторінки",
        ""};
    const auto notSupported = [](const std::string& name) {
        return std::vector<std::string>{
            "Команда " + name + " не підтримується.",
            "Скористайтесь командою HELP щоб дізнатись які команди доступні в командному "
            "режимі."};
    };
    const struct {
        std::vector<std::string> Arguments;
        std::vector<std::string> Details;
    } cases[] = {
        {{"-help", "extract"}, extractHelp},
        {{"/help", "help"}, helpHelp},
        {{"-help", "-extract"}, notSupported("-extract")},
        {{"-help", "EXTRACT"}, notSupported("EXTRACT")},
        {{"-help", "%s"}, notSupported("%s")},
        {{"-help", ""}, notSupported("")},
    };
    for (const auto& c : cases) {
        const TProgramResult result = Run(release, c.Arguments);
        EXPECT_EQ(result.ExitCode, 0) << c.Arguments[1];
        EXPECT_EQ(Lines(result.Out), Shown(Concat({Banner, HelpHeading, c.Details, HelpEnding})))
            << c.Arguments[1];
    }
}

TEST_F(ConsoleMode, WithoutVersionResourceOutputStartsWithTheEmptyLine) {
    const fs::path release = PackRelease("Оновлення", false);
    for (const fs::path& program : {release, Runner}) {
        const TProgramResult result = Run(program, {"-help"});
        EXPECT_EQ(result.ExitCode, 0) << program;
        const std::vector<std::string> lines = Lines(result.Out);
        ASSERT_GE(lines.size(), 3u) << program;
        EXPECT_EQ(lines[0], "") << program;
        EXPECT_EQ(lines[2], Shown("Виконання операцій у консольному режимі.")) << program;
    }
}

TEST_F(ConsoleMode, ArgumentsNamingNoCommandStartTheWindowMode) {
    const fs::path release = PackRelease("Оновлення");
    const std::vector<std::string> cases[] = {
        {}, {"-HELP"}, {"-Help"}, {"help"}, {"-"}, {"/fast"}, {"/fast", "-help"}, {"--help"},
    };
    for (const auto& arguments : cases) {
        const std::string shown = arguments.empty() ? "(none)" : arguments[0];
        const TProgramResult result = Run(release, arguments);
        EXPECT_EQ(result.Out, "") << shown;
        EXPECT_EQ(result.Err, Shown(WindowModeMessage) + "\n") << shown;
        EXPECT_EQ(result.ExitCode, 1) << shown;
    }
}

TEST_F(ConsoleMode, ExtractWritesTheArchiveAndReplacesAnExistingFile) {
    const fs::path release = PackRelease("Оновлення \"КАРІОН\"#13#10Версія 6.1");
    const fs::path target = Folder / "ціль з пропуском.pdt";
    WriteFileBytes(target, std::string(200000, 'x'));

    const TProgramResult result = Run(release, {"-extract", target.string()});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(Lines(result.Out),
              Shown(Concat({Banner,
                            {"", "Видубуток файлу апдейту ", "", "Оновлення \"КАРІОН\"",
                             "Версія 6.1", "", "Патч збережено в файл " + target.string()}})));
    EXPECT_TRUE(ReadFileBytes(target) == ReadFileBytes(Archive))
        << "the target must hold the archive byte for byte";
}

TEST_F(ConsoleMode, ExtractWithoutTargetWritesPatchPdtIntoTheCurrentFolder) {
    const fs::path release = PackRelease("Оновлення");
    const TProgramResult result = Run(release, {"/extract"});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), Shown("Патч збережено в файл " + (Folder / "patch.pdt").string()));
    EXPECT_TRUE(ReadFileBytes(Folder / "patch.pdt") == ReadFileBytes(Archive));
}

TEST_F(ConsoleMode, LongLinesArePrintedWhole) {
    const fs::path release = PackRelease("Оновлення");
    const fs::path target = Folder / (std::string(180, 'a') + ".pdt");
    const TProgramResult result = Run(release, {"-extract", target.string()});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), Shown("Патч збережено в файл " + target.string()));
}

TEST_F(ConsoleMode, ExtractThatCannotWriteReportsOnStderrAndExitsOne) {
    const fs::path release = PackRelease("Оновлення");
    const fs::path target = Folder / "missing" / "patch.pdt";
    const TProgramResult result = Run(release, {"-extract", target.string()});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find(target.string()), std::string::npos) << result.Err;
    EXPECT_EQ(result.Out.find(Shown("Патч збережено")), std::string::npos) << result.Out;
    EXPECT_FALSE(fs::exists(target));

    // The bare runner carries no release at all.
    const TProgramResult bare = Run(Runner, {"-extract", (Folder / "bare.pdt").string()});
    EXPECT_EQ(bare.ExitCode, 1);
    EXPECT_NE(bare.Err.find("PATCHPARAMS"), std::string::npos) << bare.Err;
    EXPECT_FALSE(fs::exists(Folder / "bare.pdt"));
}

} // namespace
} // namespace tarvel
