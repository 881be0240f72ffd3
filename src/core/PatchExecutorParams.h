#pragma once

#include "core/IniSectionContainer.h"

#include <string>

namespace tarvel {

// The release parameters, section "Form" of the parameter file.
class TPatchExecutorParams : public TIniSectionContainer {
public:
    std::string FormCaption;
    std::string VersionCaption; // "#13#10" stands for a line break
    std::string VersionDetail;  // "#13#10" stands for a line break
    std::string SchemeLogin;
    std::string SchemePassword;
    std::string PackagePassword;
    std::string ProgName;
    bool IsNeedVerify = false;
    std::string Engine; // "oracle" or "postgresql"; empty means oracle

    // Engine in lower case, "oracle" when the file gives none.
    std::string EngineName() const;

    static constexpr const char* kSection = "Form";

protected:
    std::vector<TPublishedProperty> PublishedProperties() override;
};

} // namespace tarvel
