#include "RunProgram.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tarvel::test {

namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!overrides.contains(text.substr(0, text.find('='))))
            result.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> PointersOf(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

class TTempFile {
public:
    explicit TTempFile(const char* role) {
        std::string name =
            (std::filesystem::temp_directory_path() / "tarvel-run-").string() + role + "-XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0)
            throw std::runtime_error("cannot create a temporary file");
        close(fd);
        Path = name;
    }
    ~TTempFile() { std::filesystem::remove(Path); }
    std::filesystem::path Path;
};

} // namespace

TProgramResult RunProgram(const std::filesystem::path& program, const TProgramRun& run) {
    TTempFile out("out"), err("err");
    int input[2];
    if (pipe2(input, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create a pipe");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.Path.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.Path.c_str(), O_WRONLY, 0);
    if (!run.WorkingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, run.WorkingFolder.c_str());

    std::vector<std::string> argumentTexts{program.string()};
    argumentTexts.insert(argumentTexts.end(), run.Arguments.begin(), run.Arguments.end());
    std::vector<std::string> environmentTexts = MergedEnvironment(run.Environment);
    const std::vector<char*> argv = PointersOf(argumentTexts);
    const std::vector<char*> envp = PointersOf(environmentTexts);

    pid_t child = 0;
    const int spawnError =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    if (spawnError != 0) {
        close(input[1]);
        throw std::runtime_error("cannot start " + program.string());
    }

    TProgramResult result;
    const auto deadline = std::chrono::steady_clock::now() + run.Timeout;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            result.TimedOut = true;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    close(input[1]);
    if (!result.TimedOut && WIFEXITED(status))
        result.ExitCode = WEXITSTATUS(status);
    result.Out = ReadAll(out.Path);
    result.Err = ReadAll(err.Path);
    return result;
}

} // namespace tarvel::test
