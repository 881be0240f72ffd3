#include "EngineFixture.h"
#include "core/FileUtils.h"

#include <cstdlib>
#include <filesystem>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.first);
    return names;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class UpdateRunTest : public EngineTest {
protected:
    // Leaves only the descriptor, so each test writes the steps it needs.
    void KeepOnlyDescriptor() {
        Update.Remove("Upd1.0.2.0");
        Update.Remove("Upd1.0.3.0");
        Update.Remove("Upd1.0.4.0");
    }
};

TEST_F(UpdateRunTest, DemoReleaseRunsEndToEnd) {
    EXPECT_EQ(Prepare(), (TVersionList{"1.0.3.0.0", "1.0.3.0.1", "1.0.4.0"}));
    Engine->ExecuteUpdate();

    EXPECT_FALSE(Engine->HasErrors) << ReportEntry("ErrantScripts.txt");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Query("select setting_value from velmora.dict_setting"
                    " where setting_id = 'PROGRAM_VERSION'"),
              "1.0.4.0");
    EXPECT_EQ(Query("select count(*) from velmora.pupil_card"), "4");
    EXPECT_EQ(Query("select count(*) from pg_proc where proname = 'class_size'"), "1");
    EXPECT_EQ(Query("select split_part(body, E'\\n', 1) from velmora.doc_template"
                    " where template_id = 'GRADE_SHEET'"),
              "ТАБЕЛЬ УСПІШНОСТІ");
    EXPECT_EQ(Query("select substr(convert_from(picture, 'UTF8'), 1, 4) from"
                    " velmora.doc_template where template_id = 'SCHOOL_LOGO'"),
              "<svg");

    const auto entries = ReportEntries();
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{"Upd1.0.3.0.0.txt", "Upd1.0.3.0.1.txt", "Upd1.0.4.0.txt",
                                        "ServiceScripts.txt", "ErrantScripts.txt"}));
    EXPECT_EQ(entries.back().second, "");
    EXPECT_TRUE(Contains(entries[2].second, "/* UPD1.0.4.0\\301_BLOBPACKAGE.BFB */"));
    EXPECT_TRUE(Contains(entries[2].second, "Експортовано 2 звіти\r\n"));
    EXPECT_TRUE(Contains(entries[3].second, "/* 960_PURGE_RECYCLEBIN.SQL */"));
    EXPECT_EQ(Query("select count(*) from velmora.rm_dfm"), "2");

    using Step = std::tuple<std::string, int, TProgressChannel>;
    const auto& steps = Engine->Steps;
    EXPECT_EQ(steps.front(), (Step{"Upd1.0.3.0.0", 0, pcTotal}));
    EXPECT_NE(std::find(steps.begin(), steps.end(), Step{"Службові скрипти", 3, pcTotal}),
              steps.end());
    EXPECT_NE(std::find(steps.begin(), steps.end(), Step{"960_purge_recyclebin.sql", 6, pcDetail}),
              steps.end());
    EXPECT_EQ(steps.back(), (Step{"", 3, pcDetail}));
    EXPECT_EQ(Engine->Ranges.back(), (std::vector<int>{0, 7, pcDetail, 0}));
}

