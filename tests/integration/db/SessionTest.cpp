#include "PgCluster.h"
#include "db/LOBLocator.h"
#include "db/OracleQuery.h"
#include "db/OracleScript.h"
#include "db/OracleSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::TPgCluster;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::unique_ptr<TOracleSession> OwnerSession() {
    auto session = std::make_unique<TOracleSession>(TDbEngine::PostgreSQL);
    auto logon = TPgCluster::Get().Owner();
    session->LogonUsername = logon.User;
    session->LogonPassword = logon.Password;
    session->LogonDatabase = logon.LogonDatabase();
    session->SetConnected(true);
    return session;
}

EOracleError ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EOracleError& e) {
        return e;
    }
    ADD_FAILURE() << "no EOracleError";
    return EOracleError("", 0);
}

TEST(SessionTest, BadLogonsGiveTheEngineErrorText) {
    auto logon = TPgCluster::Get().Owner();
    TOracleSession session(TDbEngine::PostgreSQL);
    session.LogonUsername = "VELMORA"; // user names are not case-sensitive
    session.LogonPassword = "wrong";
    session.LogonDatabase = logon.LogonDatabase();
    EOracleError e = ErrorOf([&] { session.SetConnected(true); });
    EXPECT_THAT(e.what(), StartsWith("ERROR:  password authentication failed"));
    EXPECT_THAT(e.what(), HasSubstr("SQLSTATE: 28P01"));
    EXPECT_FALSE(session.Connected());

    session.LogonPassword = logon.Password;
    session.LogonDatabase = "host=/nonexistent/socket dbname=velmora";
    e = ErrorOf([&] { session.SetConnected(true); });
    EXPECT_THAT(e.what(), StartsWith("ERROR:  "));
    EXPECT_THAT(e.what(), HasSubstr("SQLSTATE: 08001"));

    session.LogonDatabase = ""; // the environment names the test server
    session.SetConnected(true);
    EXPECT_TRUE(session.Connected());

    TOracleSession never(TDbEngine::PostgreSQL);
    TOracleQuery q(&never);
    q.SetSQL("select 1");
    EXPECT_THAT(ErrorOf([&] { q.Execute(); }).what(), HasSubstr("SQLSTATE: 08003"));
}

TEST(SessionTest, StoppedServerRefusesLogonWithAnEngineError) {
    TPgCluster& cluster = TPgCluster::Get();
    cluster.Stop();
    TOracleSession session(TDbEngine::PostgreSQL);
    session.LogonUsername = TPgCluster::OwnerUser;
    session.LogonPassword = TPgCluster::OwnerPassword;
    EOracleError e = ErrorOf([&] { session.SetConnected(true); });
    cluster.Start();
    EXPECT_THAT(e.what(), StartsWith("ERROR:  "));
    EXPECT_FALSE(session.Connected());
}

TEST(SessionTest, QueryBindsVariablesAndHandsBackColumnsOfTheSameName) {
    auto session = OwnerSession();
    TOracleQuery q(session.get());
    // Quotes, comments, casts and dollar quoting keep their colons.
    q.SetSQL("select :a::int + 1 as next, ':a' as quoted, $$:b$$ as dollar, :b as b -- :c\n"
             "/* :c */ , :a as a");
    q.DeclareVariable("a", otInteger);
    q.DeclareVariable(":B", otString);
    q.SetVariable("A", 41);
    q.SetVariable("b", "text");
    q.Execute();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.Field("NEXT").AsInteger(), 42);
    EXPECT_EQ(q.FieldAsString("quoted"), ":a");
    EXPECT_EQ(q.FieldAsString("dollar"), ":b");
    EXPECT_EQ(q.GetVariable("b").AsString(), "text");
    q.Next();
    EXPECT_TRUE(q.Eof());

    q.Clear();
    q.SetSQL("select 'x' as result, :setting_name as echo");
    q.DeclareVariable("result", otString);
    q.DeclareVariable("setting_name", otString);
    q.SetVariable("setting_name", "S");
    q.Execute();
    EXPECT_EQ(q.GetVariable("result").AsString(), "x");
}

TEST(SessionTest, BadStatementsRaiseAndLeaveTheTransactionUsable) {
    auto session = OwnerSession();
    TOracleQuery q(session.get());
    q.SetSQL("create table t_bad (id int primary key)");
    q.Execute();
    q.SetSQL("insert into t_bad values (1)");
    q.Execute();

    q.SetSQL("selec 1");
    EXPECT_THAT(ErrorOf([&] { q.Execute(); }).what(),
                AllOf(StartsWith("ERROR:  syntax error"), HasSubstr("SQLSTATE: 42601")));

    q.SetSQL("select * from t_bad where id = :id and id <> :other");
    q.DeclareVariable("id", otInteger);
    q.SetVariable("id", 1);
    EOracleError e = ErrorOf([&] { q.Execute(); });
    EXPECT_THAT(e.what(), AllOf(StartsWith("ERROR:  no value for the bind variable :OTHER"),
                                HasSubstr("SQLSTATE: 42P02")));

    q.SetSQL("select count(*) as n from t_bad");
    q.Execute();
    EXPECT_EQ(q.Field("n").AsInteger(), 1); // earlier work survived the failed statements
    session->Rollback();
    EXPECT_THAT(ErrorOf([&] { q.Execute(); }).what(), HasSubstr("SQLSTATE: 42P01"));
}

