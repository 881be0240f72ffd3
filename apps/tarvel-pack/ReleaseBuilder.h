#pragma once

#include "core/Exceptions.h"
#include "core/StringTableResource.h"
#include "core/VersionInfo.h"

#include <filesystem>
#include <string>

namespace tarvel {

// Input the release builder cannot work from: a missing file, a folder without a descriptor,
// a parameter file without PackagePassword, a bad argument.
class EReleaseInput : public Exception {
public:
    using Exception::Exception;
};

struct TReleaseOptions {
    std::filesystem::path Runner;
    std::filesystem::path UpdateFolder;   // either this...
    std::filesystem::path UpdateArchive;  // ...or this
    std::filesystem::path Params;         // PatchParams.ini
    std::filesystem::path Verifier;       // may be empty when IsNeedVerify is 0
    std::filesystem::path ServiceScripts; // file or folder; may be empty: no service scripts
    TFileVersionInfo Version;
    std::filesystem::path Output;
};

// Writes `Output`: the runner with the release's resources appended. Nothing is left at
// `Output` (or beside it) unless the whole release was written. Raises EReleaseInput for bad
// input, Exception for a failure while writing.
void BuildRelease(const TReleaseOptions& options);

// The update archive of a folder: the first root ".ini" file (by name, without regard to case)
// first, then every other file by path; each deflated and encrypted with the ZIP password of
// `packagePassword`. Raises EReleaseInput for a folder without a root ".ini".
void BuildUpdateArchive(const std::filesystem::path& folder, const std::string& packagePassword,
                        const std::filesystem::path& archive);

// The service-script table of a file, where each script starts with a line "##<file name>" and
// its block is the lines up to the next such line, or of a folder, where each file is a script
// named by its file name, in name order. String 1 is the id of the last script.
TStringTable ReadServiceScripts(const std::filesystem::path& source);

} // namespace tarvel
