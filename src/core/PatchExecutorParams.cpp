#include "core/PatchExecutorParams.h"

namespace tarvel {

std::vector<TPublishedProperty> TPatchExecutorParams::PublishedProperties() {
    std::vector<TPublishedProperty> properties = TIniSectionContainer::PublishedProperties();
    properties.insert(properties.end(), {
                                            {"FormCaption", FormCaption},
                                            {"VersionCaption", VersionCaption},
                                            {"VersionDetail", VersionDetail},
                                            {"SchemeLogin", SchemeLogin},
                                            {"SchemePassword", SchemePassword},
                                            {"PackagePassword", PackagePassword},
                                            {"ProgName", ProgName},
                                            {"IsNeedVerify", IsNeedVerify},
                                            {"Engine", Engine},
                                        });
    return properties;
}

std::string TPatchExecutorParams::EngineName() const {
    std::string name;
    for (char c : Engine)
        name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return name.empty() ? "oracle" : name;
}

} // namespace tarvel
