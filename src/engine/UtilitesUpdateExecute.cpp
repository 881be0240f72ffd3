#include "engine/UtilitesUpdateExecute.h"

#include "db/OracleHelpers.h"
#include "db/OracleSessionEx.h"
#include "ui/MsgDlg.h"

namespace tarvel {

namespace {
const char* const kPluginFileName = "CurrentPatchPlugin.tmp";
}

std::filesystem::path DefaultPluginFile() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::current_path() : program.parent_path()) / kPluginFileName;
}

TfrmUtilitesUpdateExecute::TfrmUtilitesUpdateExecute(TOracleSessionEx& session)
    : PluginFile(DefaultPluginFile()), MainSession(session),
      Rules(Archive.Descriptor, [&session](const std::string& settingId) {
          std::string value;
          ReadDictSetting(settingId, value, session);
          return value;
      }) {}

void TfrmUtilitesUpdateExecute::ExecuteUpdate() {
    try {
        TUpdateRun run({MainSession, Archive, ServiceScripts, *this, HasErrors, PluginFile,
                        ModuleUserName, Rules.VersionSettingId()});
        run.Execute(Archive.VersionList);
    } catch (const std::exception& error) {
        HasErrors = true;
        // The silent abort (a rejected archive password) has had its message already.
        if (!dynamic_cast<const EAbort*>(&error))
            MsgDlg(error.what(), TMsgKind::mkError, MsgButtons({btOk}));
        if (MainSession.Connected())
            MainSession.Rollback();
    }
}

bool TfrmUtilitesUpdateExecute::ShowStep(const std::string&, int, TProgressChannel) {
    return true;
}

void TfrmUtilitesUpdateExecute::SetStepRange(int, int, TProgressChannel, int) {}

void TfrmUtilitesUpdateExecute::RunWithProgress(const std::function<void()>& work) {
    work();
}

} // namespace tarvel
