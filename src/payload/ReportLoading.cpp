#include "payload/ReportLoading.h"

namespace tarvel {

TReportLoading::TReportLoading(const std::string& archive, TOracleSession& session)
    : Archive(archive), Session(session) {}

bool TReportLoading::LoadReports(TStringList& log) {
    log.push_back("Експортовано 0 звіти\r\n");
    return false;
}

} // namespace tarvel
