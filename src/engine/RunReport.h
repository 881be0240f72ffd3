#pragma once

#include "core/StringList.h"

#include <filesystem>
#include <string>

namespace tarvel {

// The run report archive (`patch.pdt.out`): text entries named by a time stamp and a suffix,
// Windows-1251, compression level 9, unencrypted. The archive is created by the first entry;
// later entries are added to it.
class TRunReport {
public:
    explicit TRunReport(std::filesystem::path file) : File(std::move(file)) {}

    // Adds the entry stamp + `suffix` holding the first list's text followed by the second's.
    void Save(const std::string& suffix, const TStringList& first,
              const TStringList* second = nullptr) const;

    const std::filesystem::path& Path() const { return File; }

private:
    std::filesystem::path File;
};

} // namespace tarvel
