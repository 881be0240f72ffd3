#include "engine/UpdateRun.h"

#include "core/FileUtils.h"
#include "core/StringUtils.h"
#include "db/Dialect.h"
#include "db/OracleQuery.h"
#include "db/OracleSession.h"
#include "engine/PluginLibrary.h"
#include "engine/RunLog.h"
#include "engine/ServiceScripts.h"
#include "engine/UpdateArchive.h"
#include "payload/BlobPackageLoader.h"
#include "payload/ReportLoading.h"
#include "ui/MessagePump.h"

#include <chrono>
#include <filesystem>

namespace tarvel {

namespace {

const char* const kServiceScriptsStep = "Службові скрипти";
const char* const kReportsNotExported = "\r\nЗвіти не експортовано\r\n\r\n";
const char* const kPluginFailedPrefix = "Длл ";
const char* const kPluginFailedSuffix = "відпрацювала зовсім невірно.";
const char* const kTableEmptiedPrefix = "З таблиці ";
const char* const kTableEmptiedSuffix = " було видалено всі записи";

const char* const kServiceScriptsEntry = "ServiceScripts.txt";
const char* const kErrantScriptsEntry = "ErrantScripts.txt";

double NowSecondsOfDay() {
    return SecondsOfDay(std::chrono::system_clock::now());
}

bool IsPluginExtension(const std::string& extension) {
    return extension == ".DLL" || extension == ".SO";
}

bool ContainsText(const TStringList& list, const std::string& text) {
    for (const std::string& item : list)
        if (SameText(item, text))
            return true;
    return false;
}

} // namespace

TUpdateRun::TUpdateRun(TUpdateRunContext context)
    : Context(std::move(context)), Script(&Context.Session), Report(Context.Archive.ReportFile) {
    Script.OnError = [this](TOracleScript&, const EOracleError&) { Context.HasErrors = true; };
    Script.AfterCommand = [](TOracleScript&) { ProcessMessages(); };
}

void TUpdateRun::Execute(const TVersionList& keys) {
    Context.Archive.ReopenForRun();
    const TStringList tablesBefore = TablesWithRows();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i];
        Context.Progress.ShowStep("Upd" + key, static_cast<int>(i), pcTotal);
        Context.Progress.SetStepRange(0, static_cast<int>(Context.Archive.Count()) - 1, pcDetail,
                                      0);
        RunStepEntries(key);
        RunStepPayloads(key);
        RecordStepVersion(key);
    }
    RunServiceScripts(keys.size());
    WarnOfEmptiedTables(tablesBefore);
    FinishRun(keys.size());
}

std::string TUpdateRun::EntryLabel(std::size_t index) const {
    const TZipEntry& entry = Context.Archive.Entry(index);
    return entry.PathName + AsciiUpperCase(entry.FileName);
}

void TUpdateRun::RunStepEntries(const std::string& key) {
    for (std::size_t index : Context.Archive.EntriesOfVersion(key)) {
        const std::string name = AsciiUpperCase(Context.Archive.Entry(index).FileName);
        const std::string extension = UpperFileExtension(name);
        if (IsPluginExtension(extension)) {
            Context.Progress.ShowStep(name, static_cast<int>(index), pcDetail);
            RunPluginEntry(index);
        } else if (!IsServiceScript(Context.ServiceScripts, name) && extension != ".BFB" &&
                   extension != ".RBZ") {
            Context.Progress.ShowStep(name, static_cast<int>(index), pcDetail);
            RunScriptEntry(EntryLabel(index), Context.Archive.ExtractText(index));
        }
    }
}

void TUpdateRun::RunPluginEntry(std::size_t index) {
    const std::filesystem::path& file = Context.PluginFile;
    // A fresh file, not the old one rewritten: a library still mapped must not change under it.
    std::filesystem::remove(file);
    Context.Archive.ExtractToFile(index, file);
    const TOracleSession& session = Context.Session;
    if (CallPluginLibrary(file, session.LogonUsername, session.LogonPassword,
                          session.LogonDatabase) == TPluginOutcome::Incomplete)
        throw Exception(kPluginFailedPrefix + file.string() + kPluginFailedSuffix);
    DeleteFileForce(file);
}

void TUpdateRun::RunScriptEntry(const std::string& label, const std::string& text) {
    Script.Lines = EntryBanner(label);
    Script.Lines.push_back(text);
    Script.Output.clear();
    const double start = NowSecondsOfDay();
    ExecuteScript();
    RunLogList.push_back(ExecutionTimeLine(ElapsedSecondsOfDay(start, NowSecondsOfDay())));
}

