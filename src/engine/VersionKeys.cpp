#include "engine/VersionKeys.h"

#include "core/StringUtils.h"
#include "core/ZipReader.h"

#include <unordered_set>

namespace tarvel {

std::string VersionKeyOfPath(std::string_view folderPath) {
    const std::size_t lastSlash = folderPath.rfind('\\');
    const std::string path = AsciiUpperCase(
        lastSlash == std::string_view::npos ? std::string_view() : folderPath.substr(0, lastSlash));
    const std::size_t parentSlash = path.rfind('\\');
    const std::string folder = parentSlash == std::string::npos ? path : path.substr(parentSlash);
    const std::size_t upd = folder.find("UPD");
    if (upd != std::string::npos)
        return folder.substr(upd + 3);
    return folder.size() > 2 ? folder.substr(2) : std::string();
}

TVersionList BuildVersionList(const TZipReader& reader) {
    TVersionList list;
    std::unordered_set<std::string> seen;
    for (const TZipEntry& entry : reader.Directory()) {
        if (AsciiUpperCase(entry.PathName).find("UPD") == std::string::npos)
            continue;
        std::string key = VersionKeyOfPath(entry.PathName);
        if (seen.insert(AsciiUpperCase(key)).second)
            list.push_back(std::move(key));
    }
    SortVersions(list);
    return list;
}

} // namespace tarvel
