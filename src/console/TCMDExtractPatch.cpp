#include "console/TCMDExtractPatch.h"

#include "console/ConsoleOutput.h"
#include "core/StringUtils.h"
#include "core/UpdatePatchHelpers.h"

#include <filesystem>

namespace tarvel {

namespace {
const char* const ExtractName = "extract";
const char* const ExtractDescription = "видубуток файлу апдейту ";
const char* const ExtractHelpLines[] = {
    "",
    "Команда видобутку файлу апдейту.",
    "",
    "Параметр \"назва файлу апдейту\":",
    " видобуток буде виконано у заданий параметром файл.",
};
const char* const PatchSaved = "Патч збережено в файл ";
const char* const CannotWriteFile = "Неможливо записати файл ";
const char* const PatchResource = "Patch";
const char* const DefaultTargetName = "patch.pdt";
} // namespace

std::string TCMDExtractPatch::CommandName() {
    return ExtractName;
}

std::string TCMDExtractPatch::Description() {
    return ExtractDescription;
}

void TCMDExtractPatch::PrintHelp() {
    TCustomCMDCommand::PrintHelp();
    for (const char* line : ExtractHelpLines)
        WriteConsoleLine(line);
}

void TCMDExtractPatch::Execute() {
    std::string target = ParamStr(2);
    if (target.empty())
        target = (std::filesystem::current_path() / DefaultTargetName).string();

    WriteConsoleLine(Capitalize(Description()));
    WriteConsoleLine();
    WriteConsoleLine(ReadReleaseCaption());
    WriteConsoleLine();
    TUpdateUtils::SaveResourceToFile(PatchResource, target);
    if (std::filesystem::exists(target))
        WriteConsoleLine(PatchSaved + target);
    else
        WriteConsoleLine(CannotWriteFile + target);
}

} // namespace tarvel
