#pragma once

#include "db/OracleDataSet.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tarvel {

enum TDataOperation : std::uint8_t { opInsert = 1, opUpdate = 2, opDelete = 4 };
using TDataOperations = std::uint8_t;

// The dataset of the report tables: rows are written through blocks of its own whose
// variables take the row's fields by name; it tracks whether its data changed since opening,
// can forbid kinds of change and tightens numeric input.
class TOracleDataSetEx : public TOracleDataSet {
public:
    explicit TOracleDataSetEx(TOracleSession* session = nullptr);

    std::string SQLInsert, SQLUpdate, SQLDelete, SQLLock, SQLRefresh;
    std::string SQLCheck; // kept, never run
    TDataOperations AllowOperations = opInsert | opUpdate | opDelete;
    bool ReturnOutParamIntoField = false;
    bool DisallowExponentSymbol = true;
    bool Debug = false;
    std::function<void(TOracleDataSetEx&)> OnIsModifiedChange;
    std::function<void(TOracleDataSetEx&)> OnFilteredChanged;

    void SetSession(TOracleSession* session) override;
    void SetDebug(bool debug);

    bool IsModified() const { return Modified; }
    // Raises OnIsModifiedChange when the value changes.
    void SetIsModified(bool modified);

    bool Filtered() const { return FilteredFlag; }
    void SetFiltered(bool filtered);

    bool CanModify() const override;

protected:
    void BeforeInsertHook() override;
    void BeforeEditHook() override;
    void BeforeDeleteHook() override;
    void AfterChangeHook() override;
    void AfterOpenHook() override { SetIsModified(false); }
    void AfterCloseHook() override { SetIsModified(false); }
    void FieldsCreatedHook() override;
    bool ApplyRecordHook(char kind) override;

private:
    TOracleQuery& QueryOf(char kind);
    const std::string& BlockOf(char kind) const;

    TOracleQuery InsertQuery, UpdateQuery, DeleteQuery, LockQuery, RefreshQuery;
    bool Modified = false;
    bool FilteredFlag = false;
};

} // namespace tarvel