TEST_F(UpdateRunTest, TwoCleanStepsGiveFourEntriesInOrder) {
    KeepOnlyDescriptor();
    // Name order without regard to case: "230_delete" before "230_Rm", which needs its table.
    Update.Write("Upd1.0.3.0/230_Rm_use.sql", "insert into step_note values (2);");
    Update.Write("Upd1.0.3.0/230_delete_make.sql", "create table step_note (id integer);");
    Update.Write("Upd1.0.4.0/010_more.sql", "insert into step_note values (4);");
    Run();

    EXPECT_FALSE(Engine->HasErrors) << ReportEntry("ErrantScripts.txt");
    const auto entries = ReportEntries();
    ASSERT_EQ(Names(entries),
              (std::vector<std::string>{"Upd1.0.3.0.txt", "Upd1.0.4.0.txt", "ServiceScripts.txt",
                                        "ErrantScripts.txt"}));
    const std::string& first = entries[0].second;
    EXPECT_TRUE(
        Contains(first, "/" + std::string(58, '*') + "/\r\n/* UPD1.0.3.0\\230_DELETE_MAKE.SQL */"));
    EXPECT_TRUE(Contains(first, "Час виконання < 1 хвилини\r\n"));
    EXPECT_LT(first.find("230_DELETE_MAKE"), first.find("230_RM_USE"));
    // The run log is not cleared between steps.
    EXPECT_TRUE(Contains(entries[1].second, "230_RM_USE.SQL"));
    EXPECT_TRUE(Contains(entries[1].second, "010_MORE.SQL"));
    EXPECT_EQ(Query("select string_agg(id::text, ',' order by id) from velmora.step_note"), "2,4");

    const std::string report = Engine->Archive.ReportFile;
    EXPECT_EQ(std::system(("unzip -tq '" + report + "' > /dev/null").c_str()), 0);
    EXPECT_EQ(std::system(("unzip -p '" + report + "' '*ErrantScripts.txt' > /dev/null").c_str()),
              0);
}

TEST_F(UpdateRunTest, FailingStatementLetsTheRunGoOnButStopsBlobPackages) {
    KeepOnlyDescriptor();
    Update.Write("Upd1.0.3.0/010_fail.sql", "insert into school_class values (10, '7-А', 2026);\n"
                                            "insert into no_such_table values (1);\n"
                                            "insert into school_class values (11, '7-Б', 2026);\n");
    Update.Write("Upd1.0.3.0/020_blob.bfb",
                 ZipBytes({{"p.xml", "<p><r table_name=\"doc_template\"><key_field field="
                                     "\"template_id\">GRADE_SHEET</key_field><field_type>CLOB"
                                     "</field_type><l field=\"body\">b</l></r></p>"},
                           {"b.vbv", "text"}}));
    Update.Write("Upd1.0.4.0/010_next.sql", "insert into school_class values (12, '8-А', 2026);");
    Run();

    EXPECT_TRUE(Engine->HasErrors);
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Query("select string_agg(class_id::text, ',' order by class_id) from"
                    " velmora.school_class where class_id >= 10"),
              "10,11,12");
    EXPECT_EQ(Query("select coalesce(body, 'null') from velmora.doc_template"
                    " where template_id = 'GRADE_SHEET'"),
              "null");
    EXPECT_EQ(Query("select setting_value from velmora.dict_setting"
                    " where setting_id = 'PROGRAM_VERSION'"),
              "1.0.4.0");
    const std::string errors = ReportEntry("ErrantScripts.txt");
    EXPECT_TRUE(Contains(errors, "/* UPD1.0.3.0\\010_FAIL.SQL */"));
    EXPECT_TRUE(Contains(errors, "ERROR:"));
    EXPECT_TRUE(Contains(errors, "no_such_table"));
    EXPECT_TRUE(Contains(errors, "insert into school_class values (11"));
    // The package keeps its banner in the step's log but is not loaded.
    const std::string step = ReportEntry("Upd1.0.3.0.txt");
    EXPECT_TRUE(Contains(step, "/* UPD1.0.3.0\\020_BLOB.BFB */"));
    EXPECT_FALSE(Contains(step, "update doc_template"));
}

TEST_F(UpdateRunTest, ReportArchiveNotExportedIsAnError) {
    Cluster.ExecAsOwner("drop procedure pck_report.report_insert");
    Run();

    EXPECT_TRUE(Engine->HasErrors);
    const std::string errors = ReportEntry("ErrantScripts.txt");
    EXPECT_TRUE(Contains(errors, "/* UPD1.0.4.0\\850_VELMORA_ALL_REPORTS.RBZ */\r\n" +
                                     std::string(1, '/') + std::string(58, '*') +
                                     "/\r\n\r\nЗвіти не експортовано\r\n"));
    EXPECT_FALSE(Dialogs.Errors.empty());
}

