#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "db/DataMain.h"
#include "db/ManageBaseConnect.h"
#include "db/OracleHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

namespace tarvel {
namespace {

using test::TPgCluster;
using ::testing::HasSubstr;

class MainSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPgCluster::Get();
        dm.ossnMain.LogonUsername = TPgCluster::OwnerUser;
        dm.ossnMain.LogonPassword = TPgCluster::OwnerPassword;
    }

    std::string Show(const std::string& setting) {
        TVariant value;
        OraQueryGetValue("show " + setting, setting, {}, {}, dm.ossnMain, value);
        return value.AsString();
    }

    TdmMain dm{TDbEngine::PostgreSQL};
};

TEST_F(MainSessionTest, ConnectsWithTheSessionSettingsEveryTime) {
    EXPECT_EQ(dmMain, &dm);
    EXPECT_TRUE(dm.ossnMain.RollbackOnDisconnect);
    EXPECT_EQ(dm.ossnMain.MessageTable, "dict_messages");
    EXPECT_EQ(dm.ossnMain.StatementCacheSize, 40);
    EXPECT_FALSE(dm.ossnMain.Connected());
    ASSERT_TRUE(ConnectMainSession(dm.ossnMain, "Velmora"));
    EXPECT_EQ(Show("DateStyle"), "German, DMY");

    TManageBaseConnect manager(&dm.ossnMain);
    TVariant ignored;
    dm.ossnMain.ExecuteWithParams("set DateStyle = 'ISO, MDY'", {}, ignored);
    manager.Disconnect();
    EXPECT_FALSE(manager.IsConnected());
    manager.Connect();
    EXPECT_TRUE(manager.IsConnected());
    EXPECT_EQ(Show("DateStyle"), "German, DMY");

    try {
        TManageBaseConnect broken(nullptr);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Source, "Tarvel/cUpdatePatchHelpers");
        EXPECT_EQ(e.Line, 226);
    }
}

TEST_F(MainSessionTest, FailedConnectionShowsTheMessageWithTheProgramName) {
    test::TScriptedDialogs dialogs;
    dm.ossnMain.LogonPassword = "wrong";
    EXPECT_FALSE(ConnectMainSession(dm.ossnMain, ""));
    EXPECT_FALSE(ConnectMainSession(dm.ossnMain, "Велмора"));
    ASSERT_EQ(dialogs.Shown.size(), 2u);
    EXPECT_EQ(dialogs.Shown[0].Kind, TMsgKind::mkError);
    EXPECT_EQ(dialogs.Shown[0].Text,
              "Неможливо встановити з'єднання з БД зверніться до адміністратора.\r\n\r\n"
              "Можливі причини проблеми: \r\n  - cервіс БД призупинено або від працює "
              "некоректно\r\n  - cервер БД не використовується для обслуговування  \r\n"
              "  - пароль головного користувача  несанкційовано змінено.");
    EXPECT_THAT(dialogs.Shown[1].Text, HasSubstr("обслуговування Велмора \r\n"));
    EXPECT_FALSE(dm.ossnMain.Connected());
}

