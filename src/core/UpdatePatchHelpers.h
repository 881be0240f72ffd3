#pragma once

#include "core/PatchExecutorParams.h"
#include "core/ResourceBundle.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvel {

// Class-level helpers of the update run; never instantiated.
class TUpdateUtils {
public:
    TUpdateUtils() = delete;

    // Every "#13#10" (case-sensitive) replaced by CR LF; nothing else changes.
    static std::string DecodeLineBreaks(std::string_view text);

    // A fresh random identifier as 38 characters: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
    // upper-case hexadecimal.
    static std::string NewGuidString();

    // The program's own resource written to a file (an existing one is overwritten). Raises
    // Exception naming the resource when it is missing, or the file when it cannot be created.
    static void SaveResourceToFile(std::string_view name, const std::filesystem::path& file);

    // Creates a fresh folder named by NewGuidString inside the temporary folder (TMPDIR, else
    // /tmp), missing parents included, private to the user (mode 0700), and returns it. Raises
    // Exception naming the folder when it cannot be created.
    static std::filesystem::path CreateWorkingFolder();
};

inline constexpr std::string_view kPatchParamsFileName = "PatchParams.ini";

// Writes the PATCHPARAMS resource of `bundle` to PatchParams.ini in the working folder, loads
// `params` from its section "Form" and deletes the file, however the load ends.
void LoadPatchParams(TPatchExecutorParams& params, const std::filesystem::path& workingFolder,
                     const TResourceBundle& bundle = TResourceBundle::OfProgram());

// The release caption (FormCaption with its line breaks decoded) from the PATCHPARAMS resource
// of `bundle`, through a private temporary file that is deleted however the call ends.
std::string ReadReleaseCaption(const TResourceBundle& bundle = TResourceBundle::OfProgram());

} // namespace tarvel
