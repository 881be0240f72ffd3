#pragma once

#include "engine/Versions.h"

#include <string>
#include <string_view>

namespace tarvel {

class TZipReader;

// The version key of an entry's folder path ("Upd1.0.6.0\Upd1.0.6.0.1\" gives "1.0.6.0.1"):
// the text after the first "UPD" in the innermost folder name, upper-cased; without "UPD",
// that name (with its leading backslash) less two characters. Empty at the root.
std::string VersionKeyOfPath(std::string_view folderPath);

// The keys of every entry whose folder path holds "UPD", each once, in the reader's order,
// then sorted with CompareVersions.
TVersionList BuildVersionList(const TZipReader& reader);

} // namespace tarvel
