#include "tarvel-pack/ReleaseBuilder.h"

#include "core/FileUtils.h"
#include "core/IniFile.h"
#include "core/PatchExecutorParams.h"
#include "core/ResourceBundle.h"
#include "core/StringUtils.h"
#include "core/ZipReader.h"
#include "core/ZipWriter.h"
#include "engine/ArchivePassword.h"
#include "engine/UpdateArchive.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace tarvel {

namespace fs = std::filesystem;

namespace {

const char* const kFileNotFound = "Файл не знайдено: %s";
const char* const kFolderNotFound = "Папку не знайдено: %s";
const char* const kNoDescriptor = "У корені папки оновлення %s немає файлу .ini";
const char* const kNoPackagePassword =
    "У файлі параметрів %s немає значення PackagePassword у секції [Form]";
const char* const kZeroInPassword =
    "PackagePassword у файлі параметрів %s дає пароль ZIP з нульовим символом (літера з кодом 5 "
    "або 251 на непарній позиції), який архів не може використати";
const char* const kVerifierRequired =
    "Файл параметрів %s вимагає перевірок (IsNeedVerify), а бібліотеку Verifier не вказано";
const char* const kArchiveRejected =
    "Архів оновлення %s не відкривається паролем, виведеним з PackagePassword: %s";
const char* const kScriptBeforeHeader =
    "Файл сервісних скриптів %s: рядок %s стоїть перед першим рядком \"##<назва файлу>\"";
const char* const kBadScriptName = "Файл сервісних скриптів %s: рядок %s не містить назви файлу";
const char* const kBadVersion = "Невірні значення ресурсу версії: %s";
const char* const kSameAsRunner = "Файл випуску %s збігається з програмою, з якої він будується";
const char* const kMissingOption = "Не вказано параметр %s";
const char* const kOneUpdateSource = "Вкажіть одне з двох: --update-folder або --update-archive";
const std::string kScriptHeader = "##";

void RequireFile(const fs::path& file) {
    if (!fs::is_regular_file(file))
        throw EReleaseInput(FormatText(kFileNotFound, {file.string()}));
}

void RequireFolder(const fs::path& folder) {
    if (!fs::is_directory(folder))
        throw EReleaseInput(FormatText(kFolderNotFound, {folder.string()}));
}

bool LessWithoutCase(const std::string& a, const std::string& b) {
    return AsciiUpperCase(a) < AsciiUpperCase(b);
}

// A file that exists only while the release is built; whatever happens, it is gone afterwards.
class TScratchFile {
public:
    explicit TScratchFile(const fs::path& pattern) {
        std::string name = pattern.string() + "XXXXXX";
        const int descriptor = mkstemp(name.data());
        if (descriptor < 0)
            throw Exception(CannotCreateFileText(pattern.parent_path()));
        close(descriptor);
        Path = name;
    }
    ~TScratchFile() {
        std::error_code ignored;
        fs::remove(Path, ignored);
    }
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const fs::path& Get() const { return Path; }
    // Moves the file to `target`; it is no longer removed.
    void MoveTo(const fs::path& target) {
        fs::rename(Path, target);
        Path.clear();
    }

private:
    fs::path Path;
};

std::string PackagePasswordOf(const fs::path& paramsFile, bool& needsVerifier) {
    RequireFile(paramsFile);
    TPatchExecutorParams params;
    params.LoadFromFile(paramsFile, TPatchExecutorParams::kSection);
    if (params.PackagePassword.empty())
        throw EReleaseInput(FormatText(kNoPackagePassword, {paramsFile.string()}));
    // ZIP tools take the password as a C string and would cut it at the zero byte.
    if (UpdateArchiveZipPassword(params.PackagePassword).find('\0') != std::string::npos)
        throw EReleaseInput(FormatText(kZeroInPassword, {paramsFile.string()}));
    needsVerifier = params.IsNeedVerify;
    return params.PackagePassword;
}

// A ready archive must open with the release's password, or the release would stop at once.
void CheckReadyArchive(const fs::path& archive, const std::string& packagePassword) {
    RequireFile(archive);
    try {
        TZipReader reader;
        reader.Password = UpdateArchiveZipPassword(packagePassword);
        reader.Open(archive);
        for (std::size_t i = 0; i < reader.Count(); ++i)
            if (UpperFileExtension(reader.Entry(i).FileName) == ".INI") {
                reader.ExtractToMemory(i);
                break;
            }
    } catch (const Exception& error) {
        throw EReleaseInput(FormatText(kArchiveRejected, {archive.string(), error.what()}));
    }
}

std::string VersionResource(const TFileVersionInfo& version) {
    try {
        return EncodeVersionResource(version);
    } catch (const Exception& error) {
        throw EReleaseInput(FormatText(kBadVersion, {error.what()}));
    }
}

} // namespace

