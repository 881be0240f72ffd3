#include "db/OracleDataSet.h"

#include "core/StringUtils.h"
#include "db/OracleSession.h"

namespace tarvel {

namespace {

constexpr const char* NotEditingText = "Dataset not in edit or insert mode";
constexpr const char* InactiveText = "Cannot perform this operation on a closed dataset";
constexpr const char* NoRowText = "No current record";
constexpr const char* NoKeyText = "Cannot write the row: no updating table or key fields";

} // namespace

TField::TField(TOracleDataSet& owner, int index, const TDbColumn& column)
    : Owner(&owner), Position(index), Name(column.Name), Type(column.Type), Length(column.Size) {}

TVariant TField::Value() const {
    return Owner->Current().Values.at(Position);
}

void TField::SetValue(const TVariant& value) {
    if (Owner->State != TDataSetState::dsEdit && Owner->State != TDataSetState::dsInsert)
        throw Exception(NotEditingText);
    Owner->Current().Values.at(Position) = value;
}

bool TField::IsValidChar(char c) const {
    if (RejectedChars.find(c) != std::string::npos)
        return false;
    switch (Type) {
    case TFieldType::ftInteger:
        return (c >= '0' && c <= '9') || c == '+' || c == '-';
    case TFieldType::ftFloat:
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == ',' || c == 'E' ||
               c == 'e';
    default:
        return true;
    }
}

TOracleDataSet::TOracleDataSet(TOracleSession* session) : Session(session), Query(session) {}

TOracleDataSet::~TOracleDataSet() = default;

void TOracleDataSet::SetSQL(const std::string& text) {
    Close();
    Query.SetSQL(text);
}

void TOracleDataSet::CheckActive() const {
    if (!Active())
        throw Exception(InactiveText);
}

TOracleDataSet::TRow& TOracleDataSet::Current() {
    if (Applying)
        return const_cast<TRow&>(*Applying);
    if (Cursor >= Rows.size())
        throw Exception(NoRowText);
    return Rows[Cursor];
}

const TOracleDataSet::TRow& TOracleDataSet::Current() const {
    return const_cast<TOracleDataSet*>(this)->Current();
}

void TOracleDataSet::Open() {
    if (Active())
        return;
    Query.Session = Session;
    Query.Execute();
    const TDbResult& result = Query.Rows();
    Fields.clear();
    for (std::size_t i = 0; i < result.Columns.size(); ++i)
        Fields.push_back(std::make_unique<TField>(*this, static_cast<int>(i), result.Columns[i]));
    Rows.clear();
    Deleted.clear();
    for (const auto& values : result.Rows)
        Rows.push_back({values, values, 0, ""});
    Query.Close();
    Cursor = 0;
    State = TDataSetState::dsBrowse;
    FieldsCreatedHook();
    AfterOpenHook();
}

void TOracleDataSet::Close() {
    if (!Active())
        return;
    Rows.clear();
    Deleted.clear();
    Fields.clear();
    Cursor = 0;
    State = TDataSetState::dsInactive;
    AfterCloseHook();
}

void TOracleDataSet::First() {
    CheckBrowse();
    Cursor = 0;
}

void TOracleDataSet::Next() {
    CheckBrowse();
    if (Cursor < Rows.size())
        ++Cursor;
}

bool TOracleDataSet::Eof() const {
    return Cursor >= Rows.size();
}

bool TOracleDataSet::IsEmpty() const {
    return Rows.empty();
}

int TOracleDataSet::RecordCount() const {
    return static_cast<int>(Rows.size());
}

bool TOracleDataSet::Locate(const std::string& keyField, const TVariant& value) {
    CheckBrowse();
    const int field = FieldByName(keyField).Index();
    const std::string wanted = value.AsString();
    for (std::size_t i = 0; i < Rows.size(); ++i)
        if (Rows[i].Values[field].AsString() == wanted) {
            Cursor = i;
            return true;
        }
    return false;
}

void TOracleDataSet::CheckBrowse() {
    CheckActive();
    if (State != TDataSetState::dsBrowse)
        Post();
}

bool TOracleDataSet::CanModify() const {
    return Active() && !ReadOnly;
}

void TOracleDataSet::Edit() {
    CheckBrowse();
    if (State == TDataSetState::dsEdit)
        return;
    BeforeEditHook();
    Saved = Current();
    State = TDataSetState::dsEdit;
    AfterChangeHook();
}

void TOracleDataSet::Insert() {
    CheckBrowse();
    BeforeInsertHook();
    TRow row;
    row.Values.assign(Fields.size(), TVariant::Null());
    row.OldValues = row.Values;
    row.Change = 'I';
    if (Cursor > Rows.size())
        Cursor = Rows.size();
    Rows.insert(Rows.begin() + static_cast<std::ptrdiff_t>(Cursor), row);
    State = TDataSetState::dsInsert;
    AfterChangeHook();
}

void TOracleDataSet::Post() {
    CheckActive();
    if (State == TDataSetState::dsBrowse)
        return;
    if (BeforePost)
        BeforePost(*this);
    const char kind = State == TDataSetState::dsInsert ? 'I' : 'U';
    TRow& row = Current();
    if (row.Change == 0)
        row.Change = kind;
    if (!CachedUpdates) {
        ApplyRow(row.Change);
        row.Change = 0;
        row.OldValues = row.Values;
    }
    State = TDataSetState::dsBrowse;
    AfterChangeHook();
}

void TOracleDataSet::Cancel() {
    if (State == TDataSetState::dsEdit)
        Current() = Saved;
    else if (State == TDataSetState::dsInsert)
        Rows.erase(Rows.begin() + static_cast<std::ptrdiff_t>(Cursor));
    if (Active())
        State = TDataSetState::dsBrowse;
}

void TOracleDataSet::Delete() {
    CheckBrowse();
    BeforeDeleteHook();
    TRow row = Current();
    Rows.erase(Rows.begin() + static_cast<std::ptrdiff_t>(Cursor));
    if (row.Change != 'I') { // a row never written needs no delete
        if (CachedUpdates) {
            Deleted.push_back(row);
        } else {
            Applying = &row;
            try {
                ApplyRow('D');
            } catch (...) {
                Applying = nullptr;
                Rows.insert(Rows.begin() + static_cast<std::ptrdiff_t>(Cursor), row);
                throw;
            }
            Applying = nullptr;
        }
    }
    AfterChangeHook();
}

TField* TOracleDataSet::FindField(const std::string& name) {
    for (auto& f : Fields)
        if (SameText(f->FieldName(), name))
            return f.get();
    return nullptr;
}

TField& TOracleDataSet::FieldByName(const std::string& name) {
    if (TField* f = FindField(name))
        return *f;
    throw Exception("Field '" + name + "' not found");
}

bool TOracleDataSet::UpdatesPending() const {
    if (!Deleted.empty())
        return true;
    for (const auto& r : Rows)
        if (r.Change)
            return true;
    return false;
}

const std::string& TOracleDataSet::RowId() const {
    return Current().RowId;
}

void TOracleDataSet::SetRowId(const std::string& rowId) {
    Current().RowId = rowId;
}

TVariant TOracleDataSet::OldValue(int field) const {
    return Current().OldValues.at(field);
}

bool TOracleDataSet::ApplyRecordHook(char kind) {
    return OnApplyRecord && OnApplyRecord(*this, kind);
}

void TOracleDataSet::ApplyRow(char kind) {
    if (!Session)
        throw Exception("TOracleDataSet: no session");
    if (!ApplyRecordHook(kind))
        ApplyGenerated(kind);
}

std::vector<std::string> TOracleDataSet::KeyList() const {
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while (pos <= KeyFields.size()) {
        std::size_t end = KeyFields.find(';', pos);
        std::string key = KeyFields.substr(pos, end == std::string::npos ? end : end - pos);
        if (!key.empty())
            keys.push_back(key);
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return keys;
}

void TOracleDataSet::ApplyGenerated(char kind) {
    const std::vector<std::string> keys = KeyList();
    if (UpdatingTable.empty() || (kind != 'I' && keys.empty()))
        throw Exception(NoKeyText);
    TOracleQuery q(Session);
    std::string sql;
    auto where = [&] {
        std::string w;
        for (const auto& key : keys) {
            w += (w.empty() ? " where " : " and ") + key + " = :OLD_" + key;
            q.DeclareVariable("OLD_" + key, OraTypeOfField(FieldByName(key).DataType()));
            q.SetVariable("OLD_" + key, Current().OldValues[FieldByName(key).Index()]);
        }
        return w;
    };
    if (kind == 'D') {
        sql = "delete from " + UpdatingTable + where();
    } else {
        std::string names, values, sets;
        for (auto& f : Fields) {
            names += (names.empty() ? "" : ", ") + f->FieldName();
            values += (values.empty() ? ":" : ", :") + f->FieldName();
            sets += (sets.empty() ? "" : ", ") + f->FieldName() + " = :" + f->FieldName();
            q.DeclareVariable(f->FieldName(), OraTypeOfField(f->DataType()));
            q.SetVariable(f->FieldName(), f->Value());
        }
        sql = kind == 'I'
                  ? "insert into " + UpdatingTable + " (" + names + ") values (" + values + ")"
                  : "update " + UpdatingTable + " set " + sets + where();
    }
    q.SetSQL(sql);
    q.Execute();
}

void TOracleDataSet::ApplyCachedUpdates() {
    CheckBrowse();
    for (const auto& row : Deleted) {
        Applying = &row;
        try {
            ApplyRow('D');
        } catch (...) {
            Applying = nullptr;
            throw;
        }
        Applying = nullptr;
    }
    const std::size_t cursor = Cursor;
    try {
        for (Cursor = 0; Cursor < Rows.size(); ++Cursor)
            if (Rows[Cursor].Change)
                ApplyRow(Rows[Cursor].Change);
    } catch (...) {
        Cursor = cursor;
        throw;
    }
    Cursor = cursor;
}

void TOracleDataSet::CommitUpdates() {
    Deleted.clear();
    for (auto& r : Rows) {
        r.Change = 0;
        r.OldValues = r.Values;
    }
}

} // namespace tarvel
