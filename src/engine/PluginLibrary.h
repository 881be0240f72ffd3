#pragma once

#include <filesystem>
#include <string>

namespace tarvel {

// The export every plug-in library of an update provides. Texts are Windows-1251, null for an
// empty text; true when the plug-in did its work.
using TIsUpdateCompleteFunc = bool (*)(const char* user, const char* password,
                                       const char* database);
inline constexpr const char* kIsUpdateCompleteExport = "IsUpdateComplete";

enum class TPluginOutcome { NotLoaded, NoExport, Complete, Incomplete };

// Loads the library at `file`, calls its IsUpdateComplete with the logon values (UTF-8 here,
// converted at the boundary) and unloads it again. A library that does not load or lacks the
// export is reported, not raised.
TPluginOutcome CallPluginLibrary(const std::filesystem::path& file, const std::string& user,
                                 const std::string& password, const std::string& database);

} // namespace tarvel
