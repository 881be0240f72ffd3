#include "db/Dialect.h"

namespace tarvel {

namespace {

std::string OracleReportStoreCall(const std::string& procedure, const std::string& arguments) {
    return "begin\r  pck_report." + procedure + "(" + arguments + ");\rend;";
}

TDialect MakeOracleDialect() {
    TDialect d;
    d.ErrorMarker = "ORA-";
    d.AfterLogon = {"alter session set nls_sort=UKRAINIAN",
                    "alter session set NLS_TERRITORY = UKRAINE",
                    "alter session set nls_date_format='dd.mm.yyyy hh24:mi:ss'"};
    d.SeedBlock = "begin\r  execute immediate 'alter session set "
                  "tracefile_identifier='||user||'_'||to_char(sysdate, 'yyyymmddhh24mi');\r  "
                  "dbms_random.initialize(:Seed);\rend;";
    d.OtherSessions = "select count(*) us from   v$session v where       v.USERNAME = "
                      ":user_name and      v.STATUS != 'KILLED'";
    d.ReadSetting = "  begin\r    select trim(setting_value)\r    into :result\r    from "
                    "dict_setting\r    where setting_id=:setting_name;\r  exception\r    when "
                    "others then \r      :result := null;\r  end;";
    d.ReadSettingBindsResult = true;
    d.RecordVersion = "update dict_setting  set setting_value = '%s' where setting_id = '%s' ;";
    d.TableList = {"select at.table_name", "  from all_tables at",
                   " where at.owner = upper(:schema)", "   and :where_clause"};
    d.TableListWithRows = "at.num_rows <> 0";
    d.TableListWithoutRows = "at.num_rows = 0";
    d.BlobRecord = "begin\r  update %s\r  set    %s = :blob_field\r  where  %s;\rend;";
    d.ReportDeleteForm = "begin\r  pck_report.form_delete_all(i_dfm_id => :i_dfm_id);\rend;";
    d.ReportAfterLoad = "begin\r  pck_report.clear_empty_blob();\rend;";
    d.ProgramVersion = "begin\r\n  select nvl((select replace(ds.setting_value, '.', '')\r\n   "
                       "            from dict_setting ds\r\n              where ds.setting_id = "
                       "'PROGRAM_VERSION_BROX'), -1)\r\n    into :result\r\n   from dual;\r\nend;";
    d.ServerStartingCode = 1033;
    d.ReportStoreCall = OracleReportStoreCall;
    return d;
}

} // namespace

const TDialect& OracleDialect() {
    static const TDialect dialect = MakeOracleDialect();
    return dialect;
}

} // namespace tarvel
