#pragma once

#include "db/DbDriver.h"
#include "db/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

class TOracleSession;
class TLOBLocator;

// One statement with named variables on a session. Variable names are kept upper-cased
// without the colon and match without regard to case.
class TOracleQuery {
public:
    explicit TOracleQuery(TOracleSession* session = nullptr) : Session(session) {}
    virtual ~TOracleQuery() = default;

    TOracleSession* Session;
    bool Debug = false;
    bool Scrollable = false;
    bool Optimize = true;

    const std::string& SQL() const { return Text; }
    void SetSQL(const std::string& text);
    // Appends a line to the text (lines end in CR LF).
    void AddSQL(const std::string& line);
    // Empties the text and the variables and closes the query.
    void Clear();

    void DeclareVariable(const std::string& name, int type);
    void DeleteVariables();
    // Raises Exception for a variable that is not declared.
    void SetVariable(const std::string& name, const TVariant& value);
    TVariant GetVariable(const std::string& name) const;
    // Binds a LOB's content to the variable (a LOB variable).
    void SetComplexVariable(const std::string& name, TLOBLocator* lob);
    int VariableCount() const { return static_cast<int>(Variables.size()); }
    const std::string& VariableName(int index) const { return Variables.at(index).Name; }
    int VariableType(int index) const { return Variables.at(index).Type; }
    // -1 when there is none.
    int VariableIndex(const std::string& name) const;

    // Runs the statement. Substitution variables replace their placeholders first; columns of
    // the first row named like a declared variable hand their values back to it. Raises
    // EOracleError from the engine.
    void Execute();
    void Close();

    bool Eof() const { return Row >= Result.Rows.size(); }
    void Next();
    int FieldCount() const { return static_cast<int>(Result.Columns.size()); }
    const std::string& FieldName(int index) const { return Result.Columns.at(index).Name; }
    TFieldType FieldType(int index) const { return Result.Columns.at(index).Type; }
    int FieldSize(int index) const { return Result.Columns.at(index).Size; }
    // -1 when there is none.
    int FieldIndex(const std::string& name) const;
    // Raise Exception for an unknown field or when there is no current row.
    TVariant Field(int index) const;
    TVariant Field(const std::string& name) const;
    bool FieldIsNull(const std::string& name) const { return Field(name).IsNull(); }
    std::string FieldAsString(const std::string& name) const { return Field(name).AsString(); }

    std::int64_t RowsProcessed() const { return Result.RowsProcessed; }
    // One line for logs: the kind of statement and the rows processed.
    const std::string& Feedback() const { return Result.Feedback; }
    // The text as executed, substitutions made.
    const std::string& FinalSQL() const { return Final; }
    const TDbResult& Rows() const { return Result; }

private:
    struct TVariable {
        std::string Name;
        int Type = otString;
        TVariant Value;
        TLOBLocator* Lob = nullptr;
    };
    TVariable& Variable(const std::string& name);

    std::string Text;
    std::string Final;
    std::vector<TVariable> Variables;
    TDbResult Result;
    std::size_t Row = 0;
};

} // namespace tarvel
