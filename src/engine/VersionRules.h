#pragma once

#include "engine/UpdateDescriptor.h"
#include "engine/Versions.h"

#include <functional>
#include <string>

namespace tarvel {

// Reads one value of the settings table by its id: the trimmed value, or empty when the row is
// missing or cannot be read (what ReadDictSetting gives).
using TSettingSource = std::function<std::string(const std::string& settingId)>;

// Judges the installed version against the update's range and picks the steps to run.
class TVersionRules {
public:
    TVersionRules(const TUpdateDescriptor& descriptor, TSettingSource readSetting);

    // The installed version as last read by CheckVersions; "0.0.0.0" for a module that is not
    // installed yet.
    std::string CurrentVersion;

    // The settings id under which the installed version is kept.
    std::string VersionSettingId() const;

    // True for a main-program update, or when the installed main program is exactly the
    // version the module needs; otherwise false with the refusal in `message`.
    bool CheckMainModule(std::string& message) const;

    // Whether the installed version may be updated; on refusal `message` holds the reason or
    // stays empty (the installed version is the range's end). An empty or non-numeric
    // installed version or range bound raises EConvertError before the format check.
    bool CheckVersions(std::string& message);

    // Keeps the keys above CurrentVersion and up to the range's end, in their order; whether
    // any remain.
    bool SelectVersions(TVersionList& list) const;

private:
    const TUpdateDescriptor& Descriptor;
    TSettingSource ReadSetting;
};

// The last key of the list (the highest once sorted); empty for an empty list.
std::string LastVersion(const TVersionList& list);

} // namespace tarvel
