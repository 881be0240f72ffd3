#pragma once

#include "core/Exceptions.h"

#include <string>

namespace tarvel {

// A SQLSTATE packed into an integer six bits per character, as the server packs it; the
// error code an EOracleError of this engine carries.
int SqlStateCode(const std::string& sqlState);
std::string SqlStateText(int code);

// "ERROR:  text" followed by "SQLSTATE: nnnnn" on a line of its own.
std::string PgErrorText(const std::string& text, const std::string& sqlState);
EOracleError PgError(const std::string& text, const std::string& sqlState);

} // namespace tarvel
