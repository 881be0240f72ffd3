#include "DemoProduct.h"
#include "PgCluster.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tarvel::test {
namespace {

std::string ServiceScript(const std::string& name) {
    std::ifstream in(DemoSourceDir() / "service" / name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DemoSchema, LoadsAgainOverAnEarlierLoadAtVersion1020) {
    TPgCluster& cluster = TPgCluster::Get();
    LoadDemoSchema(cluster);
    cluster.ExecAsOwner("create table leftover (id integer)");
    LoadDemoSchema(cluster);
    EXPECT_EQ(cluster.QueryAsAdmin("select setting_value from velmora.dict_setting"
                                   " where setting_id = 'PROGRAM_VERSION'"),
              "1.0.2.0");
    EXPECT_EQ(cluster.QueryAsAdmin("select count(*) from pg_tables where tablename = 'leftover'"),
              "0");
    // Fresh statistics: the emptied-table check reads them.
    EXPECT_EQ(cluster.QueryAsAdmin("select reltuples::int from pg_class"
                                   " where oid = 'velmora.pupil'::regclass"),
              "4");
}

TEST(DemoSchema, ReportStoreReplacesAFormButKeepsItsAccess) {
    TPgCluster& cluster = TPgCluster::Get();
    LoadDemoSchema(cluster);
    cluster.ExecAsOwner(R"(
call pck_report.menu_update(i_menu_id => 'mschool', i_menu_name => 'Школа 2');
call pck_report.folder_insert(i_folder_id => 'F1', i_menu_id => 'MSCHOOL', i_folder_name => 'Папка');
call pck_report.form_insert(i_dfm_id => 'form1', i_title => 'T', i_dfm => 'object', i_pre_script => null,
  i_post_script => '', i_note => null, i_is_show => '1', i_short_title => 'S', i_report_icon => ''::bytea,
  i_report_type => '1', i_excel_template => null, i_user_name => 'U',
  i_report_date => '2026-12-01 10:15:00', i_is_log => '0', i_is_read_only => null);
call pck_report.report_insert(i_report_id => 'R1', i_menu_caption => 'Звіт', i_dfm_id => 'FORM1');
call pck_report.pipeline_insert(i_pipeline_id => 'P1', i_sql_text => 'select 1', i_pipeline_name => 'N',
  i_report_id => 'R1', i_master_pipeline_id => null);
call pck_report.pipeline_insert(i_pipeline_id => 'P2', i_sql_text => 'select 2', i_pipeline_name => 'M',
  i_report_id => 'R1', i_master_pipeline_id => 'P1');
call pck_report.query_variables_insert(i_variable_id => 'VCLASS', i_report_id => 'R1', i_caption => 'Клас',
  i_variable_order => '1');
call pck_report.dfm_link_insert(i_dst_folder_id => 'F1', i_dfm_id => 'FORM1');
call pck_report.report_access_insert(i_role_mask => 'ADMIN', i_dfm_id => 'FORM1', i_rm_dfm_access_id => 'A1');
call pck_report.clear_empty_blob();
)");
    EXPECT_EQ(cluster.QueryAsAdmin("select menu_name from velmora.rm_menu"), "Школа 2");
    EXPECT_EQ(cluster.QueryAsAdmin("select string_agg(pipeline_id || pipeline_order, ',' order by"
                                   " pipeline_id) from velmora.rm_pipeline"),
              "P11,P22");
    EXPECT_EQ(cluster.QueryAsAdmin("select coalesce(post_script, 'null') || coalesce("
                                   "length(report_icon)::text, 'null') from velmora.rm_dfm"),
              "nullnull");

    cluster.ExecAsOwner("call pck_report.form_delete_all(i_dfm_id => 'Form1')");
    EXPECT_EQ(cluster.QueryAsAdmin("select (select count(*) from velmora.rm_dfm) + (select count(*)"
                                   " from velmora.rm_report) + (select count(*) from"
                                   " velmora.rm_pipeline) + (select count(*) from"
                                   " velmora.rmfolder_rmdfm) + (select count(*) from"
                                   " velmora.rm_query_variables)"),
              "0");
    EXPECT_EQ(cluster.QueryAsAdmin("select count(*) from velmora.rm_dfm_access"), "1");
    EXPECT_THROW(cluster.ExecAsOwner("call pck_report.report_update(i_report_id => 'R1',"
                                     " i_dfm_id => 'FORM1', i_menu_caption => 'x')"),
                 std::runtime_error);
}

TEST(DemoSchema, ServiceScriptsRunInsideOneTransaction) {
    TPgCluster& cluster = TPgCluster::Get();
    LoadDemoSchema(cluster);
    const char* const names[] = {
        "850_move_index.sql",        "851_move_blobfiled_into_other_tablespace.sql",
        "852_rebuild_all_index.sql", "930_obj_recompile.sql",
        "940_analyze_table_rv.sql",  "960_purge_recyclebin.sql"};
    std::string all = "begin;";
    for (const char* name : names)
        all += ServiceScript(name);
    cluster.ExecAsOwner(all + "delete from hist_pupil;" +
                        ServiceScript("940_analyze_table_rv.sql") + "commit;");
    EXPECT_EQ(cluster.QueryAsAdmin("select reltuples::int from pg_class"
                                   " where oid = 'velmora.hist_pupil'::regclass"),
              "0");
}

} // namespace
} // namespace tarvel::test
