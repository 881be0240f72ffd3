#include "db/OracleDataSetEx.h"

#include "core/StringUtils.h"
#include "db/LOBLocator.h"
#include "db/OracleSession.h"
#include "db/SqlText.h"

#include <memory>

namespace tarvel {

namespace {

constexpr std::size_t ShortBlock = 10; // blocks this short leave the row to the base class
constexpr double NumericLimit = 99999999;
const std::string NoBlock;

} // namespace

TOracleDataSetEx::TOracleDataSetEx(TOracleSession* session)
    : TOracleDataSet(session), InsertQuery(session), UpdateQuery(session), DeleteQuery(session),
      LockQuery(session), RefreshQuery(session) {}

void TOracleDataSetEx::SetSession(TOracleSession* session) {
    TOracleDataSet::SetSession(session);
    for (TOracleQuery* q : {&InsertQuery, &UpdateQuery, &DeleteQuery, &LockQuery, &RefreshQuery})
        q->Session = session;
}

void TOracleDataSetEx::SetDebug(bool debug) {
    Debug = debug;
    for (TOracleQuery* q : {&InsertQuery, &UpdateQuery, &DeleteQuery, &LockQuery, &RefreshQuery})
        q->Debug = debug;
}

void TOracleDataSetEx::SetIsModified(bool modified) {
    if (Modified == modified)
        return;
    Modified = modified;
    if (OnIsModifiedChange)
        OnIsModifiedChange(*this);
}

void TOracleDataSetEx::SetFiltered(bool filtered) {
    FilteredFlag = filtered;
    if (OnFilteredChanged)
        OnFilteredChanged(*this);
}

bool TOracleDataSetEx::CanModify() const {
    if (TOracleDataSet::CanModify())
        return true;
    const bool hasBlock = SQLInsert.size() > ShortBlock || SQLUpdate.size() > ShortBlock ||
                          SQLDelete.size() > ShortBlock;
    return Active() && hasBlock && !ReadOnly;
}

void TOracleDataSetEx::BeforeInsertHook() {
    if (!(AllowOperations & opInsert))
        throw EAbort();
}

void TOracleDataSetEx::BeforeEditHook() {
    if (!(AllowOperations & opUpdate))
        throw EAbort();
}

void TOracleDataSetEx::BeforeDeleteHook() {
    if (!(AllowOperations & opDelete))
        throw EAbort();
}

void TOracleDataSetEx::AfterChangeHook() {
    SetIsModified(true);
}

void TOracleDataSetEx::FieldsCreatedHook() {
    for (int i = 0; i < FieldCount(); ++i) {
        TField& f = FieldAt(i);
        const bool isInteger = f.DataType() == TFieldType::ftInteger;
        const bool isFloat = f.DataType() == TFieldType::ftFloat;
        if (!isInteger && !isFloat)
            continue;
        f.RejectedChars += '+';
        if (f.MinValue == 0 && f.MaxValue == 0) {
            f.MinValue = -NumericLimit;
            f.MaxValue = NumericLimit;
        }
        if (isFloat && DisallowExponentSymbol)
            f.RejectedChars += "Ee";
    }
}

const std::string& TOracleDataSetEx::BlockOf(char kind) const {
    switch (kind) {
    case 'I':
        return SQLInsert;
    case 'U':
        return SQLUpdate;
    case 'D':
        return SQLDelete;
    case 'L':
        return SQLLock;
    case 'R':
        return SQLRefresh;
    default:
        return NoBlock;
    }
}

TOracleQuery& TOracleDataSetEx::QueryOf(char kind) {
    switch (kind) {
    case 'I':
        return InsertQuery;
    case 'U':
        return UpdateQuery;
    case 'D':
        return DeleteQuery;
    case 'L':
        return LockQuery;
    default:
        return RefreshQuery;
    }
}

bool TOracleDataSetEx::ApplyRecordHook(char kind) {
    if (TOracleDataSet::ApplyRecordHook(kind))
        return true;
    const std::string& block = BlockOf(kind);
    if (block.size() <= ShortBlock)
        return false;
    TOracleQuery& q = QueryOf(kind);
    q.Session = Session;
    if (q.SQL() != block) {
        q.SetSQL(block);
        q.DeleteVariables();
        for (const auto& name : FindVariables(block)) {
            if (TField* f = FindField(name))
                q.DeclareVariable(name, OraTypeOfField(f->DataType()));
            else if (name.rfind("OLD_", 0) == 0 && FindField(name.substr(4)))
                q.DeclareVariable(name, OraTypeOfField(FindField(name.substr(4))->DataType()));
            else if (name == "DOA__ROWID")
                q.DeclareVariable(name, otString);
        }
    }
    for (const char* rowIdName : {"ROWID", "DOA__ROWID"})
        if (q.VariableIndex(rowIdName) >= 0)
            q.SetVariable(rowIdName, RowId());

    std::vector<std::unique_ptr<TLOBLocator>> lobs;
    for (int i = 0; i < q.VariableCount(); ++i) {
        const std::string name = q.VariableName(i);
        if (!IsLobType(q.VariableType(i))) {
            if (TField* f = FindField(name))
                q.SetVariable(name, f->Value());
            else if (name.rfind("OLD_", 0) == 0 && FindField(name.substr(4)))
                q.SetVariable(name, OldValue(FindField(name.substr(4))->Index()));
        } else if (kind == 'I' || kind == 'U') {
            TField* f = FindField(name);
            if (!f)
                throw Exception("Can not find the LOB field '" + name + "'");
            lobs.push_back(TLOBLocator::CreateTemporary(*Session, q.VariableType(i)));
            lobs.back()->SetAsString(f->Value().AsString());
            q.SetComplexVariable(name, lobs.back().get());
        }
    }
    q.Optimize = true;
    q.Execute();
    if (q.VariableIndex("O_ROW_ID") >= 0)
        SetRowId(q.GetVariable("O_ROW_ID").AsString());
    if (q.VariableIndex("DOA__ROWID") >= 0)
        SetRowId(q.GetVariable("DOA__ROWID").AsString());
    if ((kind == 'I' || kind == 'U') && ReturnOutParamIntoField) {
        for (int i = 0; i < q.VariableCount(); ++i) {
            if (IsLobType(q.VariableType(i)))
                continue;
            TField* f = FindField(q.VariableName(i));
            const TVariant value = q.GetVariable(q.VariableName(i));
            if (f && !(value == f->Value()))
                StoreFieldValue(f->Index(), value);
        }
    }
    return true;
}

} // namespace tarvel
