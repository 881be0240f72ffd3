#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvel {

struct TFileVersionInfo {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;
    std::string FileVersion;
    std::string ProductName;
    std::string CompanyName;
    std::string FileDescription;
};

// The bytes of the version resource (kResVersion): UTF-8 lines "Key=Value" for ProductName,
// FileVersion, CompanyName and FileDescription (empty values left out). Raises EConvertError
// when FileVersion is given but is not four dot-separated numbers, Exception for a value with a
// line break.
std::string EncodeVersionResource(const TFileVersionInfo& info);

// False when the file has no version resource (or cannot be opened); otherwise fills the texts
// found and, from FileVersion, the four numbers, and returns true.
bool ReadVersionInfo(TFileVersionInfo& info, const std::filesystem::path& file);
bool ReadAppVersionInfo(TFileVersionInfo& info);

// The n-th (from 1) dot-separated number of a version text. Raises EConvertError when that
// part is missing or not a number.
int GetVersionPart(std::string_view text, int n);

} // namespace tarvel
