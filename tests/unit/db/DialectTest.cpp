#include "db/Dialect.h"

#include "db/postgres/PgErrors.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

// The statement texts of the Oracle dialect, copied from the product's documents.
TEST(DialectTest, OracleTextsAreTheDocumentedOnes) {
    const TDialect& d = OracleDialect();
    EXPECT_EQ(d.ErrorMarker, "ORA-");
    EXPECT_EQ(d.AfterLogon,
              (std::vector<std::string>{"alter session set nls_sort=UKRAINIAN",
                                        "alter session set NLS_TERRITORY = UKRAINE",
                                        "alter session set nls_date_format='dd.mm.yyyy "
                                        "hh24:mi:ss'"}));
    EXPECT_EQ(d.SeedBlock,
              "begin\r  execute immediate 'alter session set "
              "tracefile_identifier='||user||'_'||to_char(sysdate, 'yyyymmddhh24mi');\r  "
              "dbms_random.initialize(:Seed);\rend;");
    EXPECT_EQ(d.OtherSessions, "select count(*) us from   v$session v where       v.USERNAME = "
                               ":user_name and      v.STATUS != 'KILLED'");
    EXPECT_EQ(d.ReadSetting,
              "  begin\r    select trim(setting_value)\r    into :result\r    from "
              "dict_setting\r    where setting_id=:setting_name;\r  exception\r    when others "
              "then \r      :result := null;\r  end;");
    EXPECT_EQ(d.RecordVersion,
              "update dict_setting  set setting_value = '%s' where setting_id = '%s' ;");
    EXPECT_EQ(d.TableList, (std::vector<std::string>{"select at.table_name", "  from all_tables at",
                                                     " where at.owner = upper(:schema)",
                                                     "   and :where_clause"}));
    EXPECT_EQ(d.TableListWithRows, "at.num_rows <> 0");
    EXPECT_EQ(d.TableListWithoutRows, "at.num_rows = 0");
    EXPECT_EQ(d.BlobRecord, "begin\r  update %s\r  set    %s = :blob_field\r  where  %s;\rend;");
    EXPECT_EQ(d.ReportDeleteForm,
              "begin\r  pck_report.form_delete_all(i_dfm_id => :i_dfm_id);\rend;");
    EXPECT_EQ(d.ReportAfterLoad, "begin\r  pck_report.clear_empty_blob();\rend;");
    EXPECT_EQ(d.ProgramVersion,
              "begin\r\n  select nvl((select replace(ds.setting_value, '.', '')\r\n"
              "               from dict_setting ds\r\n"
              "              where ds.setting_id = 'PROGRAM_VERSION_BROX'), -1)\r\n"
              "    into :result\r\n   from dual;\r\nend;");
    EXPECT_EQ(d.ServerStartingCode, 1033);
}

TEST(DialectTest, PostgresTextsAreThePlatformOnes) {
    const TDialect& d = PostgresDialect();
    EXPECT_EQ(d.ErrorMarker, "ERROR:");
    EXPECT_EQ(d.AfterLogon, std::vector<std::string>{"SET DateStyle = 'German, DMY'"});
    EXPECT_EQ(d.SeedBlock, "SELECT setseed(:Seed / 2147483647.0)");
    EXPECT_EQ(d.OtherSessions,
              "select count(*) us from pg_stat_activity v where upper(v.usename) = :user_name "
              "and v.backend_type = 'client backend'");
    EXPECT_EQ(d.ReadSetting, "select trim(setting_value) as result from dict_setting where "
                             "setting_id = :setting_name");
    EXPECT_FALSE(d.ReadSettingBindsResult);
    EXPECT_EQ(d.RecordVersion, OracleDialect().RecordVersion);
    EXPECT_EQ(d.BlobRecord, "update %s set %s = :blob_field where %s");
    EXPECT_EQ(d.ReportStoreCall("menu_insert", "i_menu_id => :menu_id"),
              "call pck_report.menu_insert(i_menu_id => :menu_id)");
    EXPECT_EQ(d.ServerStartingCode, SqlStateCode("57P03"));
}

} // namespace
} // namespace tarvel
