#include "engine/VersionRules.h"

#include "core/StringUtils.h"

namespace tarvel {

namespace {

const std::string kMainProgramSetting = "PROGRAM_VERSION";
const std::string kNotInstalledModule = "0.0.0.0";
const char* const kIncompatibleMainModule =
    "Поточна версія (%s) головного програмного модуля є несумісною.\r\nМодуль потребує "
    "версію %s.";
const std::string kBadVersionFormat = " - невірний формат номера версії.";
const std::string kOutOfRange = "Поточна версія продукту не потрапляє в діапазон модифікації";

// The range's bounds are four single-digit fields: "1.0.2.0".
bool IsFourDigitVersion(std::string_view version) {
    if (version.size() != 7)
        return false;
    for (std::size_t i = 0; i < version.size(); ++i) {
        const bool ok = i % 2 == 0 ? (version[i] >= '0' && version[i] <= '9') : version[i] == '.';
        if (!ok)
            return false;
    }
    return true;
}

std::string BadFormatMessage(const std::string& version) {
    return "\"" + version + "\"" + kBadVersionFormat;
}

} // namespace

TVersionRules::TVersionRules(const TUpdateDescriptor& descriptor, TSettingSource readSetting)
    : Descriptor(descriptor), ReadSetting(std::move(readSetting)) {}

std::string TVersionRules::VersionSettingId() const {
    return Descriptor.ModuleName.empty() ? kMainProgramSetting
                                         : kMainProgramSetting + "_" + Descriptor.ModuleName;
}

bool TVersionRules::CheckMainModule(std::string& message) const {
    if (Descriptor.UpdateType != kModuleUpdateType)
        return true;
    const std::string installed = ReadSetting(kMainProgramSetting);
    if (Descriptor.MainModuleVersion == installed)
        return true;
    message = FormatText(kIncompatibleMainModule, {installed, Descriptor.MainModuleVersion});
    return false;
}

bool TVersionRules::CheckVersions(std::string& message) {
    if (!CheckMainModule(message))
        return false;
    CurrentVersion = ReadSetting(VersionSettingId());
    if (Descriptor.UpdateType == kModuleUpdateType && CurrentVersion.empty()) {
        CurrentVersion = kNotInstalledModule;
        return true;
    }
    bool ok = CompareVersions(CurrentVersion, Descriptor.RangeBegin) >= 0 &&
              CompareVersions(CurrentVersion, Descriptor.RangeEnd) < 0;
    if (!IsFourDigitVersion(Descriptor.RangeBegin)) {
        message = BadFormatMessage(Descriptor.RangeBegin);
        ok = false;
    } else if (!IsFourDigitVersion(Descriptor.RangeEnd)) {
        message = BadFormatMessage(Descriptor.RangeEnd);
        ok = false;
    } else if (CompareVersions(CurrentVersion, Descriptor.RangeBegin) < 0 ||
               CompareVersions(CurrentVersion, Descriptor.RangeEnd) > 0) {
        message = kOutOfRange;
    }
    return ok;
}

bool TVersionRules::SelectVersions(TVersionList& list) const {
    TVersionList kept;
    for (const std::string& key : list)
        if (CompareVersions(CurrentVersion, key) < 0 &&
            CompareVersions(key, Descriptor.RangeEnd) <= 0)
            kept.push_back(key);
    list = std::move(kept);
    return !list.empty();
}

std::string LastVersion(const TVersionList& list) {
    return list.empty() ? "" : list.back();
}

} // namespace tarvel
