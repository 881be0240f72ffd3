#pragma once

#include "core/Exceptions.h"
#include "db/DbTypes.h"
#include "db/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

struct TDialect;

// A value for one named variable of a statement; Name is upper-cased, without the colon.
struct TBindValue {
    std::string Name;
    int Type = otString;
    TVariant Value;
};

struct TDbColumn {
    std::string Name; // as the engine reports it
    TFieldType Type = TFieldType::ftString;
    int Size = 0; // declared character length of string columns, else 0
};

// Everything a statement produced; rows are fetched whole.
struct TDbResult {
    std::vector<TDbColumn> Columns;
    std::vector<std::vector<TVariant>> Rows;
    std::int64_t RowsProcessed = 0;
    std::string Feedback; // one line: the kind of statement and the rows processed
};

// A constraint violation; Constraint names the violated constraint.
class EOracleConstraintError : public EOracleError {
public:
    EOracleConstraintError(const std::string& message, int errorCode, std::string constraint)
        : EOracleError(message, errorCode), Constraint(std::move(constraint)) {}
    std::string Constraint;
};

// One logged-on connection of an engine. Statements run inside a transaction the connection
// opens on demand; nothing is committed until Commit. A failed statement undoes only its own
// work and raises EOracleError with the engine's error text; once the connection is lost every
// call raises.
class IDbConnection {
public:
    virtual ~IDbConnection() = default;

    // Runs one statement; ":name" placeholders take the value of the bind of that name.
    // A placeholder without a bind is an engine error.
    virtual TDbResult Execute(const std::string& sql, const std::vector<TBindValue>& binds) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual void Savepoint(const std::string& name) = 0;
    virtual void RollbackToSavepoint(const std::string& name) = 0;
    // Server messages (notices, DBMS output) since the last call, one line each.
    virtual std::vector<std::string> TakeMessages() = 0;
    // Keeps up to size parsed statements for reuse; 0 keeps none.
    virtual void SetStatementCacheSize(int size) = 0;
    virtual bool IsAlive() const = 0;
};

// An engine: how to log on, its error texts and how its command-line tool splits scripts.
class IDbDriver {
public:
    virtual ~IDbDriver() = default;
    // Raises EOracleError with the engine's text when the logon fails. An empty database is the
    // engine's local default.
    virtual std::unique_ptr<IDbConnection>
    Connect(const std::string& user, const std::string& password, const std::string& database) = 0;
    virtual const TDialect& Dialect() const = 0;
    // The error raised for work on a session that is not logged on.
    virtual EOracleError NotConnectedError() const = 0;
    // An error of this engine with the given code and text, in the engine's format.
    virtual EOracleError MakeError(int code, const std::string& text) const = 0;
    // The commands of a script, each with its text as written (leading comments included);
    // pieces holding only blanks and comments are dropped.
    virtual std::vector<std::string> SplitScript(const std::string& script) const = 0;
};

// The driver of an engine; raises Exception when it is not available in this build.
IDbDriver& DriverFor(TDbEngine engine);

} // namespace tarvel
