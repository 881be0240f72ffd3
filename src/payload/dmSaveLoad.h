#pragma once

#include "db/OracleDataSetEx.h"
#include "db/OracleQuery.h"

namespace tarvel {

class TOracleSession;

// The report store as the report loader writes it: one dataset per table with cached updates
// written through the pck_report procedures, and the statements around a form's load. Exists
// only while a report archive loads.
class TdmSaveLoad {
public:
    explicit TdmSaveLoad(TOracleSession& session);
    TdmSaveLoad(const TdmSaveLoad&) = delete;
    TdmSaveLoad& operator=(const TdmSaveLoad&) = delete;

    TOracleDataSetEx odsLoadMenu;
    TOracleDataSetEx odsLoadFolder;
    TOracleDataSetEx odsLoadDFM;
    TOracleDataSetEx odsLoadReport;
    TOracleDataSetEx odsLoadVariables;
    TOracleDataSetEx odsLoadPipeline;
    TOracleDataSetEx odsLoadQueryVariable;
    TOracleDataSetEx odsLoadLinks;
    TOracleDataSetEx odsLoadReportAccess;
    TOracleQuery oqryDelOldReport;
    TOracleQuery oqryAfterLoadReport;

    // PIPELINE_ID from REPORT_ID_PIPELINE_ID: the text after its first underscore.
    static void odsSavePipelinesBeforePost(TOracleDataSet& dataSet);
    // VARIABLE_ID from DFM_REPORT_VARIABLES_ID: the text after its second underscore.
    static void odsLoadQueryVariableBeforePost(TOracleDataSet& dataSet);
};

} // namespace tarvel
