// Times the update engine on a generated release of many small scripts against a throwaway
// PostgreSQL server, and the same scripts run by psql -f in one session; prints both times and
// their ratio. Not a test: nothing is asserted.
#include "DemoProduct.h"
#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestArchives.h"
#include "core/FileUtils.h"
#include "db/Dialect.h"
#include "db/OracleSessionEx.h"
#include "engine/UtilitesUpdateExecute.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace tarvel;
using namespace tarvel::test;

constexpr int kScriptCount = 500;
constexpr const char* kPackagePassword = "K7QX2M9ZT4WB8RJ5NC3VD6HY1PLF0G";

std::string ScriptText(int n) {
    const std::string id = std::to_string(n);
    if (n == 0)
        return "create table bench_row (id integer primary key, note varchar(100), hits "
               "integer);\n";
    return "insert into bench_row (id, note, hits) values (" + id + ", 'row " + id +
           "', 0);\n"
           "update bench_row set hits = hits + 1 where id = " +
           id +
           ";\n"
           "select count(*) from bench_row where hits > 0;\n";
}

std::string ScriptName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d_bench.sql", n);
    return name;
}

double Seconds(std::chrono::steady_clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double RunEngine(const TTempDir& work) {
    TUpdateFolder update;
    update.CopyFrom(DemoUpdateDir());
    update.Remove("Upd1.0.2.0");
    update.Remove("Upd1.0.3.0");
    update.Remove("Upd1.0.4.0");
    for (int n = 0; n < kScriptCount; ++n)
        update.Write("Upd1.0.3.0/" + ScriptName(n), ScriptText(n));
    const auto archive = work / "patch.pdt";
    update.Pack(archive, kPackagePassword);

    TOracleSessionEx session(TDbEngine::PostgreSQL);
    session.LogonUsername = TPgCluster::OwnerUser;
    session.LogonPassword = TPgCluster::OwnerPassword;
    session.SetConnected(true);
    TfrmUtilitesUpdateExecute engine(session);
    engine.ServiceScripts = {{1, "1"}};
    engine.ModuleUserName = TPgCluster::OwnerUser;
    engine.Archive.SetArchiveFile(archive.string());
    engine.Archive.ArchivePassword = kPackagePassword;
    engine.OpenUpdateArchive();
    std::string message;
    engine.CheckVersions(message);
    engine.SelectVersions();

    const auto start = std::chrono::steady_clock::now();
    engine.ExecuteUpdate();
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    if (engine.HasErrors)
        std::fprintf(stderr, "the engine's run reported errors\n");
    session.SetConnected(false);
    return seconds;
}

double RunPsql(const TTempDir& work) {
    std::string all;
    for (int n = 0; n < kScriptCount; ++n)
        all += ScriptText(n);
    const auto file = work / "all.sql";
    WriteFileBytes(file, all);
    setenv("PGUSER", TPgCluster::OwnerUser, 1);
    setenv("PGPASSWORD", TPgCluster::OwnerPassword, 1);
    const std::string command =
        "psql -X -q -1 -v ON_ERROR_STOP=1 -f '" + file.string() + "' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    if (status != 0)
        std::fprintf(stderr, "psql failed\n");
    return seconds;
}

} // namespace

int main() {
    TPgCluster& cluster = TPgCluster::Get();
    TScriptedDialogs dialogs;
    TTempDir work;

    LoadDemoSchema(cluster);
    const double engineSeconds = RunEngine(work);
    LoadDemoSchema(cluster);
    const double psqlSeconds = RunPsql(work);

    std::printf("%d scripts (%d statements)\n", kScriptCount, 1 + 3 * (kScriptCount - 1));
    std::printf("update engine:   %.3f s\n", engineSeconds);
    std::printf("psql -f:         %.3f s\n", psqlSeconds);
    std::printf("ratio engine/psql: %.2f\n", engineSeconds / psqlSeconds);
    cluster.Shutdown();
    return 0;
}
