#pragma once

#include "core/StringTableResource.h"
#include "engine/UpdateArchive.h"
#include "engine/UpdateRun.h"
#include "engine/VersionRules.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tarvel {

class TOracleSessionEx;

// The update engine: the update archive of a release, the version rules over the installed
// version, and the update run. The patch window derives from it, fills its inputs and supplies
// the progress operations; on its own the engine shows no progress.
class TfrmUtilitesUpdateExecute : public IUpdateProgress {
public:
    // `session` is the main session, which every piece of the run works on.
    explicit TfrmUtilitesUpdateExecute(TOracleSessionEx& session);
    ~TfrmUtilitesUpdateExecute() override = default;
    TfrmUtilitesUpdateExecute(const TfrmUtilitesUpdateExecute&) = delete;
    TfrmUtilitesUpdateExecute& operator=(const TfrmUtilitesUpdateExecute&) = delete;

    // Inputs: the archive (its file, password and run report file), the release's string table
    // of service scripts, the schema whose tables the emptied-table check lists, and where
    // plug-in libraries are written (CurrentPatchPlugin.tmp next to the program file).
    TUpdateArchive Archive;
    TStringTable ServiceScripts;
    std::string ModuleUserName;
    std::filesystem::path PluginFile;

    // Set by any failure of a run; a run never clears it.
    bool HasErrors = false;

    void OpenUpdateArchive() { Archive.OpenUpdateArchive(); }
    bool CheckVersions(std::string& message) { return Rules.CheckVersions(message); }
    bool SelectVersions() { return Rules.SelectVersions(Archive.VersionList); }
    std::string LastVersion() const { return tarvel::LastVersion(Archive.VersionList); }
    const std::string& CurrentVersion() const { return Rules.CurrentVersion; }
    std::string VersionSettingId() const { return Rules.VersionSettingId(); }

    // Runs the version list as SelectVersions left it. Nothing is raised: a failure is shown
    // through MsgDlg, rolls the session back and sets HasErrors.
    void ExecuteUpdate();

    bool ShowStep(const std::string& text, int position, TProgressChannel channel) override;
    void SetStepRange(int minimum, int maximum, TProgressChannel channel, int position) override;
    // Runs `work` while the progress display is shown.
    virtual void RunWithProgress(const std::function<void()>& work);

    TOracleSessionEx& Session() const { return MainSession; }

private:
    TOracleSessionEx& MainSession;
    TVersionRules Rules;
};

// CurrentPatchPlugin.tmp in the folder of the running program.
std::filesystem::path DefaultPluginFile();

} // namespace tarvel
