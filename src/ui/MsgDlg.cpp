#include "ui/MsgDlg.h"

#include "ui/MsgDlgLogic.h"
#include "ui/TerminalDialogPort.h"

namespace tarvel {
namespace {

IMessageDialogPort& TerminalPort() {
    static TTerminalDialogPort port;
    return port;
}

IMessageDialogPort* gPort = nullptr;
std::string gApplicationTitle = "Tarvel";

IMessageDialogPort& CurrentPort() {
    return gPort ? *gPort : TerminalPort();
}

} // namespace

IMessageDialogPort* SetMessageDialogPort(IMessageDialogPort* port) {
    IMessageDialogPort* previous = gPort;
    gPort = port;
    return previous;
}

void SetApplicationTitle(const std::string& title) {
    gApplicationTitle = title;
}

const std::string& ApplicationTitle() {
    return gApplicationTitle;
}

std::uint16_t MsgDlg(const std::string& message, TMsgKind kind, TMsgButtons buttons,
                     const std::string& caption) {
    return MsgDlgCustom(message, kind, StandardButtons(buttons), caption);
}

std::uint16_t MsgDlgCustom(const std::string& message, TMsgKind kind,
                           const TMsgBtnInfoArray& buttons, const std::string& caption) {
    TMsgDialogRequest request;
    request.Kind = kind;
    request.Caption = caption.empty() ? DefaultCaption(kind) : caption;
    request.Text = NormaliseMessageText(message);
    request.Buttons = buttons;
    return CurrentPort().ShowMessageDlg(request);
}

void ShowErrorDlg(const std::string& caption, const std::string& message,
                  const std::string& details) {
    CurrentPort().ShowErrorDlg(caption, message, details);
}

} // namespace tarvel