TEST_F(UpdateRunTest, PluginWithoutExportIsPassedOverAndPluginsGetTheLogon) {
    KeepOnlyDescriptor();
    const fs::path log = Work / "plugin.log";
    setenv("TARVEL_PLUGIN_LOG", log.c_str(), 1);
    Update.Write("Upd1.0.3.0/010_helper.dll", ReadFileBytes(TARVEL_PLUGIN_WITHOUT_EXPORT));
    Update.Write("Upd1.0.3.0/020_after.sql", "create table after_plugin (id integer);");
    Update.Write("Upd1.0.3.0/030_first.so", ReadFileBytes(TARVEL_PLUGIN_COMPLETE));
    Update.Write("Upd1.0.3.0/040_second.dll", ReadFileBytes(TARVEL_PLUGIN_COMPLETE));
    Run();
    unsetenv("TARVEL_PLUGIN_LOG");

    EXPECT_FALSE(Engine->HasErrors) << ReportEntry("ErrantScripts.txt");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_FALSE(fs::exists(Engine->PluginFile));
    EXPECT_EQ(Query("select count(*) from pg_tables where tablename = 'after_plugin'"), "1");
    const std::string once =
        std::string(TPgCluster::OwnerUser) + "\n" + TPgCluster::OwnerPassword + "\n(null)\n";
    EXPECT_EQ(ReadFileBytes(log), once + once);
}

TEST_F(UpdateRunTest, PluginThatFailsEndsTheRunAndStays) {
    KeepOnlyDescriptor();
    Update.Write("Upd1.0.3.0/010_first.sql", "create table before_plugin (id integer);");
    Update.Write("Upd1.0.4.0/010_check.dll", ReadFileBytes(TARVEL_PLUGIN_INCOMPLETE));
    Update.Write("Upd1.0.4.0/020_never.sql", "create table after_plugin (id integer);");
    Run();

    EXPECT_TRUE(Engine->HasErrors);
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, TMsgKind::mkError);
    EXPECT_EQ(Dialogs.Shown[0].Text,
              "Длл " + Engine->PluginFile.string() + "відпрацювала зовсім невірно.");
    EXPECT_TRUE(fs::exists(Engine->PluginFile));
    // Rolled back: nothing of the run stays, and its closing work did not happen.
    EXPECT_EQ(Query("select count(*) from pg_tables where tablename in ('before_plugin',"
                    " 'after_plugin')"),
              "0");
    EXPECT_EQ(Query("select setting_value from velmora.dict_setting"
                    " where setting_id = 'PROGRAM_VERSION'"),
              "1.0.2.0");
    EXPECT_EQ(Names(ReportEntries()), (std::vector<std::string>{"Upd1.0.3.0.txt"}));
}

TEST_F(UpdateRunTest, NoServiceScriptsGiveAnEmptyEntry) {
    KeepOnlyDescriptor();
    Update.Write("Upd1.0.3.0/010_a.sql", "select 1;");
    Engine->ServiceScripts = {{1, "1"}};
    Run();

    EXPECT_FALSE(Engine->HasErrors);
    EXPECT_EQ(ReportEntry("ServiceScripts.txt"), "");
}

TEST_F(UpdateRunTest, TableEmptiedByAStepWarnsOnceAndTheRunSucceeds) {
    Update.Write("Upd1.0.4.0/900_clear.sql", "delete from hist_pupil;\ndelete from pupil_card;");
    Run();

    EXPECT_FALSE(Engine->HasErrors);
    // pupil_card was made by the run itself: it held no rows before.
    EXPECT_EQ(ReportEntry("ErrantScripts.txt"),
              "З таблиці hist_pupil було видалено всі записи\r\n");
}

} // namespace
} // namespace tarvel::test
