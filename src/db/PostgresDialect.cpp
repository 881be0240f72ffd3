#include "db/Dialect.h"
#include "db/postgres/PgErrors.h"

namespace tarvel {

namespace {

std::string PostgresReportStoreCall(const std::string& procedure, const std::string& arguments) {
    return "call pck_report." + procedure + "(" + arguments + ")";
}

TDialect MakePostgresDialect() {
    TDialect d;
    d.ErrorMarker = "ERROR:";
    d.AfterLogon = {"SET DateStyle = 'German, DMY'"};
    d.SeedBlock = "SELECT setseed(:Seed / 2147483647.0)";
    d.OtherSessions = "select count(*) us from pg_stat_activity v where upper(v.usename) = "
                      ":user_name and v.backend_type = 'client backend'";
    d.RefreshSessionList = "select pg_stat_clear_snapshot()";
    d.ReadSetting = "select trim(setting_value) as result from dict_setting where setting_id = "
                    ":setting_name";
    d.ReadSettingBindsResult = false;
    d.RecordVersion = "update dict_setting  set setting_value = '%s' where setting_id = '%s' ;";
    d.TableList = {"select at.table_name from (select c.relname as table_name, n.nspname as "
                   "owner, case when c.reltuples < 0 then null else c.reltuples::bigint end as "
                   "num_rows from pg_class c join pg_namespace n on n.oid = c.relnamespace where "
                   "c.relkind = 'r') at where at.owner = lower(:schema) and :where_clause"};
    d.TableListWithRows = "at.num_rows <> 0";
    d.TableListWithoutRows = "at.num_rows = 0";
    d.BlobRecord = "update %s set %s = :blob_field where %s";
    d.ReportDeleteForm = PostgresReportStoreCall("form_delete_all", "i_dfm_id => :i_dfm_id");
    d.ReportAfterLoad = PostgresReportStoreCall("clear_empty_blob", "");
    d.ProgramVersion = "select coalesce((select replace(ds.setting_value, '.', '') from "
                       "dict_setting ds where ds.setting_id = 'PROGRAM_VERSION_BROX'), '-1') as "
                       "result";
    d.ServerStartingCode = SqlStateCode("57P03");
    d.ReportStoreCall = PostgresReportStoreCall;
    return d;
}

} // namespace

const TDialect& PostgresDialect() {
    static const TDialect dialect = MakePostgresDialect();
    return dialect;
}

} // namespace tarvel
