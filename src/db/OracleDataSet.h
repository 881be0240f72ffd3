#pragma once

#include "db/OracleQuery.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

class TOracleDataSet;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// A column of an open dataset, read and written through the dataset's current row.
class TField {
public:
    TField(TOracleDataSet& owner, int index, const TDbColumn& column);

    const std::string& FieldName() const { return Name; }
    TFieldType DataType() const { return Type; }
    int Size() const { return Length; }
    int Index() const { return Position; }

    TVariant Value() const;
    // Raises Exception unless the dataset is being edited or inserted.
    void SetValue(const TVariant& value);
    bool IsNull() const { return Value().IsEmpty(); }
    std::string AsString() const { return Value().AsString(); }
    std::int64_t AsInteger() const { return Value().AsInteger(); }
    double AsFloat() const { return Value().AsFloat(); }

    // Typing rules of numeric fields: characters refused while typing and the allowed range
    // (both 0: none).
    std::string RejectedChars;
    double MinValue = 0;
    double MaxValue = 0;
    // Whether a typed character is accepted.
    bool IsValidChar(char c) const;

private:
    TOracleDataSet* Owner;
    int Position;
    std::string Name;
    TFieldType Type;
    int Length;
};

// The rows of a query held in memory for browsing and editing. Changes are written row by row
// on Post, or, with CachedUpdates, kept until the session applies them (TOracleSession::
// ApplyUpdates). Rows are written by OnApplyRecord when it reports them applied, else by
// statements generated for UpdatingTable and KeyFields.
class TOracleDataSet {
public:
    explicit TOracleDataSet(TOracleSession* session = nullptr);
    virtual ~TOracleDataSet();
    TOracleDataSet(const TOracleDataSet&) = delete;
    TOracleDataSet& operator=(const TOracleDataSet&) = delete;

    virtual void SetSession(TOracleSession* session) { Session = session; }
    TOracleSession* GetSession() const { return Session; }

    const std::string& SQL() const { return Query.SQL(); }
    void SetSQL(const std::string& text);
    void DeclareVariable(const std::string& name, int type) { Query.DeclareVariable(name, type); }
    void SetVariable(const std::string& name, const TVariant& value) {
        Query.SetVariable(name, value);
    }
    TVariant GetVariable(const std::string& name) const { return Query.GetVariable(name); }

    bool CachedUpdates = false;
    bool ReadOnly = false;
    // Table and key fields (";"-separated) of the generated insert, update and delete.
    std::string UpdatingTable;
    std::string KeyFields;

    std::function<void(TOracleDataSet&)> BeforePost;
    // Writes the current row for the kind of change (I, U, D); true when it did.
    std::function<bool(TOracleDataSet&, char)> OnApplyRecord;

    void Open();
    // Drops the rows and every cached change.
    void Close();
    bool Active() const { return State != TDataSetState::dsInactive; }
    TDataSetState GetState() const { return State; }

    void First();
    void Next();
    bool Eof() const;
    bool IsEmpty() const;
    int RecordCount() const;
    // Moves to the first row whose field equals the value (compared as text); false when none.
    bool Locate(const std::string& keyField, const TVariant& value);

    void Edit();
    void Insert();
    void Post();
    void Cancel();
    void Delete();

    int FieldCount() const { return static_cast<int>(Fields.size()); }
    TField& FieldAt(int index) { return *Fields.at(index); }
    TField* FindField(const std::string& name);
    // Raises Exception for an unknown field.
    TField& FieldByName(const std::string& name);

    bool UpdatesPending() const;
    // Writes the cached changes; the session's ApplyUpdates calls this inside its savepoint.
    void ApplyCachedUpdates();
    // Forgets the cached changes after they were written.
    void CommitUpdates();
    // The row identifier of the current row (set by the apply of a new row).
    const std::string& RowId() const;
    void SetRowId(const std::string& rowId);
    TVariant OldValue(int field) const;

    virtual bool CanModify() const;

protected:
    virtual void BeforeInsertHook() {}
    virtual void BeforeEditHook() {}
    virtual void BeforeDeleteHook() {}
    virtual void AfterChangeHook() {}
    virtual void AfterOpenHook() {}
    virtual void AfterCloseHook() {}
    virtual void FieldsCreatedHook() {}
    // Writes the current row; true when the row was written. The base asks OnApplyRecord.
    virtual bool ApplyRecordHook(char kind);
    // Replaces a value of the row being written (for values handed back by the engine).
    void StoreFieldValue(int field, const TVariant& value) { Current().Values.at(field) = value; }
    TOracleSession* Session;

private:
    friend class TField;
    struct TRow {
        std::vector<TVariant> Values;
        std::vector<TVariant> OldValues;
        char Change = 0; // 0, 'I', 'U'
        std::string RowId;
    };

    void CheckActive() const;
    void CheckBrowse();
    void ApplyRow(char kind);
    void ApplyGenerated(char kind);
    std::vector<std::string> KeyList() const;
    TRow& Current();
    const TRow& Current() const;

    TOracleQuery Query;
    TDataSetState State = TDataSetState::dsInactive;
    std::vector<std::unique_ptr<TField>> Fields;
    std::vector<TRow> Rows;
    std::vector<TRow> Deleted;
    std::size_t Cursor = 0;
    TRow Saved;
    const TRow* Applying = nullptr;
};

} // namespace tarvel
