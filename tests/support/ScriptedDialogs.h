#pragma once

#include "ui/MsgDlg.h"

#include <deque>
#include <string>
#include <vector>

namespace tarvel::test {

// Installs itself as the dialog port for its lifetime, records every dialog and answers from a
// queue; with the queue empty it answers as Escape would (2 when Escape would do nothing).
class TScriptedDialogs : public IMessageDialogPort {
public:
    struct TErrorDialog {
        std::string Caption, Message, Details;
    };

    TScriptedDialogs();
    ~TScriptedDialogs() override;
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    void Answer(std::uint16_t result) { Answers.push_back(result); }

    std::uint16_t ShowMessageDlg(const TMsgDialogRequest& request) override;
    void ShowErrorDlg(const std::string& caption, const std::string& message,
                      const std::string& details) override;

    std::vector<TMsgDialogRequest> Shown;
    std::vector<TErrorDialog> Errors;

private:
    std::deque<std::uint16_t> Answers;
    IMessageDialogPort* Previous;
};

} // namespace tarvel::test