TEST(SessionTest, ConstraintViolationsReadTheMessageTable) {
    auto session = OwnerSession();
    TPgCluster::Get().ExecAsOwner(
        "create table t_msg (id int constraint t_msg_pk primary key);"
        "insert into dict_messages values ('T_MSG_PK', 'Такий запис уже є')");
    TOracleQuery q(session.get());
    q.SetSQL("insert into t_msg values (1)");
    q.Execute();
    EOracleError plain = ErrorOf([&] { q.Execute(); });
    EXPECT_THAT(plain.what(), StartsWith("ERROR:  duplicate key value"));

    session->MessageTable = "dict_messages";
    EOracleError readable = ErrorOf([&] { q.Execute(); });
    EXPECT_EQ(std::string(readable.what()), "ERROR:  Такий запис уже є\nSQLSTATE: 23505");
    EXPECT_EQ(readable.ErrorCode, plain.ErrorCode);
}

TEST(SessionTest, CommitRollbackAndDisconnectFollowRollbackOnDisconnect) {
    TPgCluster::Get().ExecAsOwner("create table t_tx (id int)");
    auto count = [] { return TPgCluster::Get().QueryAsAdmin("select count(*) from velmora.t_tx"); };
    auto session = OwnerSession();
    TOracleQuery q(session.get());
    q.SetSQL("insert into t_tx values (1)");
    q.Execute();
    EXPECT_EQ(count(), "0"); // nothing commits by itself
    session->Commit();
    EXPECT_EQ(count(), "1");
    q.Execute();
    session->Rollback();
    EXPECT_EQ(count(), "1");

    q.Execute();
    session->RollbackOnDisconnect = true;
    session->SetConnected(false);
    EXPECT_EQ(count(), "1");
    session->SetConnected(true);
    session->RollbackOnDisconnect = false;
    q.Execute();
    session->SetConnected(false);
    EXPECT_EQ(count(), "2");
}

TEST(SessionTest, StatementCacheSurvivesTableChanges) {
    auto session = OwnerSession();
    session->StatementCache = true;
    session->StatementCacheSize = 2;
    session->SetConnected(false);
    session->SetConnected(true);
    TOracleQuery q(session.get());
    q.SetSQL("create table t_cache (id int)");
    q.Execute();
    q.SetSQL("select * from t_cache where id = :id or :id is null");
    q.DeclareVariable("id", otInteger);
    q.Execute();
    EXPECT_EQ(q.FieldCount(), 1);
    TOracleQuery ddl(session.get());
    ddl.SetSQL("alter table t_cache add column name text");
    ddl.Execute();
    q.Execute();
    EXPECT_EQ(q.FieldCount(), 2);
    for (int i = 0; i < 5; ++i) { // more distinct statements than the cache holds
        TOracleQuery other(session.get());
        other.SetSQL("select :v + " + std::to_string(i) + " as r");
        other.DeclareVariable("v", otInteger);
        other.SetVariable("v", 1);
        other.Execute();
        EXPECT_EQ(other.Field("r").AsInteger(), 1 + i);
    }
}

