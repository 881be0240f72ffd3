#pragma once

#include "core/StringList.h"
#include "payload/ReportArchive.h"

#include <string>

namespace tarvel {

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
    TReportArchive Archive;
    TOracleSession& Session;
};

} // namespace tarvel
