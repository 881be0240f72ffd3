#pragma once

#include "db/DbDriver.h"
#include "db/Dialect.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

class TOracleDataSet;

enum class TOptimizerGoal { ogUnchanged, ogFirstRows, ogAllRows, ogRule, ogChoose };

struct TSessionPreferences {
    bool TrimStringFields = true;
};

// A logon to the database of one engine. Work runs in a transaction that only Commit ends;
// connecting raises EOracleError with the engine's text when the logon fails.
class TOracleSession {
public:
    explicit TOracleSession(TDbEngine engine = DefaultDbEngine());
    virtual ~TOracleSession();
    TOracleSession(const TOracleSession&) = delete;
    TOracleSession& operator=(const TOracleSession&) = delete;

    std::string LogonUsername;
    std::string LogonPassword;
    std::string LogonDatabase; // empty: the engine's local default
    // Disconnecting rolls back an open transaction when true and commits it otherwise.
    bool RollbackOnDisconnect = false;
    TOptimizerGoal OptimizerGoal = TOptimizerGoal::ogChoose;
    // Table (constraint_name, error_message) whose text replaces the message of a violated
    // constraint; empty: messages stay the engine's.
    std::string MessageTable;
    bool StatementCache = false;
    int StatementCacheSize = 20;
    TSessionPreferences Preferences;
    // Runs after each logon; an error it raises fails the logon.
    std::function<void(TOracleSession&)> AfterLogOn;

    bool Connected() const { return Connection != nullptr; }
    // Connected and the connection not lost.
    bool IsAlive() const { return Connection && Connection->IsAlive(); }
    void SetConnected(bool connected);
    void LogOn();
    void LogOff();
    void Commit();
    void Rollback();
    void Savepoint(const std::string& name);
    void RollbackToSavepoint(const std::string& name);

    // Applies the cached changes of the datasets in one go: either every row is written or the
    // session is back where it was before and the error is raised. Commits when asked.
    void ApplyUpdates(const std::vector<TOracleDataSet*>& dataSets, bool commit);

    TDbEngine Engine() const { return EngineKind; }
    IDbDriver& Driver() const;
    const TDialect& Dialect() const;

    // One statement on this session's connection (queries go through here).
    TDbResult Execute(const std::string& sql, const std::vector<TBindValue>& binds);
    // Server messages since the last call.
    std::vector<std::string> TakeMessages();

private:
    IDbConnection& Live();
    std::string ReadableMessage(const std::string& constraint);

    TDbEngine EngineKind;
    std::unique_ptr<IDbConnection> Connection;
};

} // namespace tarvel
