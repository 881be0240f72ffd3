#include "db/postgres/PgConnection.h"

#include "db/SqlText.h"
#include "db/postgres/PgErrors.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace tarvel {

namespace {

constexpr const char* StatementSavepoint = "tarvel_statement";

// Type ids of the server's built-in types.
constexpr Oid BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, TextOid = 25,
              OidOid = 26, Float4Oid = 700, Float8Oid = 701, BpcharOid = 1042, VarcharOid = 1043,
              DateOid = 1082, TimestampOid = 1114, TimestamptzOid = 1184, NumericOid = 1700;

struct TResultCloser {
    void operator()(PGresult* r) const { PQclear(r); }
};
using TResult = std::unique_ptr<PGresult, TResultCloser>;

std::string FirstLine(const char* text) {
    std::string s = text ? text : "";
    std::size_t end = s.find('\n');
    return end == std::string::npos ? s : s.substr(0, end);
}

TDbColumn ColumnOf(const PGresult* res, int i) {
    TDbColumn col;
    col.Name = PQfname(res, i);
    const Oid type = PQftype(res, i);
    const int mod = PQfmod(res, i);
    switch (type) {
    case BoolOid:
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
        col.Type = TFieldType::ftInteger;
        break;
    case Float4Oid:
    case Float8Oid:
        col.Type = TFieldType::ftFloat;
        break;
    case NumericOid:
        // numeric(p, 0) holds whole numbers only
        col.Type =
            mod >= 4 && ((mod - 4) & 0xFFFF) == 0 ? TFieldType::ftInteger : TFieldType::ftFloat;
        break;
    case DateOid:
    case TimestampOid:
    case TimestamptzOid:
        col.Type = TFieldType::ftDateTime;
        break;
    case ByteaOid:
        col.Type = TFieldType::ftBlob;
        break;
    case TextOid:
        col.Type = TFieldType::ftMemo;
        break;
    case BpcharOid:
    case VarcharOid:
        col.Type = TFieldType::ftString;
        col.Size = mod >= 4 ? mod - 4 : 0;
        break;
    default:
        col.Type = TFieldType::ftString;
    }
    return col;
}

// Dates come as "yyyy-mm-dd …" or, under the German date style, "dd.mm.yyyy …".
TDateTime ParseDate(const std::string& text) {
    if (text.size() >= 10 && text[2] == '.' && text[5] == '.') {
        std::string iso = text.substr(6, 4) + "-" + text.substr(3, 2) + "-" + text.substr(0, 2);
        if (text.size() > 10)
            iso += text.substr(10);
        return IsoToDateTime(iso);
    }
    return IsoToDateTime(text);
}

TVariant ValueOf(const PGresult* res, int row, int col, const TDbColumn& column) {
    if (PQgetisnull(res, row, col))
        return TVariant::Null();
    const char* text = PQgetvalue(res, row, col);
    const Oid type = PQftype(res, col);
    if (type == BoolOid)
        return TVariant(text[0] == 't' ? 1 : 0);
    if (type == ByteaOid) {
        std::size_t len = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &len);
        TBytes out{std::string(reinterpret_cast<char*>(bytes), len)};
        PQfreemem(bytes);
        return out;
    }
    const std::string s = text;
    switch (column.Type) {
    case TFieldType::ftInteger: {
        std::int64_t v = 0;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec == std::errc() && end == s.data() + s.size())
            return TVariant(static_cast<long long>(v));
        return TVariant(std::strtod(s.c_str(), nullptr));
    }
    case TFieldType::ftFloat:
        return TVariant(std::strtod(s.c_str(), nullptr));
    case TFieldType::ftDateTime:
        return ParseDate(s);
    default:
        return TVariant(s);
    }
}

// The text form of a bound value; null for unassigned and null values.
bool BindText(const TVariant& v, std::string& out) {
    if (v.IsEmpty())
        return false;
    if (v.IsDate())
        out = DateTimeToIso(v.AsDateTime());
    else if (v.IsBoolean())
        out = v.AsInteger() ? "1" : "0";
    else
        out = v.AsString();
    return true;
}

} // namespace

TPgConnection::TPgConnection(PGconn* conn) : Conn(conn) {
    PQsetNoticeReceiver(Conn, &TPgConnection::OnNotice, this);
}

