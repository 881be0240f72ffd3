#include "core/IniSectionContainer.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"

namespace tarvel {
namespace {

const char* const kSourceName = "Tarvel/cIniSectionContainer";
constexpr int kLoadFromIniLine = 98;
constexpr int kLoadFromFileLine = 116;
const char* const kFileMissing = "Розробнику, файл налаштувань \"%s\" не існує";
const char* const kReaderMissing = "Розробнику, не передано INI-файл для завантаження налаштувань";

} // namespace

void TIniSectionContainer::LoadFromFile(const std::filesystem::path& fileName,
                                        std::string_view section) {
    std::error_code error;
    Assert(std::filesystem::is_regular_file(fileName, error),
           FormatText(kFileMissing, {fileName.string()}), kSourceName, kLoadFromFileLine);
    const TIniFile ini(fileName);
    LoadFromIni(&ini, section);
}

void TIniSectionContainer::LoadFromIni(const TIniFile* ini, std::string_view section) {
    Assert(ini != nullptr, kReaderMissing, kSourceName, kLoadFromIniLine);
    struct TClearOnExit {
        TIniSectionContainer& Self;
        ~TClearOnExit() {
            Self.FIni = nullptr;
            Self.FSection.clear();
        }
    } clear{*this};
    FIni = ini;
    FSection = section;
    for (const TPublishedProperty& property : PublishedProperties()) {
        switch (property.Kind) {
        case TPropertyKind::pkInteger:
            *static_cast<int*>(property.Member) = ini->ReadInteger(section, property.Name, 0);
            break;
        case TPropertyKind::pkBoolean:
            *static_cast<bool*>(property.Member) = ini->ReadBool(section, property.Name, false);
            break;
        case TPropertyKind::pkFloat:
            *static_cast<double*>(property.Member) = ini->ReadFloat(section, property.Name, 0);
            break;
        case TPropertyKind::pkString:
            *static_cast<std::string*>(property.Member) =
                ini->ReadString(section, property.Name, "");
            break;
        case TPropertyKind::pkOther:
            break;
        }
    }
}

} // namespace tarvel
