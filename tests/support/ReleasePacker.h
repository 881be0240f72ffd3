#pragma once

#include "core/VersionInfo.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvel::test {

using TNamedTexts = std::vector<std::pair<std::string, std::string>>;

// A PatchParams.ini holding these keys of section [Form] (UTF-8 values), in Windows-1251.
std::string PatchParamsText(const TNamedTexts& values);

// What a test release is made of.
struct TTestRelease {
    std::filesystem::path Runner; // the program the release is built from
    std::filesystem::path UpdateFolder;
    std::filesystem::path UpdateArchive; // instead of UpdateFolder
    TNamedTexts Params;                  // keys of [Form]; needs PackagePassword
    std::filesystem::path Verifier;      // may stay empty when IsNeedVerify is 0
    TNamedTexts ServiceScripts;          // file name, block
    TFileVersionInfo Version;
    std::filesystem::path Output;
};

// Packs the release as tarvel-pack does. The parameter and service-script files live in a
// scratch folder only while packing. Raises what tarvel-pack would report.
void PackTestRelease(const TTestRelease& release);

// Creates the files (relative path with '/', bytes) under `folder`, with their folders.
void WriteFiles(const std::filesystem::path& folder, const TNamedTexts& files);

} // namespace tarvel::test
