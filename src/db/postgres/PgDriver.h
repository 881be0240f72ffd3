#pragma once

#include "db/DbDriver.h"

namespace tarvel {

// PostgreSQL through libpq. The logon database is a libpq connection text or a database
// name; user names are folded to lower case like unquoted names.
class TPgDriver : public IDbDriver {
public:
    std::unique_ptr<IDbConnection> Connect(const std::string& user, const std::string& password,
                                           const std::string& database) override;
    const TDialect& Dialect() const override;
    EOracleError NotConnectedError() const override;
    EOracleError MakeError(int code, const std::string& text) const override;
    std::vector<std::string> SplitScript(const std::string& script) const override;
};

} // namespace tarvel
