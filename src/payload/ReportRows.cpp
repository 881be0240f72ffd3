#include "payload/ReportRows.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "db/Dialect.h"
#include "db/LOBLocator.h"
#include "db/OracleQuery.h"
#include "db/OracleSession.h"
#include "db/SqlText.h"
#include "ui/MsgDlg.h"

#include <cstdio>
#include <memory>
#include <regex>

namespace tarvel {

namespace {

const char* const kSaveErrorCaption = "Помилка";
const char* const kSaveErrorMessage = "QVN-0002. Помилка збереження в базу даних.";
const char* const kRequiredField = "Поле %s має бути заповнене";
const char* const kNoCurrentRow = "Немає поточного рядка";
const char* const kNoSuchField = "Поле %s відсутнє";
const char* const kNotADate = "'%s' не є датою";
const char* const kNotANumber = "'%s' не є числом";

TVariant DateFromText(const std::string& text) {
    static const std::regex date(
        R"(\s*(\d{1,2})\.(\d{1,2})\.(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*)");
    std::smatch m;
    if (!std::regex_match(text, m, date))
        throw EConvertError(FormatText(kNotADate, {text}));
    char iso[32];
    std::snprintf(iso, sizeof iso, "%s-%02d-%02d %02d:%02d:%02d", m[3].str().c_str(),
                  std::stoi(m[2]), std::stoi(m[1]), m[4].matched ? std::stoi(m[4]) : 0,
                  m[5].matched ? std::stoi(m[5]) : 0, m[6].matched ? std::stoi(m[6]) : 0);
    try {
        return TVariant(IsoToDateTime(iso));
    } catch (const EConvertError&) {
        throw EConvertError(FormatText(kNotADate, {text}));
    }
}

TVariant NumberFromText(const std::string& text, bool whole) {
    std::string number = text;
    for (char& c : number)
        if (c == ',')
            c = '.';
    static const std::regex wholeNumber(R"(\s*[-+]?\d+\s*)");
    static const std::regex fraction(R"(\s*[-+]?(\d+\.?\d*|\.\d+)\s*)");
    if (whole && std::regex_match(number, wholeNumber))
        return TVariant(static_cast<long long>(std::stoll(number)));
    if (!whole && std::regex_match(number, fraction))
        return TVariant(std::stod(number));
    throw EConvertError(FormatText(kNotANumber, {text}));
}

} // namespace

TReportRows::TReportRows(TOracleSession& session, std::string select, std::string insertCall,
                         std::string updateCall)
    : Owner(session), Select(std::move(select)), InsertCall(std::move(insertCall)),
      UpdateCall(std::move(updateCall)) {}

void TReportRows::SetVariable(const std::string& name, const TVariant& value) {
    for (auto& [known, bound] : Variables)
        if (SameText(known, name)) {
            bound = value;
            return;
        }
    Variables.emplace_back(name, value);
}

void TReportRows::Open() {
    TOracleQuery query(&Owner);
    query.SetSQL(Select);
    for (const auto& [name, value] : Variables) {
        query.DeclareVariable(name, otString);
        query.SetVariable(name, value);
    }
    query.Execute();
    Columns = query.Rows().Columns;
    Rows.clear();
    for (const auto& values : query.Rows().Rows)
        Rows.push_back({values, TRowState::Unchanged});
    CurrentRow = 0;
    Editing = Inserting = false;
    IsOpen = true;
}

void TReportRows::Close() {
    Rows.clear();
    Editing = Inserting = false;
    IsOpen = false;
}

bool TReportRows::Locate(const std::string& field, const std::string& value) {
    const int index = FieldIndex(field);
    for (std::size_t i = 0; i < Rows.size(); ++i)
        if (!Rows[i].Values[index].IsEmpty() && Rows[i].Values[index].AsString() == value) {
            CurrentRow = i;
            return true;
        }
    return false;
}

void TReportRows::Edit() {
    Pending = Current();
    Editing = true;
}

void TReportRows::Insert() {
    Pending = {std::vector<TVariant>(Columns.size(), TVariant::Null()), TRowState::Inserted};
    Inserting = true;
}

void TReportRows::Post() {
    if (BeforePost)
        BeforePost(*this);
    for (const std::string& field : Required)
        if (Value(field).IsEmpty())
            throw Exception(FormatText(kRequiredField, {field}));
    if (Inserting) {
        Rows.push_back(Pending);
        CurrentRow = Rows.size() - 1;
    } else if (Editing) {
        if (Pending.State == TRowState::Unchanged)
            Pending.State = TRowState::Edited;
        Rows[CurrentRow] = Pending;
    }
    Editing = Inserting = false;
}

int TReportRows::FieldIndex(const std::string& field) const {
    for (std::size_t i = 0; i < Columns.size(); ++i)
        if (SameText(Columns[i].Name, field))
            return static_cast<int>(i);
    throw Exception(FormatText(kNoSuchField, {field}));
}

TReportRows::TRow& TReportRows::Current() {
    if (Editing || Inserting)
        return Pending;
    if (CurrentRow >= Rows.size())
        throw Exception(kNoCurrentRow);
    return Rows[CurrentRow];
}

const TReportRows::TRow& TReportRows::Current() const {
    return const_cast<TReportRows*>(this)->Current();
}

TVariant TReportRows::Value(const std::string& field) const {
    return Current().Values.at(FieldIndex(field));
}

void TReportRows::SetValue(const std::string& field, const TVariant& value) {
    Current().Values.at(FieldIndex(field)) = value;
}

void TReportRows::SetText(const std::string& field, const std::string& text) {
    const TDbColumn& column = Columns.at(FieldIndex(field));
    if (text.empty()) {
        SetValue(field, TVariant::Null());
        return;
    }
    switch (column.Type) {
    case TFieldType::ftInteger:
        SetValue(field, NumberFromText(text, true));
        break;
    case TFieldType::ftFloat:
        SetValue(field, NumberFromText(text, false));
        break;
    case TFieldType::ftDateTime:
        SetValue(field, DateFromText(text));
        break;
    case TFieldType::ftBlob:
        SetValue(field, TVariant(TBytes{text}));
        break;
    default:
        SetValue(field, TVariant(text));
    }
}

void TReportRows::ApplyRow(const TRow& row, const std::string& call) {
    TOracleQuery query(&Owner);
    query.SetSQL(call);
    std::vector<std::unique_ptr<TLOBLocator>> lobs;
    for (const std::string& name : FindVariables(call)) {
        int index = -1;
        for (std::size_t i = 0; i < Columns.size(); ++i)
            if (SameText(Columns[i].Name, name))
                index = static_cast<int>(i);
        if (index < 0) {
            query.DeclareVariable(name, otString);
            continue;
        }
        const TDbColumn& column = Columns[index];
        const TVariant& value = row.Values[index];
        const int type = OraTypeOfField(column.Type);
        query.DeclareVariable(name, type);
        if (IsLobType(type) && !value.IsEmpty()) {
            lobs.push_back(TLOBLocator::CreateTemporary(Owner, type));
            const std::string content =
                value.IsBytes() ? std::get<TBytes>(value.Value()).Data : value.AsString();
            lobs.back()->Write(content.data(), content.size());
            query.SetComplexVariable(name, lobs.back().get());
        } else {
            query.SetVariable(name, value);
        }
    }
    query.Execute();
}

void TReportRows::Apply() {
    for (const TRow& row : Rows) {
        if (row.State == TRowState::Inserted)
            ApplyRow(row, InsertCall);
        else if (row.State == TRowState::Edited && !UpdateCall.empty())
            ApplyRow(row, UpdateCall);
    }
}

void TReportRows::ResetChanges() {
    for (TRow& row : Rows)
        row.State = TRowState::Unchanged;
}

bool SaveReportRows(const std::vector<TReportRows*>& rowSets, bool commit, bool resetChanges) {
    if (rowSets.empty())
        return false;
    TOracleSession& session = rowSets.front()->OwnerSession();
    try {
        for (TReportRows* rows : rowSets)
            rows->Apply();
        if (commit)
            session.Commit();
    } catch (const EAbort&) {
        throw;
    } catch (const EOracleError& error) {
        session.Rollback();
        ShowErrorDlg(kSaveErrorCaption, kSaveErrorMessage, error.what());
        return false;
    } catch (const std::exception& error) {
        session.Rollback();
        MsgDlg(error.what(), TMsgKind::mkError, MsgButtons({btOk}));
        return false;
    }
    if (resetChanges)
        for (TReportRows* rows : rowSets)
            rows->ResetChanges();
    return true;
}

} // namespace tarvel
