#pragma once

#include "core/StringList.h"
#include "core/StringTableResource.h"
#include "db/OracleScript.h"
#include "engine/RunReport.h"
#include "engine/Versions.h"
#include "ui/ProgressControler.h"

#include <cstddef>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

namespace tarvel {

class TOracleSession;
class TUpdateArchive;

// The progress operations a run reports through (the engine's overridable operations).
class IUpdateProgress {
public:
    virtual ~IUpdateProgress() = default;
    virtual bool ShowStep(const std::string& text, int position, TProgressChannel channel) = 0;
    virtual void SetStepRange(int minimum, int maximum, TProgressChannel channel, int position) = 0;
};

// What a run works with; everything is owned by the engine.
struct TUpdateRunContext {
    TOracleSession& Session;
    TUpdateArchive& Archive;
    const TStringTable& ServiceScripts;
    IUpdateProgress& Progress;
    bool& HasErrors;
    std::filesystem::path PluginFile; // CurrentPatchPlugin.tmp next to the program file
    std::string SchemaName;           // whose tables the emptied-table check lists
    std::string VersionSettingId;     // where each step's version is recorded
};

// One update run over the selected version steps: each step's scripts and plug-ins, its BLOB
// packages and report archives, its version record; then the service scripts, the emptied-table
// check and the commit, with the logs saved into the run report archive.
//
// Errors of the database inside scripts set HasErrors and the run goes on; any other error
// leaves Execute (the engine's failure handler takes it from there).
class TUpdateRun {
public:
    explicit TUpdateRun(TUpdateRunContext context);

    void Execute(const TVersionList& keys);

    // Runs a text with the entry banner of `label` and adds its output and time to the logs.
    void RunScriptEntry(const std::string& label, const std::string& text);

    const TStringList& RunLog() const { return RunLogList; }
    const TStringList& ErrorList() const { return Errors; }

private:
    void RunStepEntries(const std::string& key);
    void RunPluginEntry(std::size_t index);
    void RunStepPayloads(const std::string& key);
    void LoadBlobPackages(const std::string& key);
    void LoadReportArchives(const std::string& key);
    void RecordStepVersion(const std::string& key);
    void RunServiceScripts(std::size_t keyCount);
    TStringList TablesWithRows();
    void WarnOfEmptiedTables(const TStringList& tablesBefore);
    void FinishRun(std::size_t keyCount);

    void ExecuteScript();
    void SaveRunLog(const std::string& suffix, const TStringList& first,
                    const TStringList* second = nullptr);
    TStringList TableList(const std::string& whereClause);
    std::string EntryLabel(std::size_t index) const;

    TUpdateRunContext Context;
    TOracleScript Script;
    TRunReport Report;
    pugi::xml_document BlobDocument;
    TStringList RunLogList;
    TStringList Errors;
    TStringList PayloadLog;
};

} // namespace tarvel