void TUpdateRun::ExecuteScript() {
    const auto keepOutput = [this] {
        RunLogList.push_back(Script.Output);
        if (Script.Output.find(Context.Session.Dialect().ErrorMarker) != std::string::npos)
            Errors.push_back(Script.Output + "\r\n");
    };
    try {
        Script.Execute();
    } catch (...) {
        keepOutput();
        throw;
    }
    keepOutput();
}

void TUpdateRun::RunStepPayloads(const std::string& key) {
    PayloadLog.clear();
    LoadBlobPackages(key);
    LoadReportArchives(key);
    SaveRunLog("Upd" + key + ".txt", RunLogList, &PayloadLog);
}

void TUpdateRun::LoadBlobPackages(const std::string& key) {
    for (std::size_t index : Context.Archive.EntriesOfVersion(key)) {
        if (UpperFileExtension(Context.Archive.Entry(index).FileName) != ".BFB")
            continue;
        const std::string package = Context.Archive.ExtractToMemory(index);
        if (!Context.Archive.PasswordAccepted) {
            Context.Session.Rollback();
            return;
        }
        TStringList packageLog = EntryBanner(EntryLabel(index));
        bool failed = false;
        try {
            // After the first failure of a run no further package is loaded.
            if (!Context.HasErrors) {
                failed = !LoadBlobPackage(package, BlobDocument, Context.Session, &packageLog);
                Context.HasErrors = failed;
            }
        } catch (...) {
            AppendLines(PayloadLog, packageLog);
            throw;
        }
        if (failed || ListContains(packageLog, Context.Session.Dialect().ErrorMarker))
            AppendLines(Errors, packageLog);
        AppendLines(PayloadLog, packageLog);
    }
}

void TUpdateRun::LoadReportArchives(const std::string& key) {
    for (std::size_t index : Context.Archive.EntriesOfVersion(key)) {
        if (UpperFileExtension(Context.Archive.Entry(index).FileName) != ".RBZ")
            continue;
        const TStringList banner = EntryBanner(EntryLabel(index));
        AppendLines(PayloadLog, banner);
        const std::string archive = Context.Archive.ExtractToMemory(index);
        const bool failed = TReportLoading(archive, Context.Session).LoadReports(PayloadLog);
        Context.HasErrors = Context.HasErrors || failed;
        if (failed) {
            AppendLines(Errors, banner);
            Errors.push_back(kReportsNotExported);
        }
    }
}

void TUpdateRun::RecordStepVersion(const std::string& key) {
    Script.Lines = {
        FormatText(Context.Session.Dialect().RecordVersion, {key, Context.VersionSettingId})};
    ExecuteScript();
}

void TUpdateRun::RunServiceScripts(std::size_t keyCount) {
    const int count = ServiceScriptCount(Context.ServiceScripts);
    Context.Progress.ShowStep(kServiceScriptsStep, static_cast<int>(keyCount), pcTotal);
    Context.Progress.SetStepRange(0, count, pcDetail, 0);
    RunLogList.clear();
    for (int id = 2; id <= count; ++id) {
        const TServiceScript script = ServiceScriptAt(Context.ServiceScripts, id);
        Context.Progress.ShowStep(script.Name, id - 1, pcDetail);
        RunScriptEntry(script.Name, script.Block);
    }
    SaveRunLog(kServiceScriptsEntry, RunLogList);
}

TStringList TUpdateRun::TableList(const std::string& whereClause) {
    const TDialect& dialect = Context.Session.Dialect();
    TOracleQuery query(&Context.Session);
    for (const std::string& line : dialect.TableList)
        query.AddSQL(line);
    query.DeclareVariable("schema", otString);
    query.SetVariable("schema", TVariant(Context.SchemaName));
    query.DeclareVariable("where_clause", otSubst);
    query.SetVariable("where_clause", TVariant(whereClause));
    query.Execute();
    TStringList tables;
    for (; !query.Eof(); query.Next())
        tables.push_back(query.FieldAsString("table_name"));
    return tables;
}

TStringList TUpdateRun::TablesWithRows() {
    return TableList(Context.Session.Dialect().TableListWithRows);
}

void TUpdateRun::WarnOfEmptiedTables(const TStringList& tablesBefore) {
    for (const std::string& table : TableList(Context.Session.Dialect().TableListWithoutRows))
        if (ContainsText(tablesBefore, table))
            Errors.push_back(kTableEmptiedPrefix + table + kTableEmptiedSuffix);
}

void TUpdateRun::FinishRun(std::size_t keyCount) {
    Context.Progress.ShowStep("", static_cast<int>(keyCount), pcDetail);
    Context.Session.Commit();
    SaveRunLog(kErrantScriptsEntry, Errors);
}

void TUpdateRun::SaveRunLog(const std::string& suffix, const TStringList& first,
                            const TStringList* second) {
    Report.Save(suffix, first, second);
    Script.Lines.clear();
    Script.Output.clear();
}

} // namespace tarvel
