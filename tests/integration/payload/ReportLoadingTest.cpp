#include "payload/ReportLoading.h"

#include "DemoProduct.h"
#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "TestArchives.h"
#include "core/CodePage.h"
#include "core/FileUtils.h"
#include "db/OracleSession.h"

#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

class ReportLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDemoSchema(Cluster);
        Session.LogonUsername = TPgCluster::OwnerUser;
        Session.LogonPassword = TPgCluster::OwnerPassword;
        Session.SetConnected(true);
    }

    bool LoadDemoReports() {
        const std::string archive =
            ReadFileBytes(DemoUpdateDir() / "Upd1.0.4.0" / "850_velmora_all_reports.rbz");
        const bool notExported = TReportLoading(archive, Session).LoadReports(Log);
        Session.Commit();
        return notExported;
    }
    std::string Query(const std::string& sql) const { return Cluster.QueryAsAdmin(sql); }

    TPgCluster& Cluster = TPgCluster::Get();
    TScriptedDialogs Dialogs;
    TOracleSession Session{TDbEngine::PostgreSQL};
    TStringList Log;
};

TEST_F(ReportLoadingTest, DemoArchiveReplacesItsForms) {
    EXPECT_FALSE(LoadDemoReports());
    EXPECT_EQ(Log, (TStringList{"Експортовано 2 звіти\r\n"}));
    EXPECT_TRUE(Dialogs.Errors.empty()) << Dialogs.Errors[0].Details;
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;

    // The form id written in mixed case is found, and stored as the store keeps ids.
    EXPECT_EQ(Query("select string_agg(dfm_id || ':' || short_title || ':' || report_date,"
                    " ',' order by dfm_id) from velmora.rm_dfm"),
              "CLASSCARD:Картка класу:2026-12-02 09:05:00,"
              "PUPILLIST:Список учнів:2026-12-01 10:15:00");
    // A long text column gets a line break after its one line.
    EXPECT_EQ(Query("select note = E'Учні класу в алфавітному порядку\\r\\n' from velmora.rm_dfm"
                    " where dfm_id = 'PUPILLIST'"),
              "t");
    // A zero-byte binary field file leaves the column null; a full one is stored as it is.
    EXPECT_EQ(Query("select (excel_template is null)::text || substr(convert_from(report_icon,"
                    " 'UTF8'), 1, 4) from velmora.rm_dfm where dfm_id = 'PUPILLIST'"),
              "true<svg");
    EXPECT_EQ(Query("select split_part(dfm, E'\\n', 2) from velmora.rm_dfm"
                    " where dfm_id = 'CLASSCARD'"),
              "  Caption = 'Картка класу'");
    // The variable shipped with 1.0.2.0 is updated, not inserted again.
    EXPECT_EQ(Query("select count(*) || ':' || max(var_title) from velmora.rm_variables"
                    " where variable_id = 'VCLASS'"),
              "1:Клас учня");
    // Two access folders: only the first in sorted order is loaded.
    EXPECT_EQ(Query("select string_agg(rm_dfm_access_id || ':' || role_mask, ',' order by"
                    " rm_dfm_access_id) from velmora.rm_dfm_access"),
              "ACLASSCARD:ADMIN,APUPILLIST:ADMIN;TEACHER");
    EXPECT_EQ(Query("select string_agg(report_id || '/' || pipeline_id, ',' order by"
                    " pipeline_id) from velmora.rm_pipeline"),
              "RCLASS/CLS1,RPUPILS/PUP1");
    EXPECT_EQ(Query("select report_id || '/' || variable_id || '/' || caption from"
                    " velmora.rm_query_variables"),
              "RPUPILS/VCLASS/Клас");
    EXPECT_EQ(Query("select string_agg(folder_id || '>' || dfm_id, ',' order by folder_id)"
                    " from velmora.rmfolder_rmdfm"),
              "FCLASSES>CLASSCARD,FPUPILS>PUPILLIST");
    EXPECT_EQ(Query("select string_agg(folder_id || ':' || menu_id, ',' order by folder_id)"
                    " from velmora.rm_folder"),
              "FCLASSES:MSCHOOL,FPUPILS:MSCHOOL");
}

TEST_F(ReportLoadingTest, LoadingAgainReplacesButKeepsLocalAccess) {
    Cluster.ExecAsOwner("insert into rm_dfm_access values ('ALOCAL', 'CLASSCARD', 'DIRECTOR')");
    EXPECT_FALSE(LoadDemoReports());
    Log.clear();
    EXPECT_FALSE(LoadDemoReports()) << (Dialogs.Errors.empty() ? "" : Dialogs.Errors[0].Details);
    EXPECT_EQ(Query("select string_agg(rm_dfm_access_id, ',' order by rm_dfm_access_id) from"
                    " velmora.rm_dfm_access where dfm_id = 'CLASSCARD'"),
              "ALOCAL");
    EXPECT_EQ(Query("select count(*) from velmora.rm_pipeline"), "2");
}

TEST_F(ReportLoadingTest, FormThatCannotBeAppliedMeansNotExported) {
    Cluster.ExecAsOwner("drop procedure pck_report.pipeline_insert");
    EXPECT_TRUE(LoadDemoReports());
    EXPECT_EQ(Log, (TStringList{"Звіти не експортовано\r\n"}));
    ASSERT_EQ(Dialogs.Errors.size(), 2u);
    EXPECT_EQ(Dialogs.Errors[0].Message, "QVN-0002. Помилка збереження в базу даних.");
    EXPECT_NE(Dialogs.Errors[0].Details.find("pipeline_insert"), std::string::npos);
}

TEST_F(ReportLoadingTest, ArchiveWithoutInfoLoadsNothing) {
    const std::string archive = ZipBytes({{"Other.txt", "x"}});
    EXPECT_FALSE(TReportLoading(archive, Session).LoadReports(Log));
    EXPECT_EQ(Log, (TStringList{"Експортовано 0 звіти\r\n"}));
}

} // namespace
} // namespace tarvel::test