void BuildUpdateArchive(const fs::path& folder, const std::string& packagePassword,
                        const fs::path& archive) {
    RequireFolder(folder);
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(fs::relative(entry.path(), folder).generic_string());
    std::sort(names.begin(), names.end(), LessWithoutCase);
    const auto descriptor = std::find_if(names.begin(), names.end(), [](const std::string& name) {
        return name.find('/') == std::string::npos && UpperFileExtension(name) == ".INI";
    });
    if (descriptor == names.end())
        throw EReleaseInput(FormatText(kNoDescriptor, {folder.string()}));
    std::rotate(names.begin(), descriptor, descriptor + 1);

    std::vector<TZipSource> sources;
    for (const std::string& name : names)
        sources.push_back(TZipSource::FromFile(name, folder / name));
    fs::remove(archive);
    TZipWriter writer;
    writer.ZipName = archive;
    writer.Password = UpdateArchiveZipPassword(packagePassword);
    writer.Pack(sources);
}

namespace {

using TScripts = std::vector<std::pair<std::string, std::string>>;

TScripts ScriptsOfFolder(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end(), LessWithoutCase);
    TScripts scripts;
    for (const std::string& name : names)
        scripts.emplace_back(name, ReadFileBytes(folder / name));
    return scripts;
}

TScripts ScriptsOfFile(const fs::path& file) {
    RequireFile(file);
    std::istringstream lines(ReadFileBytes(file));
    TScripts scripts;
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(kScriptHeader, 0) == 0) {
            std::string name = line.substr(kScriptHeader.size());
            name.erase(0, name.find_first_not_of(" \t"));
            name.erase(name.find_last_not_of(" \t") + 1);
            if (name.empty() || name.find(kScriptHeader) != std::string::npos)
                throw EReleaseInput(
                    FormatText(kBadScriptName, {file.string(), std::to_string(number)}));
            scripts.emplace_back(name, "");
        } else if (!scripts.empty()) {
            scripts.back().second += line + "\n";
        } else if (line.find_first_not_of(" \t") != std::string::npos) {
            throw EReleaseInput(
                FormatText(kScriptBeforeHeader, {file.string(), std::to_string(number)}));
        }
    }
    return scripts;
}

} // namespace

TStringTable ReadServiceScripts(const fs::path& source) {
    TScripts scripts = fs::is_directory(source) ? ScriptsOfFolder(source) : ScriptsOfFile(source);
    TStringTable table;
    table[1] = std::to_string(scripts.size() + 1);
    std::uint32_t id = 2;
    for (auto& [name, block] : scripts) {
        block.erase(block.find_last_not_of(" \t\r\n") + 1);
        table[id++] = name + kScriptHeader + block;
    }
    return table;
}

void BuildRelease(const TReleaseOptions& options) {
    for (const auto& [value, option] :
         {std::pair{&options.Runner, "--runner"}, std::pair{&options.Params, "--params"},
          std::pair{&options.Output, "--output"}})
        if (value->empty())
            throw EReleaseInput(FormatText(kMissingOption, {option}));
    if (options.UpdateFolder.empty() == options.UpdateArchive.empty())
        throw EReleaseInput(kOneUpdateSource);
    RequireFile(options.Runner);
    RequireFolder(options.Output.parent_path().empty() ? fs::path(".")
                                                       : options.Output.parent_path());
    if (fs::exists(options.Output) && fs::equivalent(options.Output, options.Runner))
        throw EReleaseInput(FormatText(kSameAsRunner, {options.Output.string()}));
    bool needsVerifier = false;
    const std::string packagePassword = PackagePasswordOf(options.Params, needsVerifier);
    if (!options.Verifier.empty())
        RequireFile(options.Verifier);
    else if (needsVerifier)
        throw EReleaseInput(FormatText(kVerifierRequired, {options.Params.string()}));
    const TStringTable scripts = options.ServiceScripts.empty()
                                     ? TStringTable{{1, "1"}}
                                     : ReadServiceScripts(options.ServiceScripts);
    const std::string version = VersionResource(options.Version);

    std::optional<TScratchFile> builtArchive;
    fs::path archive = options.UpdateArchive;
    if (!options.UpdateFolder.empty()) {
        builtArchive.emplace(TempFolder() / "tarvel-pack-archive-");
        BuildUpdateArchive(options.UpdateFolder, packagePassword, builtArchive->Get());
        archive = builtArchive->Get();
    } else {
        CheckReadyArchive(archive, packagePassword);
    }

    std::vector<TResourceItem> items = {
        TResourceItem::FromFile(std::string(kResPatch), archive),
        TResourceItem::FromFile(std::string(kResPatchParams), options.Params),
        TResourceItem::FromData(std::string(kResStringTable), EncodeStringTable(scripts)),
        TResourceItem::FromData(std::string(kResVersion), version),
    };
    if (!options.Verifier.empty())
        items.push_back(TResourceItem::FromFile(std::string(kResPatchVerifier), options.Verifier));

    TScratchFile release(options.Output.string() + ".part-");
    fs::copy_file(options.Runner, release.Get(), fs::copy_options::overwrite_existing);
    WriteResourceBundle(release.Get(), items);
    fs::permissions(release.Get(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    release.MoveTo(options.Output);
}

} // namespace tarvel
