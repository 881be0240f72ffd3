#pragma once

#include "core/StringList.h"
#include "payload/ReportArchive.h"

#include <string>

namespace tarvel {

class TOracleDataSetEx;
class TOracleSession;

// Replaces the report store's forms with those of one report archive (".rbz" held in memory):
// the menus and folders the forms hang in (committed), then per form its old definition
// deleted and the archive's rows applied without a commit.
class TReportLoading {
public:
    // Reads the archive's directory; raises for a damaged archive.
    TReportLoading(const std::string& archive, TOracleSession& session);

    // Loads every form named in Info.txt and appends one line to the log. True when the reports
    // were not exported: the load was cancelled, or a form could not be applied.
    bool LoadReports(TStringList& log);

private:
    // Puts the row of {rowFolder}\Main.txt into the dataset: the row whose key field equals the
    // upper-cased key value is edited, otherwise a row is inserted. Nothing without a Main.txt.
    void LoadRowFromFolder(TOracleDataSetEx& dataSet, const std::string& rowFolder,
                           const std::string& keyField, const std::string& keyValue);

    TReportArchive Archive;
    TOracleSession& Session;
};

} // namespace tarvel
