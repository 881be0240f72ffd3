#include "engine/UtilitesUpdateExecute.h"

#include "db/Dialect.h"
#include "db/OracleQuery.h"
#include "db/OracleSession.h"
#include "ui/MsgDlg.h"

namespace tarvel {

namespace {

const char* const kPluginFileName = "CurrentPatchPlugin.tmp";

// The trimmed dict_setting value; empty when the row is missing or cannot be read.
std::string ReadDictSetting(TOracleSession& session, const std::string& settingId) {
    try {
        TOracleQuery query(&session);
        query.SetSQL(session.Dialect().ReadSetting);
        query.DeclareVariable("setting_name", otString);
        query.SetVariable("setting_name", TVariant(settingId));
        query.Execute();
        return query.Eof() ? std::string() : query.FieldAsString("result");
    } catch (const EOracleError&) {
        return {};
    }
}

} // namespace

std::filesystem::path DefaultPluginFile() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::current_path() : program.parent_path()) / kPluginFileName;
}

TfrmUtilitesUpdateExecute::TfrmUtilitesUpdateExecute(TOracleSession& session)
    : PluginFile(DefaultPluginFile()), MainSession(session),
      Rules(Archive.Descriptor, [&session](const std::string& settingId) {
          return ReadDictSetting(session, settingId);
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
