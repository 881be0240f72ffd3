#pragma once

#include "db/DbDriver.h"

#include <libpq-fe.h>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvel {

// One libpq connection with the transaction behaviour the access layer promises: an implicit
// transaction, and a savepoint around every statement so that a failed one undoes only itself.
class TPgConnection : public IDbConnection {
public:
    // Takes over a connection that is logged on.
    explicit TPgConnection(PGconn* conn);
    ~TPgConnection() override;
    TPgConnection(const TPgConnection&) = delete;
    TPgConnection& operator=(const TPgConnection&) = delete;

    TDbResult Execute(const std::string& sql, const std::vector<TBindValue>& binds) override;
    void Commit() override;
    void Rollback() override;
    void Savepoint(const std::string& name) override;
    void RollbackToSavepoint(const std::string& name) override;
    std::vector<std::string> TakeMessages() override;
    void SetStatementCacheSize(int size) override;
    bool IsAlive() const override;

private:
    struct TCached {
        std::string Name;
        std::list<std::string>::iterator Use;
    };

    static void OnNotice(void* self, const PGresult* res);
    void Simple(const std::string& sql);
    void CheckAlive() const;
    void BeginIfIdle();
    PGresult* Run(const std::string& text, const std::vector<const char*>& values,
                  const std::vector<int>& lengths, const std::vector<int>& formats);
    std::string Prepared(const std::string& text, int paramCount);
    void Forget(const std::string& text);
    [[noreturn]] void RaiseResultError(PGresult* res);

    PGconn* Conn;
    std::vector<std::string> Messages;
    int CacheSize = 0;
    int NextStatement = 0;
    std::unordered_map<std::string, TCached> Cache;
    std::list<std::string> CacheUse; // most recently used first
};

} // namespace tarvel
