// The demo release packed by the real tarvel-pack program, taken apart the way the runner does
// it and run by the update engine against the fixture's server.
#include "DemoProduct.h"
#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "core/CodePage.h"
#include "core/PatchExecutorParams.h"
#include "core/ResourceBundle.h"
#include "core/StringTableResource.h"
#include "core/UpdatePatchHelpers.h"
#include "core/ZipReader.h"
#include "db/Dialect.h"
#include "db/OracleSessionEx.h"
#include "engine/UtilitesUpdateExecute.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

TEST(DemoRelease, PackedByTarvelPackRunsEndToEnd) {
    TPgCluster& cluster = TPgCluster::Get();
    LoadDemoSchema(cluster);
    TScriptedDialogs dialogs;
    TTempDir work;

    // Any program serves as the runner here: the release's resources are what is under test.
    const fs::path release = work / "velmora-1.0.4.0";
    const std::string pack =
        std::string(TARVEL_PACK) + " --runner " + Quoted(fs::read_symlink("/proc/self/exe")) +
        " --params " + Quoted(DemoParamsFile()) + " --update-folder " + Quoted(DemoUpdateDir()) +
        " --service-scripts " + Quoted(DemoSourceDir() / "service") + " --output " +
        Quoted(release) + " > /dev/null";
    ASSERT_EQ(std::system(pack.c_str()), 0);

    const TResourceBundle bundle(release);
    bundle.SaveToFile(kResPatch, work / "patch.pdt");
    TPatchExecutorParams params;
    LoadPatchParams(params, work.Path(), bundle);
    EXPECT_FALSE(fs::exists(work / "PatchParams.ini"));

    TOracleSessionEx session(TDbEngine::PostgreSQL);
    session.LogonUsername = params.SchemeLogin;
    session.LogonPassword = params.SchemePassword;
    session.AfterLogOn = [](TOracleSession& s) {
        for (const std::string& statement : s.Dialect().AfterLogon)
            s.Execute(statement, {});
    };
    session.SetConnected(true);

    TfrmUtilitesUpdateExecute engine(session);
    engine.Archive.SetArchiveFile((work / "patch.pdt").string());
    engine.Archive.ArchivePassword = params.PackagePassword;
    engine.ServiceScripts = DecodeStringTable(bundle.Read(kResStringTable));
    engine.ModuleUserName = params.SchemeLogin;
    engine.PluginFile = work / "CurrentPatchPlugin.tmp";
    engine.OpenUpdateArchive();
    std::string message;
    ASSERT_TRUE(engine.CheckVersions(message)) << message;
    ASSERT_TRUE(engine.SelectVersions());
    EXPECT_EQ(engine.LastVersion(), "1.0.4.0");
    engine.ExecuteUpdate();

    EXPECT_FALSE(engine.HasErrors);
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_EQ(cluster.QueryAsAdmin("select setting_value from velmora.dict_setting"
                                   " where setting_id = 'PROGRAM_VERSION'"),
              "1.0.4.0");
    EXPECT_EQ(engine.ServiceScripts.at(1), "7");

    const std::string report = engine.Archive.ReportFile;
    EXPECT_EQ(std::system(("unzip -tq " + Quoted(report) + " > /dev/null").c_str()), 0);
    TZipReader reader;
    reader.Open(report);
    ASSERT_EQ(reader.Count(), 5u);
    EXPECT_NE(reader.Entry(3).FileName.find("ServiceScripts.txt"), std::string::npos);
    EXPECT_NE(Win1251ToUtf8(reader.ExtractToMemory(3)).find("/* 850_MOVE_INDEX.SQL */"),
              std::string::npos);
    EXPECT_EQ(reader.ExtractToMemory(4), "");
}

} // namespace
} // namespace tarvel::test
