#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tarvel::test {

struct TProgramRun {
    std::vector<std::string> Arguments;             // without the program itself
    std::filesystem::path WorkingFolder;            // empty: the caller's
    std::map<std::string, std::string> Environment; // added to (or replacing in) the caller's
    std::chrono::seconds Timeout{60};
};

struct TProgramResult {
    int ExitCode = -1; // -1 when the program did not end normally
    bool TimedOut = false;
    std::string Out, Err;
};

// Runs a program as a child process and waits for it. Its stdin is a pipe that stays open and
// empty until the child ends, so a child waiting for input shows up as a time-out (and is
// killed) rather than reading end-of-file.
TProgramResult RunProgram(const std::filesystem::path& program, const TProgramRun& run = {});

} // namespace tarvel::test
