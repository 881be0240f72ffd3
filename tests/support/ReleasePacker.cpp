#include "ReleasePacker.h"

#include "TempDir.h"
#include "core/CodePage.h"
#include "core/FileUtils.h"
#include "tarvel-pack/ReleaseBuilder.h"

namespace tarvel::test {

std::string PatchParamsText(const TNamedTexts& values) {
    std::string text = "[Form]\r\n";
    for (const auto& [key, value] : values)
        text += key + "=" + value + "\r\n";
    return Utf8ToWin1251(text);
}

void WriteFiles(const std::filesystem::path& folder, const TNamedTexts& files) {
    for (const auto& [name, bytes] : files) {
        const std::filesystem::path file = folder / name;
        std::filesystem::create_directories(file.parent_path());
        WriteFileBytes(file, bytes);
    }
}

void PackTestRelease(const TTestRelease& release) {
    TTempDir scratch;
    TReleaseOptions options;
    options.Runner = release.Runner;
    options.UpdateFolder = release.UpdateFolder;
    options.UpdateArchive = release.UpdateArchive;
    options.Params = scratch / "PatchParams.ini";
    WriteFileBytes(options.Params, PatchParamsText(release.Params));
    options.Verifier = release.Verifier;
    if (!release.ServiceScripts.empty()) {
        std::string text;
        for (const auto& [name, block] : release.ServiceScripts)
            text += "##" + name + "\n" + block + "\n";
        options.ServiceScripts = scratch / "ServiceScripts.txt";
        WriteFileBytes(options.ServiceScripts, text);
    }
    options.Version = release.Version;
    options.Output = release.Output;
    BuildRelease(options);
}

} // namespace tarvel::test
