#include "db/OracleSessionEx.h"

#include "core/StringUtils.h"
#include "db/OracleQuery.h"
#include "db/SqlText.h"

namespace tarvel {

namespace {

std::string ParamKey(const std::string& name) {
    return AsciiUpperCase(!name.empty() && name[0] == ':' ? name.substr(1) : name);
}

} // namespace

TNamedValue* TOracleSessionEx::FindParam(const std::string& name) {
    std::string key = ParamKey(name);
    for (auto& p : SessionParams)
        if (p.Name == key)
            return &p;
    return nullptr;
}

TVariant TOracleSessionEx::SessionParam(const std::string& name) const {
    std::string key = ParamKey(name);
    for (const auto& p : SessionParams)
        if (p.Name == key)
            return p.Value;
    return {};
}

void TOracleSessionEx::ExecuteWithParams(const std::string& sql,
                                         const std::vector<TVariant>& values, TVariant& result) {
    TOracleQuery query(this);
    query.SetSQL(sql);
    query.Debug = Debug;
    query.DeleteVariables();
    SessionParams.clear();
    const std::vector<std::string> names = FindVariables(sql);
    for (const auto& name : names) {
        query.DeclareVariable(name, otString);
        SessionParams.push_back({name, {}});
    }
    if (values.size() == names.size()) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            query.SetVariable(names[i], values[i]);
            SessionParams[i].Value = values[i];
        }
    } else {
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            const std::string name = values[i].AsString();
            if (query.VariableIndex(name) < 0)
                continue;
            query.SetVariable(name, values[i + 1]);
            if (TNamedValue* p = FindParam(name))
                p->Value = values[i + 1];
        }
    }
    query.Execute();
    for (int i = 0; i < query.VariableCount(); ++i)
        FindParam(query.VariableName(i))->Value = query.GetVariable(query.VariableName(i));
    // Engines without output variables hand values back as columns of the first row.
    if (!query.Eof())
        for (int c = 0; c < query.FieldCount(); ++c)
            if (!FindParam(query.FieldName(c)))
                SessionParams.push_back({ParamKey(query.FieldName(c)), query.Field(c)});
    result = SessionParam("result");
}

} // namespace tarvel