TEST_F(MainSessionTest, OtherSessionsOfTheSchemaUserRefuseTheRun) {
    ASSERT_TRUE(ConnectMainSession(dm.ossnMain, "Velmora"));
    EXPECT_TRUE(CheckOtherSessions(dm.ossnMain, "VELMORA"));
    EXPECT_FALSE(CheckOtherSessions(dm.ossnMain, "SOMEONE_ELSE")); // count 0

    TOracleSessionEx second(TDbEngine::PostgreSQL);
    second.LogonUsername = TPgCluster::OwnerUser;
    second.LogonPassword = TPgCluster::OwnerPassword;
    second.SetConnected(true);
    EXPECT_FALSE(CheckOtherSessions(dm.ossnMain, "VELMORA"));
    second.SetConnected(false);
    bool alone = false; // the server lets a closed backend go a moment later
    for (int i = 0; i < 100 && !alone; ++i) {
        alone = CheckOtherSessions(dm.ossnMain, "VELMORA");
        if (!alone)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(alone);
}

TEST_F(MainSessionTest, ExecuteWithParamsBindsByPositionOrByPairs) {
    ASSERT_TRUE(ConnectMainSession(dm.ossnMain, "Velmora"));
    TOracleSessionEx& s = dm.ossnMain;
    TVariant result;
    const std::string sql = "select :setting_name || '-' || coalesce(:other, 'none') as result";
    s.ExecuteWithParams(sql, {"A", "B"}, result);
    EXPECT_EQ(result.AsString(), "A-B");
    ASSERT_EQ(s.SessionParams.size(), 3u);
    EXPECT_EQ(s.SessionParams[0].Name, "SETTING_NAME");
    EXPECT_EQ(s.SessionParam(":other").AsString(), "B");

    s.ExecuteWithParams(sql, {"other", "Y", "SETTING_NAME", "X", "unknown", "Z"}, result);
    EXPECT_EQ(result.AsString(), "X-Y");
    s.ExecuteWithParams(sql, {"setting_name", "X"}, result); // as many values as variables
    EXPECT_EQ(result.AsString(), "setting_name-X");

    s.ExecuteWithParams("select 1 as one", {}, result);
    EXPECT_TRUE(result.IsUnassigned());
}

TEST_F(MainSessionTest, ReadDictSettingReadsTrimmedValuesAndEmptyForNone) {
    ASSERT_TRUE(ConnectMainSession(dm.ossnMain, "Velmora"));
    TPgCluster::Get().ExecAsOwner("insert into dict_setting values ('PROGRAM_VERSION', ' 1.0.8.6 ')"
                                  " on conflict do nothing;"
                                  "insert into dict_setting values ('EMPTY', null)"
                                  " on conflict do nothing");
    std::string value = "stale";
    ReadDictSetting("PROGRAM_VERSION", value);
    EXPECT_EQ(value, "1.0.8.6");
    ReadDictSetting("NO_SUCH_SETTING", value);
    EXPECT_EQ(value, "");
    value = "stale";
    ReadDictSetting("EMPTY", value);
    EXPECT_EQ(value, "");

    dm.ossnMain.SetConnected(false);
    EXPECT_THROW(ReadDictSetting("PROGRAM_VERSION", value), EOracleError);
}

TEST_F(MainSessionTest, OraQueryGetValueWantsExactlyOneRow) {
    ASSERT_TRUE(ConnectMainSession(dm.ossnMain, "Velmora"));
    TVariant value;
    OraQueryGetValue("select :n::int * 2 as twice", "TWICE", {":N"}, {21}, dm.ossnMain, value);
    EXPECT_EQ(value.AsInteger(), 42);
    try {
        OraQueryGetValue("select 1 as x union all select 2", "X", {}, {}, dm.ossnMain, value);
        FAIL();
    } catch (const EOracleError&) {
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Помилка в функції OraQueryGetValue модуля uOracleDOA: запит "
                               "повертає більше одного рядка");
    }
    EXPECT_THROW(
        {
            try {
                OraQueryGetValue("select 1 as x where false", "X", {}, {}, dm.ossnMain, value);
            } catch (const Exception& e) {
                EXPECT_STREQ(e.what(), "Помилка в функції OraQueryGetValue модуля uOracleDOA: "
                                       "запит не повертає жодного рядка");
                throw;
            }
        },
        Exception);
    EXPECT_EQ(value.AsInteger(), 42); // untouched by the failures
}

TEST(ServerProbeTest, ServerIsNotReadyWhileItIsStillStarting) {
    TPgCluster& cluster = TPgCluster::Get();
    EXPECT_TRUE(IsOracleServerReady(TDbEngine::PostgreSQL)); // a refused dummy logon is fine
    cluster.StartNotAcceptingLogons();
    EXPECT_FALSE(IsOracleServerReady(TDbEngine::PostgreSQL));
    cluster.FinishStartup();
    EXPECT_TRUE(IsOracleServerReady(TDbEngine::PostgreSQL));
    cluster.Stop();
    EXPECT_TRUE(IsOracleServerReady(TDbEngine::PostgreSQL)); // stopped is not "starting"
    cluster.Start();
}

} // namespace
} // namespace tarvel
