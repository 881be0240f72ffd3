#pragma once

#include "DemoProduct.h"
#include "PgCluster.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestArchives.h"
#include "db/OracleSessionEx.h"
#include "engine/UtilitesUpdateExecute.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tarvel::test {

// The engine with its progress operations recorded.
class TRecordingEngine : public TfrmUtilitesUpdateExecute {
public:
    using TfrmUtilitesUpdateExecute::TfrmUtilitesUpdateExecute;

    bool ShowStep(const std::string& text, int position, TProgressChannel channel) override {
        Steps.emplace_back(text, position, channel);
        return true;
    }
    void SetStepRange(int minimum, int maximum, TProgressChannel channel, int position) override {
        Ranges.push_back({minimum, maximum, static_cast<int>(channel), position});
    }

    std::vector<std::tuple<std::string, int, TProgressChannel>> Steps;
    std::vector<std::vector<int>> Ranges;
};

// An engine on a fresh demo schema in the fixture's cluster, with an update folder to shape and
// the demo's service scripts.
class EngineTest : public ::testing::Test {
protected:
    static constexpr const char* kPackagePassword = "K7QX2M9ZT4WB8RJ5NC3VD6HY1PLF0G";

    void SetUp() override;
    void TearDown() override;

    // Packs the update folder, opens it in the engine and selects the steps above the installed
    // version; returns the selected keys.
    TVersionList Prepare();
    // Prepare and ExecuteUpdate.
    void Run();

    // The run report archive: entry names (without their time stamp) and texts (UTF-8).
    std::vector<std::pair<std::string, std::string>> ReportEntries() const;
    std::string ReportEntry(const std::string& suffix) const;

    std::string Query(const std::string& sql) const { return Cluster.QueryAsAdmin(sql); }

    TPgCluster& Cluster = TPgCluster::Get();
    TScriptedDialogs Dialogs;
    TTempDir Work;
    TUpdateFolder Update;
    std::unique_ptr<TOracleSessionEx> Session;
    std::unique_ptr<TRecordingEngine> Engine;
};

} // namespace tarvel::test
