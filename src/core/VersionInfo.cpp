#include "core/VersionInfo.h"

#include "core/Exceptions.h"
#include "core/ResourceBundle.h"
#include "core/StringUtils.h"

namespace tarvel {
namespace {

const char* const kNotFourNumbers = "\"%s\" не є номером версії з чотирьох чисел";
const char* const kLineBreakInValue = "Значення \"%s\" ресурсу версії містить розрив рядка";

struct TVersionKey {
    const char* Name;
    std::string TFileVersionInfo::*Field;
};

const TVersionKey kVersionKeys[] = {
    {"ProductName", &TFileVersionInfo::ProductName},
    {"FileVersion", &TFileVersionInfo::FileVersion},
    {"CompanyName", &TFileVersionInfo::CompanyName},
    {"FileDescription", &TFileVersionInfo::FileDescription},
};

void CheckFourNumbers(const std::string& version) {
    int dots = 0;
    for (char c : version)
        dots += c == '.';
    for (int part = 1; part <= 4; ++part)
        GetVersionPart(version, part);
    if (dots != 3)
        throw EConvertError(FormatText(kNotFourNumbers, {version}));
}

bool FillFromBundle(TFileVersionInfo& info, const TResourceBundle& bundle) {
    if (!bundle.Contains(kResVersion))
        return false;
    std::string_view text;
    const std::string data = bundle.Read(kResVersion);
    text = data;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        for (const TVersionKey& key : kVersionKeys)
            if (line.substr(0, eq) == key.Name)
                info.*key.Field = std::string(line.substr(eq + 1));
    }
    if (!info.FileVersion.empty()) {
        info.Major = GetVersionPart(info.FileVersion, 1);
        info.Minor = GetVersionPart(info.FileVersion, 2);
        info.Release = GetVersionPart(info.FileVersion, 3);
        info.Build = GetVersionPart(info.FileVersion, 4);
    }
    return true;
}

} // namespace

std::string EncodeVersionResource(const TFileVersionInfo& info) {
    if (!info.FileVersion.empty())
        CheckFourNumbers(info.FileVersion);
    std::string out;
    for (const TVersionKey& key : kVersionKeys) {
        const std::string& value = info.*key.Field;
        if (value.find_first_of("\r\n") != std::string::npos)
            throw Exception(FormatText(kLineBreakInValue, {key.Name}));
        if (!value.empty())
            out += std::string(key.Name) + "=" + value + "\n";
    }
    return out;
}

bool ReadVersionInfo(TFileVersionInfo& info, const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    return FillFromBundle(info, TResourceBundle(file));
}

bool ReadAppVersionInfo(TFileVersionInfo& info) {
    return FillFromBundle(info, TResourceBundle::OfProgram());
}

int GetVersionPart(std::string_view text, int n) {
    std::string rest(text);
    if (rest.empty() || rest.back() != '.')
        rest += '.';
    std::string part;
    for (int i = 0; i < n; ++i) {
        std::size_t dot = rest.find('.');
        if (dot == std::string::npos) {
            part.clear();
            break;
        }
        part = rest.substr(0, dot);
        rest.erase(0, dot + 1);
    }
    return StrToInt(part);
}

} // namespace tarvel
