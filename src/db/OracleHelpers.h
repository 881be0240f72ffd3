#pragma once

#include "core/Exceptions.h"
#include "db/OracleDataSetEx.h"
#include "db/OracleQuery.h"
#include "db/OracleSessionEx.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

// An error that carries an engine error number beside its message.
class TOracleErrorEx : public Exception {
public:
    TOracleErrorEx(const std::string& message, int errorCode)
        : Exception(message), ErrorCode(errorCode) {}
    int ErrorCode;
};

// An open query the caller owns; each name i is declared with OraVarTypeOf(values[i]) and
// that value. Errors of the query pass on.
std::unique_ptr<TOracleQuery> OraQueryOpen(const std::string& sql,
                                           const std::vector<std::string>& paramNames,
                                           const std::vector<TVariant>& paramValues,
                                           TOracleSession& session);

// The value of one field of a query that must return exactly one row; raises Exception with
// the helper's texts for no row and for more than one.
void OraQueryGetValue(const std::string& sql, const std::string& fieldName,
                      const std::vector<std::string>& paramNames,
                      const std::vector<TVariant>& paramValues, TOracleSession& session,
                      TVariant& value);

// The variable type a value is bound with.
int OraVarTypeOf(const TVariant& value);

// False only when a probe logon to the engine's local default database is refused because
// the server is starting or stopping.
bool IsOracleServerReady(TDbEngine engine = DefaultDbEngine());

// True with the engine's error number when the error carries one; else false with 0.
bool GetOraErrorCode(const std::exception& e, int& code);

// Applies the cached changes of all datasets through the first one's session, committing when
// asked, and clears their IsModified when asked. On a failure rolls back, shows the error (the
// engine's errors in the error window with the saving message) and returns false; only the
// silent abort passes on. False for an empty list.
bool SaveDataSets(const std::vector<TOracleDataSetEx*>& dataSets, bool commit, bool resetModified);

// The trimmed value of a dict_setting row through the session; empty when the row is missing
// or null. Raises only when the session cannot run the statement.
void ReadDictSetting(const std::string& settingId, std::string& value, TOracleSessionEx& session);
// The same through the main session of the main data module.
void ReadDictSetting(const std::string& settingId, std::string& value);

} // namespace tarvel