TEST(SessionTest, LobsAndTypedValuesRoundTrip) {
    auto session = OwnerSession();
    TOracleQuery q(session.get());
    q.SetSQL("create table t_lob (id int, b bytea, c text, d timestamp, f float8, "
             "s varchar(20), n numeric(10,0))");
    q.Execute();
    auto blob = TLOBLocator::CreateTemporary(*session, otBLOB);
    const std::string bytes("\0\1\2\xff binary", 11);
    blob->Write(bytes.data(), bytes.size());
    auto clob = TLOBLocator::CreateTemporary(*session, otCLOB);
    clob->SetAsString("Текст із 'лапками'");
    q.SetSQL("insert into t_lob values (:id, :b, :c, :d, :f, :s, :n)");
    q.DeclareVariable("id", otInteger);
    q.DeclareVariable("b", otBLOB);
    q.DeclareVariable("c", otCLOB);
    q.DeclareVariable("d", otDate);
    q.DeclareVariable("f", otFloat);
    q.DeclareVariable("s", otString);
    q.DeclareVariable("n", otInteger);
    q.SetVariable("id", 1);
    q.SetComplexVariable("b", blob.get());
    q.SetComplexVariable("c", clob.get());
    q.SetVariable("d", IsoToDateTime("2009-08-17 14:35:12"));
    q.SetVariable("f", 2.5);
    q.SetVariable("s", TVariant::Null());
    q.SetVariable("n", 7);
    q.Execute();
    EXPECT_EQ(q.RowsProcessed(), 1);
    EXPECT_EQ(q.Feedback(), "INSERT 0 1");

    TOracleQuery r(session.get());
    r.SetSQL("select * from t_lob");
    r.Execute();
    EXPECT_EQ(r.Field("b"), TVariant(TBytes{bytes}));
    EXPECT_EQ(r.FieldAsString("c"), "Текст із 'лапками'");
    EXPECT_EQ(r.Field("d").AsString(), "17.08.2009 14:35:12");
    EXPECT_EQ(r.Field("f").AsFloat(), 2.5);
    EXPECT_TRUE(r.FieldIsNull("s"));
    EXPECT_EQ(r.Field("n"), TVariant(7));
    EXPECT_EQ(r.FieldType(r.FieldIndex("b")), TFieldType::ftBlob);
    EXPECT_EQ(r.FieldType(r.FieldIndex("c")), TFieldType::ftMemo);
    EXPECT_EQ(r.FieldType(r.FieldIndex("n")), TFieldType::ftInteger);
    EXPECT_EQ(r.FieldSize(r.FieldIndex("s")), 20);

    TOracleQuery subst(session.get());
    subst.SetSQL("select count(*) as n from t_lob where :where_clause");
    subst.DeclareVariable("where_clause", otSubst);
    subst.SetVariable("where_clause", TSubstitution{"id = 2"});
    subst.Execute();
    EXPECT_EQ(subst.FinalSQL(), "select count(*) as n from t_lob where id = 2");
    EXPECT_EQ(subst.Field("n").AsInteger(), 0);
}

TEST(SessionTest, ScriptGoesOnAfterAFailedCommandAndLogsEverything) {
    auto session = OwnerSession();
    TOracleScript script(session.get());
    script.SetText("/**********/\n/* UPD1.0.0.1\\001.SQL */\n/**********/\n"
                   "create table t_script (id int, note text);\n"
                   "insert into t_script values (1, 'a;b');\n"
                   "insert into t_script values ('x');\n"
                   "do $body$ begin raise notice 'hello; notice'; end $body$;\n"
                   "insert into t_script values (3)");
    std::vector<std::string> errors;
    int after = 0;
    script.OnError = [&](TOracleScript&, const EOracleError& e) { errors.push_back(e.what()); };
    script.AfterCommand = [&](TOracleScript&) { ++after; };
    EXPECT_FALSE(script.Execute());
    EXPECT_EQ(after, 5);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], HasSubstr("SQLSTATE: 22P02"));
    EXPECT_EQ(script.Output,
              "/**********/\r\n/* UPD1.0.0.1\\001.SQL */\r\n/**********/\r\n"
              "create table t_script (id int, note text);\r\nCREATE TABLE\r\n\r\n"
              "insert into t_script values (1, 'a;b');\r\nINSERT 0 1\r\n\r\n"
              "insert into t_script values ('x');\r\n"
              "ERROR:  invalid input syntax for type integer: \"x\"\r\nSQLSTATE: 22P02\r\n\r\n"
              "do $body$ begin raise notice 'hello; notice'; end $body$;\r\n"
              "NOTICE:  hello; notice\r\nDO\r\n\r\n"
              "insert into t_script values (3)\r\nINSERT 0 1\r\n\r\n");
    TOracleQuery q(session.get());
    q.SetSQL("select count(*) as n from t_script");
    q.Execute();
    EXPECT_EQ(q.Field("n").AsInteger(), 2);
}

TEST(SessionTest, DroppedConnectionFailsThatCommandAndEveryLaterOne) {
    auto session = OwnerSession();
    TOracleScript script(session.get());
    script.SetText("select 1;\n"
                   "select pg_terminate_backend(pg_backend_pid());\n"
                   "select 2;\n"
                   "select 3;");
    int errors = 0;
    script.OnError = [&](TOracleScript&, const EOracleError& e) {
        ++errors;
        EXPECT_THAT(e.what(), StartsWith("ERROR:  "));
    };
    EXPECT_FALSE(script.Execute());
    EXPECT_EQ(errors, 3);
    EXPECT_THAT(script.Output, HasSubstr("select 3;\r\nERROR:  no connection to the server\r\n"
                                         "SQLSTATE: 08003"));
    TOracleQuery q(session.get());
    q.SetSQL("select 1");
    EXPECT_THAT(ErrorOf([&] { q.Execute(); }).what(), StartsWith("ERROR:  "));
    EXPECT_TRUE(session->Connected());
    EXPECT_FALSE(session->IsAlive());
    session->SetConnected(true); // logs on anew
    q.Execute();
}

} // namespace
} // namespace tarvel
