#include "EngineFixture.h"

#include "core/CodePage.h"
#include "core/ZipReader.h"
#include "db/Dialect.h"

namespace tarvel::test {

void EngineTest::SetUp() {
    LoadDemoSchema(Cluster);
    Update.CopyFrom(DemoUpdateDir());
    Session = std::make_unique<TOracleSessionEx>(TDbEngine::PostgreSQL);
    Session->LogonUsername = TPgCluster::OwnerUser;
    Session->LogonPassword = TPgCluster::OwnerPassword;
    Session->AfterLogOn = [](TOracleSession& session) {
        for (const std::string& statement : session.Dialect().AfterLogon)
            session.Execute(statement, {});
    };
    Session->SetConnected(true);
    Engine = std::make_unique<TRecordingEngine>(*Session);
    Engine->ServiceScripts = DemoServiceScripts();
    Engine->ModuleUserName = TPgCluster::OwnerUser;
    Engine->PluginFile = Work / "CurrentPatchPlugin.tmp";
}

void EngineTest::TearDown() {
    Engine.reset();
    if (Session && Session->Connected())
        Session->SetConnected(false);
}

TVersionList EngineTest::Prepare() {
    const auto archive = Work / "patch.pdt";
    Update.Pack(archive, kPackagePassword);
    Engine->Archive.SetArchiveFile(archive.string());
    Engine->Archive.ArchivePassword = kPackagePassword;
    Engine->OpenUpdateArchive();
    std::string message;
    EXPECT_TRUE(Engine->CheckVersions(message)) << message;
    Engine->SelectVersions();
    return Engine->Archive.VersionList;
}

void EngineTest::Run() {
    Prepare();
    Engine->ExecuteUpdate();
}

std::vector<std::pair<std::string, std::string>> EngineTest::ReportEntries() const {
    TZipReader reader;
    reader.Open(Engine->Archive.ReportFile);
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Entry(i).FileName;
        const auto suffix = name.find_first_not_of("0123456789");
        entries.emplace_back(name.substr(suffix), Win1251ToUtf8(reader.ExtractToMemory(i)));
    }
    return entries;
}

std::string EngineTest::ReportEntry(const std::string& suffix) const {
    for (const auto& [name, text] : ReportEntries())
        if (name == suffix)
            return text;
    ADD_FAILURE() << "no entry " << suffix;
    return {};
}

} // namespace tarvel::test
