#include "db/OracleHelpers.h"

#include "db/DataMain.h"
#include "db/postgres/PgErrors.h"
#include "ui/MsgDlg.h"

#include <charconv>

namespace tarvel {

namespace {

constexpr const char* NoRowText =
    "Помилка в функції OraQueryGetValue модуля uOracleDOA: запит не повертає жодного рядка";
constexpr const char* ManyRowsText =
    "Помилка в функції OraQueryGetValue модуля uOracleDOA: запит повертає більше одного рядка";

constexpr const char* SaveErrorCaption = "Помилка";
constexpr const char* SaveErrorText = "QVN-0002. Помилка збереження в базу даних.";

// Names no account; the probe only needs the server's answer to a logon.
constexpr const char* ProbeLogon = "tv_nobody0";

// The number after "marker" in text, when digits of the given kind follow it.
bool CodeAfter(const std::string& text, const std::string& marker, int& code) {
    std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return false;
    if (marker == "ORA-") {
        const char* begin = text.data() + at + 4;
        const char* end = text.data() + std::min(text.size(), at + 9);
        auto [ptr, ec] = std::from_chars(begin, end, code);
        return ec == std::errc() && ptr == end;
    }
    std::string state = text.substr(at + marker.size(), 5);
    if (state.size() != 5)
        return false;
    code = SqlStateCode(state);
    return true;
}

} // namespace

std::unique_ptr<TOracleQuery> OraQueryOpen(const std::string& sql,
                                           const std::vector<std::string>& paramNames,
                                           const std::vector<TVariant>& paramValues,
                                           TOracleSession& session) {
    auto query = std::make_unique<TOracleQuery>(&session);
    query->Scrollable = true;
    query->SetSQL(sql);
    if (auto* ex = dynamic_cast<TOracleSessionEx*>(&session))
        query->Debug = ex->Debug;
    for (std::size_t i = 0; i < paramNames.size(); ++i) {
        const TVariant value = i < paramValues.size() ? paramValues[i] : TVariant();
        query->DeclareVariable(paramNames[i], OraVarTypeOf(value));
        query->SetVariable(paramNames[i], value);
    }
    query->Execute();
    return query;
}

void OraQueryGetValue(const std::string& sql, const std::string& fieldName,
                      const std::vector<std::string>& paramNames,
                      const std::vector<TVariant>& paramValues, TOracleSession& session,
                      TVariant& value) {
    std::unique_ptr<TOracleQuery> query = OraQueryOpen(sql, paramNames, paramValues, session);
    if (query->Eof())
        throw Exception(NoRowText);
    TVariant result = query->Field(fieldName);
    query->Next();
    if (!query->Eof())
        throw Exception(ManyRowsText);
    value = result;
}

int OraVarTypeOf(const TVariant& value) {
    if (value.IsInteger() || value.IsBoolean())
        return otInteger;
    if (value.IsFloat())
        return otFloat;
    if (value.IsDate())
        return otDate;
    if (value.IsSubstitution())
        return otSubst;
    return otString;
}

bool IsOracleServerReady(TDbEngine engine) {
    try {
        TOracleSessionEx probe(engine);
        probe.SetConnected(false);
        probe.LogonUsername = ProbeLogon;
        probe.LogonPassword = ProbeLogon;
        probe.LogonDatabase = "";
        probe.SetConnected(true);
    } catch (const std::exception& e) {
        int code = 0;
        return !(GetOraErrorCode(e, code) &&
                 code == DriverFor(engine).Dialect().ServerStartingCode);
    }
    return true;
}

bool GetOraErrorCode(const std::exception& e, int& code) {
    code = 0;
    if (auto* ex = dynamic_cast<const TOracleErrorEx*>(&e)) {
        code = ex->ErrorCode;
        return true;
    }
    if (auto* ora = dynamic_cast<const EOracleError*>(&e)) {
        code = ora->ErrorCode;
        return true;
    }
    const std::string text = e.what();
    if (CodeAfter(text, "ORA-", code) || CodeAfter(text, "\nSQLSTATE: ", code))
        return true;
    code = 0;
    return false;
}

bool SaveDataSets(const std::vector<TOracleDataSetEx*>& dataSets, bool commit, bool resetModified) {
    if (dataSets.empty())
        return false;
    TOracleSession& session = *dataSets.front()->GetSession();
    try {
        session.ApplyUpdates(std::vector<TOracleDataSet*>(dataSets.begin(), dataSets.end()),
                             commit);
        if (resetModified)
            for (TOracleDataSetEx* ds : dataSets)
                ds->SetIsModified(false);
        return true;
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        const std::string message = e.what();
        try {
            session.Rollback();
        } catch (const EOracleError&) {
            // A lost connection has nothing left to roll back; the error below says why.
        }
        if (message.rfind(session.Dialect().ErrorMarker, 0) == 0)
            ShowErrorDlg(SaveErrorCaption, SaveErrorText, message);
        else
            MsgDlg(message, TMsgKind::mkError, MsgButtons({btOk}));
        return false;
    }
}

void ReadDictSetting(const std::string& settingId, std::string& value, TOracleSessionEx& session) {
    const TDialect& dialect = session.Dialect();
    TVariant result;
    if (dialect.ReadSettingBindsResult) {
        session.ExecuteWithParams(dialect.ReadSetting, {"", settingId}, result);
    } else {
        try {
            session.ExecuteWithParams(dialect.ReadSetting, {settingId}, result);
        } catch (const EOracleError&) {
            // The statement has no handler of its own: a failure reads as no value, as long as
            // the session itself still works.
            if (!session.IsAlive())
                throw;
            result = TVariant();
        }
    }
    value = result.AsString();
}

void ReadDictSetting(const std::string& settingId, std::string& value) {
    Assert(dmMain != nullptr, "ReadDictSetting: головний модуль даних не створено", "uOracleDOA",
           0);
    ReadDictSetting(settingId, value, dmMain->ossnMain);
}

} // namespace tarvel
