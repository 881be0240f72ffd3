#include "db/OracleSession.h"

#include "db/OracleDataSet.h"

namespace tarvel {

namespace {
constexpr const char* ApplySavepoint = "tarvel_apply";
}

TOracleSession::TOracleSession(TDbEngine engine) : EngineKind(engine) {}

TOracleSession::~TOracleSession() {
    LogOff();
}

IDbDriver& TOracleSession::Driver() const {
    return DriverFor(EngineKind);
}

const TDialect& TOracleSession::Dialect() const {
    return Driver().Dialect();
}

void TOracleSession::SetConnected(bool connected) {
    if (connected)
        LogOn();
    else
        LogOff();
}

void TOracleSession::LogOn() {
    if (Connection && Connection->IsAlive())
        return;
    Connection.reset(); // a lost connection is replaced by a new logon
    Connection = Driver().Connect(LogonUsername, LogonPassword, LogonDatabase);
    Connection->SetStatementCacheSize(StatementCache ? StatementCacheSize : 0);
    if (!AfterLogOn)
        return;
    try {
        AfterLogOn(*this);
    } catch (...) {
        Connection.reset();
        throw;
    }
}

void TOracleSession::LogOff() {
    if (!Connection)
        return;
    try {
        if (RollbackOnDisconnect)
            Connection->Rollback();
        else
            Connection->Commit();
    } catch (const EOracleError&) {
        // A connection that is already gone has nothing left to end.
    }
    Connection.reset();
}

IDbConnection& TOracleSession::Live() {
    if (!Connection)
        throw Driver().NotConnectedError();
    return *Connection;
}

void TOracleSession::Commit() {
    Live().Commit();
}

void TOracleSession::Rollback() {
    Live().Rollback();
}

void TOracleSession::Savepoint(const std::string& name) {
    Live().Savepoint(name);
}

void TOracleSession::RollbackToSavepoint(const std::string& name) {
    Live().RollbackToSavepoint(name);
}

void TOracleSession::ApplyUpdates(const std::vector<TOracleDataSet*>& dataSets, bool commit) {
    Savepoint(ApplySavepoint);
    try {
        for (TOracleDataSet* ds : dataSets)
            ds->ApplyCachedUpdates();
    } catch (...) {
        if (IsAlive())
            RollbackToSavepoint(ApplySavepoint);
        throw;
    }
    for (TOracleDataSet* ds : dataSets)
        ds->CommitUpdates();
    if (commit)
        Commit();
}

std::vector<std::string> TOracleSession::TakeMessages() {
    return Connection ? Connection->TakeMessages() : std::vector<std::string>{};
}

std::string TOracleSession::ReadableMessage(const std::string& constraint) {
    try {
        TDbResult res =
            Live().Execute("select error_message from " + MessageTable +
                               " where upper(constraint_name) = upper(:constraint_name)",
                           {{"CONSTRAINT_NAME", otString, constraint}});
        if (!res.Rows.empty())
            return res.Rows.front().front().AsString();
    } catch (const EOracleError&) {
        // Without a readable text the engine's own message stands.
    }
    return "";
}

TDbResult TOracleSession::Execute(const std::string& sql, const std::vector<TBindValue>& binds) {
    try {
        return Live().Execute(sql, binds);
    } catch (const EOracleConstraintError& e) {
        if (MessageTable.empty())
            throw;
        std::string readable = ReadableMessage(e.Constraint);
        if (readable.empty())
            throw;
        throw Driver().MakeError(e.ErrorCode, readable);
    }
}

} // namespace tarvel