TPgConnection::~TPgConnection() {
    PQfinish(Conn);
}

void TPgConnection::OnNotice(void* self, const PGresult* res) {
    const char* severity = PQresultErrorField(res, PG_DIAG_SEVERITY);
    const char* text = PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY);
    static_cast<TPgConnection*>(self)->Messages.push_back(
        std::string(severity ? severity : "NOTICE") + ":  " + (text ? text : ""));
}

bool TPgConnection::IsAlive() const {
    return PQstatus(Conn) == CONNECTION_OK;
}

void TPgConnection::CheckAlive() const {
    if (!IsAlive())
        throw PgError("no connection to the server", "08003");
}

void TPgConnection::RaiseResultError(PGresult* res) {
    if (!IsAlive())
        throw PgError(FirstLine(PQerrorMessage(Conn)), "08006");
    const char* state = PQresultErrorField(res, PG_DIAG_SQLSTATE);
    const char* primary = PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY);
    const char* detail = PQresultErrorField(res, PG_DIAG_MESSAGE_DETAIL);
    const char* hint = PQresultErrorField(res, PG_DIAG_MESSAGE_HINT);
    const char* constraint = PQresultErrorField(res, PG_DIAG_CONSTRAINT_NAME);
    std::string sqlState = state ? state : "XX000";
    std::string text = primary ? primary : FirstLine(PQresultErrorMessage(res));
    if (detail)
        text += std::string("\nDETAIL:  ") + detail;
    if (hint)
        text += std::string("\nHINT:  ") + hint;
    if (constraint && sqlState.compare(0, 2, "23") == 0)
        throw EOracleConstraintError(PgErrorText(text, sqlState), SqlStateCode(sqlState),
                                     constraint);
    throw PgError(text, sqlState);
}

void TPgConnection::Simple(const std::string& sql) {
    CheckAlive();
    TResult res(PQexec(Conn, sql.c_str()));
    if (PQresultStatus(res.get()) != PGRES_COMMAND_OK)
        RaiseResultError(res.get());
}

void TPgConnection::BeginIfIdle() {
    if (PQtransactionStatus(Conn) == PQTRANS_IDLE)
        Simple("BEGIN");
}

std::string TPgConnection::Prepared(const std::string& text, int paramCount) {
    if (auto it = Cache.find(text); it != Cache.end()) {
        CacheUse.splice(CacheUse.begin(), CacheUse, it->second.Use);
        return it->second.Name;
    }
    std::string name = "tarvel_s" + std::to_string(++NextStatement);
    TResult res(PQprepare(Conn, name.c_str(), text.c_str(), paramCount, nullptr));
    if (PQresultStatus(res.get()) != PGRES_COMMAND_OK)
        return "";
    while (static_cast<int>(Cache.size()) >= CacheSize && !CacheUse.empty())
        Forget(CacheUse.back());
    CacheUse.push_front(text);
    Cache[text] = {name, CacheUse.begin()};
    return name;
}

void TPgConnection::Forget(const std::string& text) {
    auto it = Cache.find(text);
    if (it == Cache.end())
        return;
    TResult res(PQexec(Conn, ("DEALLOCATE " + it->second.Name).c_str()));
    CacheUse.erase(it->second.Use);
    Cache.erase(it);
}

PGresult* TPgConnection::Run(const std::string& text, const std::vector<const char*>& values,
                             const std::vector<int>& lengths, const std::vector<int>& formats) {
    const int n = static_cast<int>(values.size());
    if (CacheSize > 0 && n > 0) {
        std::string name = Prepared(text, n);
        if (!name.empty())
            return PQexecPrepared(Conn, name.c_str(), n, values.data(), lengths.data(),
                                  formats.data(), 0);
    }
    return PQexecParams(Conn, text.c_str(), n, nullptr, values.data(), lengths.data(),
                        formats.data(), 0);
}

