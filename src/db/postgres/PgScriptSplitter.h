#pragma once

#include <string>
#include <vector>

namespace tarvel {

// Splits a script the way psql does: a ";" outside quotes, dollar quoting, comments and
// parentheses ends a command (and stays in its text); what follows the last ";" is a command
// of its own. Leading blanks are dropped, leading comments kept; pieces that hold only blanks
// and comments are dropped.
std::vector<std::string> SplitPsqlScript(const std::string& script);

} // namespace tarvel
