#include "core/FileUtils.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

const char* const kCannotOpenFile = "Неможливо відкрити файл \"%s\"";
const char* const kCannotCreateFile = "Неможливо створити файл \"%s\"";

std::string WithReason(std::string text, int error) {
    return error == 0 ? text : text + ": " + std::strerror(error);
}

} // namespace

std::string CannotOpenFileText(const std::filesystem::path& file) {
    return FormatText(kCannotOpenFile, {file.string()});
}

std::string CannotCreateFileText(const std::filesystem::path& file) {
    return FormatText(kCannotCreateFile, {file.string()});
}

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw Exception(WithReason(CannotOpenFileText(file), errno));
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw Exception(WithReason(CannotOpenFileText(file), errno));
    return data;
}

void WriteFileBytes(const std::filesystem::path& file, std::string_view data) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        throw Exception(WithReason(CannotCreateFileText(file), errno));
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out)
        throw Exception(WithReason(CannotCreateFileText(file), errno));
}

bool DeleteFileForce(const std::filesystem::path& file) {
    struct stat st;
    if (lstat(file.c_str(), &st) != 0)
        return false;
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
        chmod(file.c_str(), st.st_mode | S_IWUSR);
    return unlink(file.c_str()) == 0;
}

std::filesystem::path TempFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir && *tmpdir ? std::filesystem::path(tmpdir) : std::filesystem::path("/tmp");
}

} // namespace tarvel
