#include "db/postgres/PgDriver.h"

#include "db/Dialect.h"
#include "db/postgres/PgConnection.h"
#include "db/postgres/PgErrors.h"
#include "db/postgres/PgScriptSplitter.h"

#include <cctype>
#include <poll.h>

namespace tarvel {

namespace {

constexpr int LogonTimeoutMs = 30000;

// Unquoted names fold to lower case on this engine.
std::string FoldedName(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return name;
}

bool IsSqlState(const std::string& s) {
    if (s.size() != 5)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)) &&
            !std::isupper(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// libpq's verbose logon failure: "...failed: FATAL:  28P01: text\nDETAIL:  ...\nLOCATION: ...".
EOracleError LogonError(const std::string& message) {
    for (const char* severity : {"FATAL:  ", "ERROR:  "}) {
        std::size_t at = message.find(severity);
        if (at == std::string::npos)
            continue;
        std::size_t start = at + 8;
        std::string state = message.substr(start, 5);
        if (!IsSqlState(state) || message.compare(start + 5, 2, ": ") != 0)
            continue;
        std::string text;
        std::size_t pos = start + 7;
        bool first = true;
        while (pos < message.size()) {
            std::size_t end = message.find('\n', pos);
            std::string line = message.substr(pos, end == std::string::npos ? end : end - pos);
            pos = end == std::string::npos ? message.size() : end + 1;
            if (line.empty() || line.rfind("LOCATION:", 0) == 0)
                continue;
            if (!first && line.rfind("DETAIL:", 0) != 0 && line.rfind("HINT:", 0) != 0)
                break;
            text += (first ? "" : "\n") + line;
            first = false;
        }
        return PgError(text, state);
    }
    std::string text = message;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return PgError(text, "08001");
}

} // namespace

std::unique_ptr<IDbConnection> TPgDriver::Connect(const std::string& user,
                                                  const std::string& password,
                                                  const std::string& database) {
    const std::string lowerUser = FoldedName(user);
    std::vector<const char*> keys = {"user", "password", "application_name", "client_encoding"};
    std::vector<const char*> values = {lowerUser.c_str(), password.c_str(), "tarvel", "UTF8"};
    if (!database.empty()) {
        keys.push_back("dbname");
        values.push_back(database.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* conn = PQconnectStartParams(keys.data(), values.data(), 1);
    if (!conn)
        throw PgError("out of memory", "08001");
    // Verbose errors carry the SQLSTATE of a refused logon, which libpq does not expose.
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
    PostgresPollingStatusType st = PGRES_POLLING_WRITING;
    while (PQstatus(conn) != CONNECTION_BAD && st != PGRES_POLLING_OK &&
           st != PGRES_POLLING_FAILED) {
        pollfd pfd{PQsocket(conn),
                   static_cast<short>(st == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        int ready = poll(&pfd, 1, LogonTimeoutMs);
        if (ready == 0) {
            PQfinish(conn);
            throw PgError("timeout expired", "08001");
        }
        st = PQconnectPoll(conn);
    }
    if (PQstatus(conn) != CONNECTION_OK) {
        EOracleError error = LogonError(PQerrorMessage(conn));
        PQfinish(conn);
        throw error;
    }
    PQsetErrorVerbosity(conn, PQERRORS_DEFAULT);
    return std::make_unique<TPgConnection>(conn);
}

const TDialect& TPgDriver::Dialect() const {
    return PostgresDialect();
}

EOracleError TPgDriver::NotConnectedError() const {
    return PgError("no connection to the server", "08003");
}

EOracleError TPgDriver::MakeError(int code, const std::string& text) const {
    return PgError(text, SqlStateText(code));
}

std::vector<std::string> TPgDriver::SplitScript(const std::string& script) const {
    return SplitPsqlScript(script);
}

} // namespace tarvel
