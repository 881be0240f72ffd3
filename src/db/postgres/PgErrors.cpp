#include "db/postgres/PgErrors.h"

namespace tarvel {

int SqlStateCode(const std::string& sqlState) {
    int code = 0;
    for (std::size_t i = 0; i < 5 && i < sqlState.size(); ++i)
        code |= ((sqlState[i] - '0') & 0x3F) << (6 * i);
    return code;
}

std::string SqlStateText(int code) {
    std::string out;
    for (int i = 0; i < 5; ++i)
        out += static_cast<char>(((code >> (6 * i)) & 0x3F) + '0');
    return out;
}

std::string PgErrorText(const std::string& text, const std::string& sqlState) {
    return "ERROR:  " + text + "\nSQLSTATE: " + sqlState;
}

EOracleError PgError(const std::string& text, const std::string& sqlState) {
    return EOracleError(PgErrorText(text, sqlState), SqlStateCode(sqlState));
}

} // namespace tarvel
