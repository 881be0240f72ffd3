#pragma once

#include "core/IniFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

enum class TPropertyKind { pkInteger, pkBoolean, pkFloat, pkString, pkOther };

// One published property: its name, its kind and the member it is stored in. The table of them
// stands in for run-time type information.
class TPublishedProperty {
public:
    TPublishedProperty(std::string_view name, int& member)
        : Name(name), Kind(TPropertyKind::pkInteger), Member(&member) {}
    TPublishedProperty(std::string_view name, bool& member)
        : Name(name), Kind(TPropertyKind::pkBoolean), Member(&member) {}
    TPublishedProperty(std::string_view name, double& member)
        : Name(name), Kind(TPropertyKind::pkFloat), Member(&member) {}
    TPublishedProperty(std::string_view name, std::string& member)
        : Name(name), Kind(TPropertyKind::pkString), Member(&member) {}
    // A property of a kind loading does not handle; it is skipped.
    explicit TPublishedProperty(std::string_view name)
        : Name(name), Kind(TPropertyKind::pkOther), Member(nullptr) {}

    std::string_view Name;
    TPropertyKind Kind;
    void* Member;
};

// A settings object whose published properties are its settings: loading fills each of them
// from the key of the same name in one section of an INI file; a missing key gives the kind's
// default (0, false, empty), so nothing keeps a value from before the load.
class TIniSectionContainer {
public:
    virtual ~TIniSectionContainer() = default;

    // The file must exist (an assertion otherwise).
    void LoadFromFile(const std::filesystem::path& fileName, std::string_view section);
    // The reader must be given (an assertion otherwise).
    void LoadFromIni(const TIniFile* ini, std::string_view section);

protected:
    // The published properties, inherited ones first, in declaration order.
    virtual std::vector<TPublishedProperty> PublishedProperties() { return {}; }

    // Only while a load is in progress: the reader and the section.
    const TIniFile* Ini() const { return FIni; }
    const std::string& Section() const { return FSection; }

private:
    const TIniFile* FIni = nullptr;
    std::string FSection;
};

} // namespace tarvel
