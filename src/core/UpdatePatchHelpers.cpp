#include "core/UpdatePatchHelpers.h"

#include "core/Exceptions.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

const char* const kCannotCreateFolder = "Неможливо створити папку \"%s\"";
const char* const kNoRandom = "Не вдалося отримати випадкові дані для ідентифікатора";

// Deletes a file when the scope ends, however it ends.
class TDeleteOnExit {
public:
    explicit TDeleteOnExit(std::filesystem::path file) : File(std::move(file)) {}
    ~TDeleteOnExit() { DeleteFileForce(File); }
    TDeleteOnExit(const TDeleteOnExit&) = delete;
    TDeleteOnExit& operator=(const TDeleteOnExit&) = delete;

private:
    std::filesystem::path File;
};

// Creates an empty file only the user may read, refusing one that exists already: the
// parameter file holds passwords and may sit in a shared folder.
void CreatePrivateFile(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw Exception(CannotCreateFileText(file) + ": " + std::strerror(errno));
    ::close(fd);
}

void LoadParamsFromResource(TPatchExecutorParams& params, const std::filesystem::path& file,
                            const TResourceBundle& bundle) {
    TDeleteOnExit remove(file);
    bundle.SaveToFile(kResPatchParams, file);
    params.LoadFromFile(file, TPatchExecutorParams::kSection);
}

} // namespace

std::string TUpdateUtils::DecodeLineBreaks(std::string_view text) {
    return ReplacePlaceholders(text, {"#13#10"}, {"\r\n"});
}

std::string TUpdateUtils::NewGuidString() {
    std::array<unsigned char, 16> bytes{};
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::getrandom(bytes.data() + done, bytes.size() - done, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Exception(kNoRandom);
        done += static_cast<std::size_t>(n);
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40); // version 4: random
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "{";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text + "}";
}

void TUpdateUtils::SaveResourceToFile(std::string_view name, const std::filesystem::path& file) {
    tarvel::SaveResourceToFile(name, file);
}

std::filesystem::path TUpdateUtils::CreateWorkingFolder() {
    const std::filesystem::path folder = TempFolder() / NewGuidString();
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (error || ::mkdir(folder.c_str(), 0700) != 0 || ::chmod(folder.c_str(), 0700) != 0)
        throw Exception(FormatText(kCannotCreateFolder, {folder.string()}) + ": " +
                        (error ? error.message() : std::strerror(errno)));
    return folder;
}

void LoadPatchParams(TPatchExecutorParams& params, const std::filesystem::path& workingFolder,
                     const TResourceBundle& bundle) {
    LoadParamsFromResource(params, workingFolder / kPatchParamsFileName, bundle);
}

std::string ReadReleaseCaption(const TResourceBundle& bundle) {
    TPatchExecutorParams params;
    const std::filesystem::path file = TempFolder() / (TUpdateUtils::NewGuidString() + ".ini");
    CreatePrivateFile(file);
    LoadParamsFromResource(params, file, bundle);
    return TUpdateUtils::DecodeLineBreaks(params.FormCaption);
}

} // namespace tarvel
