#include "db/OracleQuery.h"

#include "core/StringUtils.h"
#include "db/LOBLocator.h"
#include "db/OracleSession.h"
#include "db/SqlText.h"

namespace tarvel {

namespace {

std::string VariableKey(const std::string& name) {
    return AsciiUpperCase(!name.empty() && name[0] == ':' ? name.substr(1) : name);
}

} // namespace

void TOracleQuery::SetSQL(const std::string& text) {
    Close();
    Text = text;
}

void TOracleQuery::AddSQL(const std::string& line) {
    Close();
    Text += line + "\r\n";
}

void TOracleQuery::Clear() {
    Close();
    Text.clear();
    Final.clear();
    Variables.clear();
}

void TOracleQuery::DeclareVariable(const std::string& name, int type) {
    std::string key = VariableKey(name);
    for (auto& v : Variables)
        if (v.Name == key) {
            v.Type = type;
            return;
        }
    Variables.push_back({key, type, {}, nullptr});
}

void TOracleQuery::DeleteVariables() {
    Variables.clear();
}

int TOracleQuery::VariableIndex(const std::string& name) const {
    std::string key = VariableKey(name);
    for (std::size_t i = 0; i < Variables.size(); ++i)
        if (Variables[i].Name == key)
            return static_cast<int>(i);
    return -1;
}

TOracleQuery::TVariable& TOracleQuery::Variable(const std::string& name) {
    int i = VariableIndex(name);
    if (i < 0)
        throw Exception("Variable :" + VariableKey(name) + " is not declared");
    return Variables[i];
}

void TOracleQuery::SetVariable(const std::string& name, const TVariant& value) {
    TVariable& v = Variable(name);
    v.Value = value;
    v.Lob = nullptr;
}

TVariant TOracleQuery::GetVariable(const std::string& name) const {
    int i = VariableIndex(name);
    if (i < 0)
        throw Exception("Variable :" + VariableKey(name) + " is not declared");
    const TVariable& v = Variables[i];
    return v.Lob ? v.Lob->AsVariant() : v.Value;
}

void TOracleQuery::SetComplexVariable(const std::string& name, TLOBLocator* lob) {
    Variable(name).Lob = lob;
}

void TOracleQuery::Execute() {
    Close();
    if (!Session)
        throw Exception("TOracleQuery: no session");
    // Substitution variables change the text itself.
    Final.clear();
    std::size_t pos = 0;
    for (const auto& ref : FindVariableRefs(Text)) {
        int i = VariableIndex(ref.Name);
        if (i < 0 || Variables[i].Type != otSubst)
            continue;
        Final += Text.substr(pos, ref.Pos - pos) + Variables[i].Value.AsString();
        pos = ref.Pos + ref.Length;
    }
    Final += Text.substr(pos);

    std::vector<TBindValue> binds;
    for (const auto& v : Variables)
        if (v.Type != otSubst)
            binds.push_back({v.Name, v.Type, v.Lob ? v.Lob->AsVariant() : v.Value});
    Result = Session->Execute(Final, binds);
    Row = 0;
    if (Result.Rows.empty())
        return;
    for (std::size_t c = 0; c < Result.Columns.size(); ++c) {
        int i = VariableIndex(Result.Columns[c].Name);
        if (i >= 0 && Variables[i].Type != otSubst && !Variables[i].Lob)
            Variables[i].Value = Result.Rows.front()[c];
    }
}

void TOracleQuery::Close() {
    Result = TDbResult{};
    Row = 0;
}

void TOracleQuery::Next() {
    if (Row < Result.Rows.size())
        ++Row;
}

int TOracleQuery::FieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < Result.Columns.size(); ++i)
        if (SameText(Result.Columns[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

TVariant TOracleQuery::Field(int index) const {
    if (index < 0 || index >= FieldCount())
        throw Exception("Field index " + std::to_string(index) + " out of range");
    if (Eof())
        throw Exception("No current record");
    return Result.Rows[Row][index];
}

TVariant TOracleQuery::Field(const std::string& name) const {
    int i = FieldIndex(name);
    if (i < 0)
        throw Exception("Field '" + name + "' does not exist");
    return Field(i);
}

} // namespace tarvel
