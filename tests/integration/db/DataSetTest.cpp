#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "db/OracleDataSetEx.h"
#include "db/OracleHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::TPgCluster;

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPgCluster& cluster = TPgCluster::Get();
        cluster.ExecAsOwner("create table if not exists rm_report (report_id int primary key,"
                            " caption varchar(100) not null, variable_order int, body text);"
                            "delete from rm_report;"
                            "insert into rm_report values (1, 'Перший', 1, 'x'), (2, 'Другий', 2,"
                            " null);"
                            "create sequence if not exists rm_report_seq start 100");
        session.LogonUsername = TPgCluster::OwnerUser;
        session.LogonPassword = TPgCluster::OwnerPassword;
        session.MessageTable = "dict_messages";
        session.SetConnected(true);
        ds.SetSQL("select report_id, caption, variable_order, body from rm_report order by 1");
        ds.CachedUpdates = true;
        ds.UpdatingTable = "rm_report";
        ds.KeyFields = "REPORT_ID";
        ds.OnIsModifiedChange = [this](TOracleDataSetEx& d) { changes.push_back(d.IsModified()); };
    }

    std::string Stored(const std::string& sql) { return TPgCluster::Get().QueryAsAdmin(sql); }

    TOracleSessionEx session{TDbEngine::PostgreSQL};
    TOracleDataSetEx ds{&session};
    std::vector<bool> changes;
};

TEST_F(DataSetTest, BrowsesLocatesAndDescribesItsFields) {
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName("CAPTION").AsString(), "Перший");
    EXPECT_EQ(ds.FieldByName("caption").DataType(), TFieldType::ftString);
    EXPECT_EQ(ds.FieldByName("caption").Size(), 100);
    EXPECT_EQ(ds.FieldByName("report_id").DataType(), TFieldType::ftInteger);
    EXPECT_TRUE(ds.Locate("REPORT_ID", 2));
    EXPECT_EQ(ds.FieldByName("caption").AsString(), "Другий");
    EXPECT_FALSE(ds.Locate("REPORT_ID", 3));
    ds.Next();
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_THROW(ds.FieldByName("caption").SetValue("x"), Exception); // not editing

    const TField& id = ds.FieldByName("report_id");
    EXPECT_FALSE(id.IsValidChar('+'));
    EXPECT_TRUE(id.IsValidChar('7'));
    EXPECT_EQ(id.MaxValue, 99999999);

    TOracleDataSetEx amounts(&session);
    amounts.SetSQL("select 1.5::float8 as amount");
    amounts.Open();
    const TField& amount = amounts.FieldByName("amount");
    EXPECT_EQ(amount.DataType(), TFieldType::ftFloat);
    const std::string typed = "1e5";
    EXPECT_EQ(typed.find_first_of("eE"), 1u);
    EXPECT_TRUE(amount.IsValidChar(typed[0]));
    EXPECT_FALSE(amount.IsValidChar(typed[1])); // refused at the "e"
    EXPECT_EQ(amount.MinValue, -99999999.0);
    amounts.DisallowExponentSymbol = false;
    amounts.Close();
    amounts.Open();
    EXPECT_TRUE(amounts.FieldByName("amount").IsValidChar('e'));
}

TEST_F(DataSetTest, BlocksTakeFieldsByNameAndHandKeysBack) {
    // The new key comes back as a column named like the variable.
    ds.SQLInsert = "insert into rm_report (report_id, caption, variable_order) values "
                   "(coalesce(:report_id, nextval('rm_report_seq')), :caption, :variable_order) "
                   "returning report_id";
    ds.ReturnOutParamIntoField = true;
    ds.Open();
    EXPECT_FALSE(ds.IsModified());
    ds.Insert();
    ds.FieldByName("caption").SetValue("Новий");
    ds.FieldByName("variable_order").SetValue(3);
    ds.Post();
    EXPECT_TRUE(ds.IsModified());
    ASSERT_TRUE(SaveDataSets({&ds}, true, true));
    EXPECT_FALSE(ds.IsModified());
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));

    ds.Locate("caption", "Новий");
    EXPECT_EQ(ds.FieldByName("report_id").AsInteger(), 100);
    EXPECT_EQ(Stored("select variable_order from velmora.rm_report where report_id = 100"), "3");
    ds.Edit();
    ds.Close(); // closing drops the change and the flag
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(DataSetTest, ShortUpdateBlockFallsBackToTheGeneratedStatement) {
    ds.SQLUpdate = "begin end;"; // ten characters: too short to count
    ds.Open();
    ds.Edit();
    ds.FieldByName("caption").SetValue("Змінений");
    ds.Post();
    ASSERT_TRUE(SaveDataSets({&ds}, true, false));
    EXPECT_EQ(Stored("select caption from velmora.rm_report where report_id = 1"), "Змінений");
}

TEST_F(DataSetTest, ForbiddenDeleteDoesNothingSilently) {
    test::TScriptedDialogs dialogs;
    ds.AllowOperations = opInsert | opUpdate;
    ds.Open();
    EXPECT_THROW(ds.Delete(), EAbort);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_FALSE(ds.IsModified());
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(DataSetTest, FailedSaveShowsTheDatabaseMessageAndRollsBack) {
    test::TScriptedDialogs dialogs;
    TPgCluster::Get().ExecAsOwner("insert into dict_messages values ('rm_report_pkey', "
                                  "'Звіт з таким номером уже є') on conflict do nothing");
    ds.SQLInsert = "insert into rm_report (report_id, caption) values (:report_id, :caption)";
    ds.Open();
    ds.Edit();
    ds.FieldByName("caption").SetValue("Змінено до помилки");
    ds.Post();
    ds.Insert();
    ds.FieldByName("report_id").SetValue(1);
    ds.FieldByName("caption").SetValue("Дубль");
    ds.Post();
    EXPECT_FALSE(SaveDataSets({&ds}, true, true));
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_EQ(dialogs.Errors[0].Caption, "Помилка");
    EXPECT_EQ(dialogs.Errors[0].Message, "QVN-0002. Помилка збереження в базу даних.");
    EXPECT_EQ(dialogs.Errors[0].Details, "ERROR:  Звіт з таким номером уже є\nSQLSTATE: 23505");
    EXPECT_TRUE(ds.IsModified());
    EXPECT_EQ(Stored("select caption from velmora.rm_report where report_id = 1"), "Перший");
    session.Commit(); // nothing of the failed save is left to commit
    EXPECT_EQ(Stored("select caption from velmora.rm_report where report_id = 1"), "Перший");

    EXPECT_FALSE(SaveDataSets({}, true, true));
}

TEST_F(DataSetTest, BlocksBindLobsAndOldValues) {
    ds.SQLUpdate = "update rm_report set body = :body, caption = :caption "
                   "where report_id = :old_report_id";
    ds.Open();
    ds.Edit();
    ds.FieldByName("body").SetValue("Довгий текст");
    ds.Post();
    ASSERT_TRUE(SaveDataSets({&ds}, true, false));
    EXPECT_EQ(Stored("select body from velmora.rm_report where report_id = 1"), "Довгий текст");

    test::TScriptedDialogs dialogs;
    ds.SQLUpdate = "update rm_report set body = :notes where report_id = :report_id";
    ds.Edit();
    ds.FieldByName("caption").SetValue("x");
    ds.Post();
    EXPECT_FALSE(SaveDataSets({&ds}, false, false));
    ASSERT_EQ(dialogs.Errors.size(), 1u); // a block variable that names no field has no value
    EXPECT_THAT(dialogs.Errors[0].Details, ::testing::HasSubstr(":NOTES"));
}

} // namespace
} // namespace tarvel
