#pragma once

#include <string>

namespace tarvel {

// The settings object of an application window; here it carries the module's user name (the
// schema whose tables the update run examines). Nothing is read or stored anywhere.
class TPreference {
public:
    std::string ModuleUserName;
};

} // namespace tarvel
