#pragma once

#include "db/OracleSession.h"
#include "db/Variant.h"

#include <string>
#include <vector>

namespace tarvel {

struct TNamedValue {
    std::string Name;
    TVariant Value;
};

// The session of the program and of Verifier: a session that runs a statement with values
// for the variables it finds in it.
class TOracleSessionEx : public TOracleSession {
public:
    using TOracleSession::TOracleSession;

    bool Debug = false;
    bool DebugChild = false;
    // The variables of the last ExecuteWithParams, named without the colon, upper-cased, with
    // their values after the run; then the columns of its first row that are not variables.
    std::vector<TNamedValue> SessionParams;

    // Runs sql once. When there are as many values as variables they bind by position; otherwise
    // the values are (name, value) pairs. result = the value named "result" (any case), or
    // unassigned. Errors pass to the caller.
    void ExecuteWithParams(const std::string& sql, const std::vector<TVariant>& values,
                           TVariant& result);
    // The entry of that name (any case, colon optional); unassigned when there is none.
    TVariant SessionParam(const std::string& name) const;

private:
    TNamedValue* FindParam(const std::string& name);
};

} // namespace tarvel
