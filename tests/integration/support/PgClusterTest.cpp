#include "PgCluster.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <thread>
#include <unistd.h>

namespace tarvel::test {
namespace {

// Connects with verbose errors so that a refused logon shows its SQLSTATE; returns "" on success.
std::string TryLogon(const TPgLogon& logon) {
    PGconn* conn = PQconnectStart(logon.ConnInfo().c_str());
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
    PostgresPollingStatusType st = PGRES_POLLING_WRITING;
    while (st != PGRES_POLLING_OK && st != PGRES_POLLING_FAILED)
        st = PQconnectPoll(conn);
    std::string error = st == PGRES_POLLING_OK ? "" : PQerrorMessage(conn);
    PQfinish(conn);
    return error;
}

TEST(PgClusterTest, OwnerLogsOnWithItsPasswordOnlyAndFindsTheProductTables) {
    TPgCluster& cluster = TPgCluster::Get();
    EXPECT_EQ(TryLogon(cluster.Owner()), "");
    TPgLogon wrong = cluster.Owner();
    wrong.Password = "not-the-password";
    EXPECT_NE(TryLogon(wrong).find("28P01"), std::string::npos);

    EXPECT_EQ(cluster.QueryAsAdmin("select count(*) from pg_tables where schemaname = 'velmora'"
                                   " and tablename in ('dict_setting', 'dict_messages')"),
              "2");
    TPgLogon other = cluster.CreateLogin("other_user", "other-pw");
    EXPECT_EQ(TryLogon(other), "");
    cluster.CreateLogin("other_user", "new-pw");
    EXPECT_NE(TryLogon(other), "");
}

TEST(PgClusterTest, ServerControlStopsStartsAndHoldsTheServerInStartup) {
    TPgCluster& cluster = TPgCluster::Get();
    EXPECT_STREQ(std::getenv("PGHOST"), cluster.SocketDir().c_str());
    cluster.Stop();
    EXPECT_NE(TryLogon(cluster.Owner()), "");
    cluster.StartNotAcceptingLogons();
    EXPECT_NE(TryLogon(cluster.Owner()).find("57P03"), std::string::npos);
    cluster.FinishStartup();
    EXPECT_EQ(TryLogon(cluster.Owner()), "");
    cluster.Stop();
    cluster.Start();
    EXPECT_EQ(TryLogon(cluster.Owner()), "");
}

// Runs in a child program only: starts the cluster, tells where it lives, and dies hard.
TEST(PgClusterTest, ChildKilledWithItsServerRunning) {
    const char* report = std::getenv("TARVEL_PG_KILL_REPORT");
    if (!report)
        GTEST_SKIP() << "started only by WatchdogRemovesTheServerOfAKilledProgram";
    TPgCluster& cluster = TPgCluster::Get();
    {
        std::ofstream out(report);
        out << cluster.DataDir();
    }
    raise(SIGKILL);
}

TEST(PgClusterTest, WatchdogRemovesTheServerOfAKilledProgram) {
    std::string report =
        (std::filesystem::temp_directory_path() / ("tarvel-kill-" + std::to_string(getpid())))
            .string();
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string cmd = "TARVEL_PG_KILL_REPORT='" + report + "' '" + self +
                      "' --gtest_filter=PgClusterTest.ChildKilledWithItsServerRunning "
                      ">/dev/null 2>&1";
    std::system(cmd.c_str());
    std::string dataDir;
    std::ifstream(report) >> dataDir;
    std::filesystem::remove(report);
    ASSERT_FALSE(dataDir.empty());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::filesystem::exists(dataDir) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(std::filesystem::exists(dataDir));
}

} // namespace
} // namespace tarvel::test