TDbResult TPgConnection::Execute(const std::string& sql, const std::vector<TBindValue>& binds) {
    CheckAlive();
    std::string text = sql;
    std::vector<std::string> storage;
    std::vector<const char*> values;
    std::vector<int> lengths, formats;
    if (!binds.empty()) {
        std::map<std::string, int> number;
        std::vector<const TBindValue*> ordered;
        auto refs = FindVariableRefs(sql);
        for (const auto& ref : refs) {
            if (number.count(ref.Name))
                continue;
            for (const auto& b : binds)
                if (b.Name == ref.Name) {
                    ordered.push_back(&b);
                    number[ref.Name] = static_cast<int>(ordered.size());
                    break;
                }
        }
        for (const auto& ref : refs)
            if (!number.count(ref.Name))
                throw PgError("no value for the bind variable :" + ref.Name, "42P02");
        text.clear();
        std::size_t pos = 0;
        for (const auto& ref : refs) {
            text += sql.substr(pos, ref.Pos - pos) + "$" + std::to_string(number[ref.Name]);
            pos = ref.Pos + ref.Length;
        }
        text += sql.substr(pos);
        storage.resize(ordered.size());
        for (std::size_t i = 0; i < ordered.size(); ++i) {
            const TVariant& v = ordered[i]->Value;
            const bool binary = v.IsBytes();
            const bool present =
                binary ? (storage[i] = v.AsString(), true) : BindText(v, storage[i]);
            values.push_back(present ? storage[i].data() : nullptr);
            lengths.push_back(static_cast<int>(storage[i].size()));
            formats.push_back(binary ? 1 : 0);
        }
    }

    BeginIfIdle();
    Simple(std::string("SAVEPOINT ") + StatementSavepoint);
    TResult res(Run(text, values, lengths, formats));
    ExecStatusType st = PQresultStatus(res.get());
    const char* failedState = PQresultErrorField(res.get(), PG_DIAG_SQLSTATE);
    if (st == PGRES_FATAL_ERROR && IsAlive() && Cache.count(text) && failedState &&
        std::string(failedState) == "0A000") {
        // A cached plan that no longer fits the tables (changed by DDL): parse it anew once.
        Simple(std::string("ROLLBACK TO SAVEPOINT ") + StatementSavepoint);
        Forget(text);
        res.reset(Run(text, values, lengths, formats));
        st = PQresultStatus(res.get());
    }
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_EMPTY_QUERY) {
        if (IsAlive() && PQtransactionStatus(Conn) == PQTRANS_INERROR) {
            Simple(std::string("ROLLBACK TO SAVEPOINT ") + StatementSavepoint);
            Simple(std::string("RELEASE SAVEPOINT ") + StatementSavepoint);
        }
        RaiseResultError(res.get());
    }
    const std::string tag = PQcmdStatus(res.get());
    // COMMIT, ROLLBACK and RELEASE of the script's own may have taken our savepoint along.
    if (PQtransactionStatus(Conn) == PQTRANS_INTRANS && tag != "ROLLBACK" && tag != "RELEASE")
        Simple(std::string("RELEASE SAVEPOINT ") + StatementSavepoint);

    TDbResult out;
    const int cols = PQnfields(res.get());
    const int rows = PQntuples(res.get());
    for (int c = 0; c < cols; ++c)
        out.Columns.push_back(ColumnOf(res.get(), c));
    out.Rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        std::vector<TVariant> row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row.push_back(ValueOf(res.get(), r, c, out.Columns[c]));
        out.Rows.push_back(std::move(row));
    }
    out.RowsProcessed = std::atoll(PQcmdTuples(res.get()));
    out.Feedback = tag;
    return out;
}

void TPgConnection::Commit() {
    CheckAlive();
    if (PQtransactionStatus(Conn) != PQTRANS_IDLE)
        Simple("COMMIT");
}

void TPgConnection::Rollback() {
    CheckAlive();
    if (PQtransactionStatus(Conn) != PQTRANS_IDLE)
        Simple("ROLLBACK");
}

void TPgConnection::Savepoint(const std::string& name) {
    CheckAlive();
    BeginIfIdle();
    Simple("SAVEPOINT " + name);
}

void TPgConnection::RollbackToSavepoint(const std::string& name) {
    Simple("ROLLBACK TO SAVEPOINT " + name);
}

std::vector<std::string> TPgConnection::TakeMessages() {
    std::vector<std::string> out;
    out.swap(Messages);
    return out;
}

void TPgConnection::SetStatementCacheSize(int size) {
    CacheSize = size < 0 ? 0 : size;
    while (static_cast<int>(Cache.size()) > CacheSize && !CacheUse.empty())
        Forget(CacheUse.back());
}

} // namespace tarvel
