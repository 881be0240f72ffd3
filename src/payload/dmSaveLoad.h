#pragma once

#include "db/OracleQuery.h"
#include "payload/ReportRows.h"

namespace tarvel {

class TOracleSession;

// The report store as the report loader writes it: the rows of each table, written through the
// pck_report procedures, and the statements around a form's load. Exists only while a report
// archive loads.
class TdmSaveLoad {
public:
    explicit TdmSaveLoad(TOracleSession& session);
    TdmSaveLoad(const TdmSaveLoad&) = delete;
    TdmSaveLoad& operator=(const TdmSaveLoad&) = delete;

    TReportRows odsLoadMenu;
    TReportRows odsLoadFolder;
    TReportRows odsLoadDFM;
    TReportRows odsLoadReport;
    TReportRows odsLoadVariables;
    TReportRows odsLoadPipeline;
    TReportRows odsLoadQueryVariable;
    TReportRows odsLoadLinks;
    TReportRows odsLoadReportAccess;
    TOracleQuery oqryDelOldReport;
    TOracleQuery oqryAfterLoadReport;

    // PIPELINE_ID from REPORT_ID_PIPELINE_ID: the text after its first underscore.
    static void odsSavePipelinesBeforePost(TReportRows& rows);
    // VARIABLE_ID from DFM_REPORT_VARIABLES_ID: the text after its second underscore.
    static void odsLoadQueryVariableBeforePost(TReportRows& rows);
};

} // namespace tarvel
