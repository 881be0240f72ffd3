#include "ScriptedDialogs.h"

#include "ui/MsgDlgLogic.h"

namespace tarvel::test {

TScriptedDialogs::TScriptedDialogs() : Previous(SetMessageDialogPort(this)) {}

TScriptedDialogs::~TScriptedDialogs() {
    SetMessageDialogPort(Previous);
}

std::uint16_t TScriptedDialogs::ShowMessageDlg(const TMsgDialogRequest& request) {
    Shown.push_back(request);
    if (Answers.empty())
        return EscapeResult(request.Kind, request.Buttons).value_or(mrCancel);
    std::uint16_t result = Answers.front();
    Answers.pop_front();
    return result;
}

void TScriptedDialogs::ShowErrorDlg(const std::string& caption, const std::string& message,
                                    const std::string& details) {
    Errors.push_back({caption, message, details});
}

} // namespace tarvel::test
