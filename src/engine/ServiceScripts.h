#pragma once

#include "core/StringTableResource.h"

#include <string>
#include <string_view>

namespace tarvel {

// One service script of the release's string table: "name##block".
struct TServiceScript {
    std::string Name;  // text before the first "##"; empty without "##"
    std::string Block; // text after the first "##"; the whole string without "##"
};

// The id of the last service script: the decimal value of string 1. Raises EConvertError when
// string 1 is missing or not a number.
int ServiceScriptCount(const TStringTable& table);

// String `id` split into name and block; a missing string gives an empty script.
TServiceScript ServiceScriptAt(const TStringTable& table, int id);

// Whether `name` occurs, case-sensitively, in one of the strings 2 to the count.
bool IsServiceScript(const TStringTable& table, std::string_view name);

} // namespace tarvel
