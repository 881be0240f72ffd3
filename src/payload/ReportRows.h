#pragma once

#include "db/DbDriver.h"
#include "db/Variant.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvel {

class TOracleSession;

// The rows of one report-store table as the report loader changes them: opened by a select,
// located, edited and inserted in memory, and written, when applied, each inserted row through
// the insert call and each edited row through the update call, whose ":name" variables take the
// row's field of that name.
class TReportRows {
public:
    TReportRows(TOracleSession& session, std::string select, std::string insertCall,
                std::string updateCall);

    // Runs before a row is posted, with the row current.
    std::function<void(TReportRows&)> BeforePost;
    // Fields that cannot be posted empty.
    std::vector<std::string> Required;

    // A value for a ":name" variable of the select.
    void SetVariable(const std::string& name, const TVariant& value);
    void Open();
    // Drops the rows and any change not applied.
    void Close();
    bool Active() const { return IsOpen; }
    bool IsEmpty() const { return Rows.empty(); }

    // Makes the row whose field equals `value` (exact text) current; false when there is none.
    bool Locate(const std::string& field, const std::string& value);
    void Edit();
    void Insert();
    // Raises Exception for a required field left empty.
    void Post();

    int FieldCount() const { return static_cast<int>(Columns.size()); }
    const TDbColumn& Field(int index) const { return Columns.at(index); }
    // A field of the current row; fields are named without regard to case.
    TVariant Value(const std::string& field) const;
    void SetValue(const std::string& field, const TVariant& value);
    // Text converted by the field's type: empty text is null, numbers take '.' or ',' before
    // the fraction, dates read as dd.mm.yyyy with an optional time H:mm:ss. Raises
    // EConvertError for text that does not convert.
    void SetText(const std::string& field, const std::string& text);

    TOracleSession& OwnerSession() const { return Owner; }

    // Writes the changed rows; database errors raise.
    void Apply();
    // The changes count as written.
    void ResetChanges();

private:
    enum class TRowState { Unchanged, Inserted, Edited };
    struct TRow {
        std::vector<TVariant> Values;
        TRowState State = TRowState::Unchanged;
    };
    int FieldIndex(const std::string& field) const;
    TRow& Current();
    const TRow& Current() const;
    void ApplyRow(const TRow& row, const std::string& call);

    TOracleSession& Owner;
    std::string Select;
    std::string InsertCall;
    std::string UpdateCall;
    std::vector<std::pair<std::string, TVariant>> Variables;
    std::vector<TDbColumn> Columns;
    std::vector<TRow> Rows;
    TRow Pending;
    bool Editing = false;
    bool Inserting = false;
    std::size_t CurrentRow = 0;
    bool IsOpen = false;
};

// Applies the changes of all row sets in one go: committed when `commit`, otherwise left in the
// session's transaction. On a failure the session is rolled back, the error shown (a database
// error in the error window with "QVN-0002. Помилка збереження в базу даних.") and false
// returned; the silent abort passes on.
bool SaveReportRows(const std::vector<TReportRows*>& rowSets, bool commit, bool resetChanges);

} // namespace tarvel
