#include "payload/dmSaveLoad.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "db/Dialect.h"
#include "db/OracleSession.h"

namespace tarvel {

namespace {

std::string Call(TOracleSession& session, const std::string& procedure,
                 const std::string& arguments) {
    return session.Dialect().ReportStoreCall(procedure, arguments);
}

const char* const kFormArguments =
    "i_dfm_id => :dfm_id, i_title => :title, i_dfm => :dfm, i_pre_script => :pre_script, "
    "i_post_script => :post_script, i_note => :note, i_is_show => :is_show, "
    "i_short_title => :short_title, i_report_icon => :report_icon, "
    "i_report_type => :report_type, i_excel_template => :excel_template, "
    "i_user_name => :user_name, i_report_date => :report_date, i_is_log => :is_log";
const char* const kVariableArguments =
    "i_variable_id => :variable_id, i_sql_text => :sql_text, i_var_title => :var_title, "
    "i_var_type => :var_type, i_var_field_list => :var_field_list, i_var_field => :var_field, "
    "i_is_visible => :is_visible, i_var_variants_type => :var_variants_type, "
    "i_default_value => :default_value";
const char* const kAccessArguments =
    "i_role_mask => :role_mask, i_dfm_id => :dfm_id, i_rm_dfm_access_id => :rm_dfm_access_id";

// The text after the n-th underscore, or nothing when there are fewer.
bool AfterUnderscore(const std::string& text, int n, std::string& rest) {
    std::size_t pos = std::string::npos;
    for (int i = 0; i < n; ++i) {
        pos = text.find('_', pos == std::string::npos ? 0 : pos + 1);
        if (pos == std::string::npos)
            return false;
    }
    rest = text.substr(pos + 1);
    return true;
}

void CopyAfterUnderscore(TOracleDataSet& dataSet, const char* from, const char* to, int n) {
    const TVariant value = dataSet.FieldByName(from).Value();
    std::string rest;
    if (!value.IsEmpty() && AfterUnderscore(value.AsString(), n, rest))
        dataSet.FieldByName(to).SetValue(TVariant(rest));
}

const char* const kRequiredField = "Поле %s має бути заповнене";

// Cached updates written through the insert and update blocks, with the fields that cannot be
// posted empty checked after `beforePost`.
void SetUp(TOracleDataSetEx& dataSet, TOracleSession& session, const std::string& select,
           const std::string& insertCall, const std::string& updateCall,
           std::vector<std::string> required = {}, void (*beforePost)(TOracleDataSet&) = nullptr) {
    dataSet.SetSession(&session);
    dataSet.SetSQL(select);
    if (select.find(":dfm_id") != std::string::npos)
        dataSet.DeclareVariable("dfm_id", otString);
    dataSet.CachedUpdates = true;
    dataSet.SQLInsert = insertCall;
    dataSet.SQLUpdate = updateCall;
    dataSet.BeforePost = [required = std::move(required), beforePost](TOracleDataSet& rows) {
        if (beforePost)
            beforePost(rows);
        for (const std::string& field : required)
            if (rows.FieldByName(field).IsNull())
                throw Exception(FormatText(kRequiredField, {field}));
    };
}

} // namespace

TdmSaveLoad::TdmSaveLoad(TOracleSession& session)
    : oqryDelOldReport(&session), oqryAfterLoadReport(&session) {
    SetUp(odsLoadMenu, session, "select * from rm_menu",
          Call(session, "menu_insert", "i_menu_id => :menu_id, i_menu_name => :menu_name"),
          Call(session, "menu_update", "i_menu_id => :menu_id, i_menu_name => :menu_name"));
    SetUp(odsLoadFolder, session, "select * from rm_folder",
          Call(session, "folder_insert",
               "i_folder_id => :folder_id, i_menu_id => :menu_id, "
               "i_folder_name => :folder_name"),
          Call(session, "folder_update",
               "i_folder_id => :folder_id, i_menu_id => :menu_id, "
               "i_folder_name => :folder_name"));
    SetUp(
        odsLoadDFM, session,
        "select dfm_id, title, dfm, pre_script, post_script, note, is_show, short_title, "
        "report_icon, report_type, excel_template, user_name, report_date, is_log, "
        "is_read_only from rm_dfm where dfm_id = upper(:dfm_id)",
        Call(session, "form_insert",
             std::string(kFormArguments) + ", i_is_read_only => :is_read_only"),
        Call(session, "form_update", kFormArguments),
        {"DFM_ID", "IS_SHOW", "SHORT_TITLE", "REPORT_TYPE", "USER_NAME", "REPORT_DATE", "IS_LOG"});
    SetUp(odsLoadReport, session, "select * from rm_report where dfm_id = upper(:dfm_id)",
          Call(session, "report_insert",
               "i_report_id => :report_id, i_menu_caption => :menu_caption, "
               "i_dfm_id => :dfm_id"),
          Call(session, "report_update",
               "i_report_id => :report_id, i_dfm_id => :dfm_id, "
               "i_menu_caption => :menu_caption"));
    SetUp(odsLoadVariables, session,
          "select variable_id, sql_text, var_title, var_type, var_field_list, "
          "var_field, is_visible, var_variants_type, default_value, is_centralized "
          "from rm_variables",
          Call(session, "variables_insert",
               std::string(kVariableArguments) +
                   ", i_is_centralized => coalesce(:is_centralized, 0)"),
          Call(session, "variables_update", kVariableArguments),
          {"VARIABLE_ID", "VAR_TITLE", "VAR_TYPE", "VAR_FIELD", "IS_VISIBLE", "VAR_VARIANTS_TYPE"});
    SetUp(odsLoadPipeline, session,
          "select cast(p.report_id || '_' || p.pipeline_id as varchar(25)) as "
          "report_id_pipeline_id, p.pipeline_id, p.sql_text, p.pipeline_name, "
          "p.report_id, p.pipeline_order, p.pipeline_type, p.master_pipeline_id "
          "from rm_pipeline p join rm_report r on r.report_id = p.report_id "
          "where r.dfm_id = upper(:dfm_id)",
          Call(session, "pipeline_insert",
               "i_pipeline_id => :pipeline_id, i_sql_text => :sql_text, "
               "i_pipeline_name => :pipeline_name, i_report_id => :report_id, "
               "i_master_pipeline_id => :master_pipeline_id"),
          Call(session, "pipeline_update",
               "i_pipeline_id => :pipeline_id, i_sql_text => :sql_text, "
               "i_pipeline_name => :pipeline_name, i_pipeline_order => "
               ":pipeline_order, i_pipeline_type => :pipeline_type, "
               "i_master_pipeline_id => :master_pipeline_id"),
          {"PIPELINE_ID", "PIPELINE_NAME", "REPORT_ID", "PIPELINE_ORDER", "PIPELINE_TYPE"},
          odsSavePipelinesBeforePost);
    SetUp(odsLoadQueryVariable, session,
          "select cast(r.dfm_id || '_' || q.report_id || '_' || q.variable_id as varchar(38)) "
          "as dfm_report_variables_id, q.variable_id, q.report_id, q.variable_order, q.caption "
          "from rm_query_variables q join rm_report r on r.report_id = q.report_id "
          "where r.dfm_id = upper(:dfm_id)",
          Call(session, "query_variables_insert",
               "i_variable_id => :variable_id, i_report_id => :report_id, i_caption => :caption, "
               "i_variable_order => :variable_order"),
          Call(session, "query_variables_update",
               "i_variable_id => :variable_id, i_caption => :caption, "
               "i_variable_order => :variable_order"),
          {"VARIABLE_ID", "REPORT_ID"}, odsLoadQueryVariableBeforePost);
    SetUp(odsLoadLinks, session, "select * from rmfolder_rmdfm where dfm_id = upper(:dfm_id)",
          Call(session, "dfm_link_insert", "i_dst_folder_id => :folder_id, i_dfm_id => :dfm_id"),
          "");
    SetUp(odsLoadReportAccess, session,
          "select dfm_id, role_mask, rm_dfm_access_id from rm_dfm_access "
          "where dfm_id = upper(:dfm_id)",
          Call(session, "report_access_insert", kAccessArguments),
          Call(session, "report_access_update", kAccessArguments),
          {"DFM_ID", "ROLE_MASK", "RM_DFM_ACCESS_ID"});

    const TDialect& dialect = session.Dialect();
    oqryDelOldReport.SetSQL(dialect.ReportDeleteForm);
    oqryDelOldReport.DeclareVariable("i_dfm_id", otString);
    oqryAfterLoadReport.SetSQL(dialect.ReportAfterLoad);
}

void TdmSaveLoad::odsSavePipelinesBeforePost(TOracleDataSet& dataSet) {
    CopyAfterUnderscore(dataSet, "REPORT_ID_PIPELINE_ID", "PIPELINE_ID", 1);
}

void TdmSaveLoad::odsLoadQueryVariableBeforePost(TOracleDataSet& dataSet) {
    CopyAfterUnderscore(dataSet, "DFM_REPORT_VARIABLES_ID", "VARIABLE_ID", 2);
}

} // namespace tarvel
