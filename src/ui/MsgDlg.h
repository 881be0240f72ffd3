#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tarvel {

enum class TMsgKind : std::uint8_t { mkWarning, mkError, mkInformation, mkConfirmation, mkCustom };

enum TMsgButton : int {
    btYes,
    btNo,
    btOk,
    btCancel,
    btAbort,
    btRetry,
    btIgnore,
    btAll,
    btNoToAll,
    btYesToAll,
    btDetails,
    btClose,
    btHelp
};

// Bit n set = standard button n shown.
using TMsgButtons = std::uint16_t;
constexpr TMsgButtons MsgButtons(std::initializer_list<TMsgButton> buttons) {
    TMsgButtons set = 0;
    for (TMsgButton b : buttons)
        set = static_cast<TMsgButtons>(set | (1u << b));
    return set;
}

struct TMsgButtonInfo {
    std::uint8_t Reserved = 0;
    std::string Caption;   // '&' marks the accelerator letter
    std::uint16_t Key = 0; // virtual-key code of the physical key that presses the button
    std::int32_t ModalResult = 0;
};
using TMsgBtnInfoArray = std::vector<TMsgButtonInfo>;

// Result codes returned by the dialogs.
constexpr std::uint16_t mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                        mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// What a dialog port is asked to show: caption and text are final (caption resolved,
// closing punctuation normalised), buttons in creation order.
struct TMsgDialogRequest {
    TMsgKind Kind = TMsgKind::mkInformation;
    std::string Caption;
    std::string Text;
    TMsgBtnInfoArray Buttons;
};

// The window system behind the dialogs. Implementations show the dialog modally and return
// the result code of the pressed button (2 for the close box); they raise nothing of their own.
class IMessageDialogPort {
public:
    virtual ~IMessageDialogPort() = default;
    virtual std::uint16_t ShowMessageDlg(const TMsgDialogRequest& request) = 0;
    virtual void ShowErrorDlg(const std::string& caption, const std::string& message,
                              const std::string& details) = 0;
};

// Installs the port every dialog goes through and returns the one installed before;
// nullptr restores the terminal port.
IMessageDialogPort* SetMessageDialogPort(IMessageDialogPort* port);

// The title shown as the caption of mkCustom dialogs without a caption of their own.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

std::uint16_t MsgDlg(const std::string& message, TMsgKind kind, TMsgButtons buttons,
                     const std::string& caption = "");
std::uint16_t MsgDlgCustom(const std::string& message, TMsgKind kind,
                           const TMsgBtnInfoArray& buttons, const std::string& caption = "");
void ShowErrorDlg(const std::string& caption, const std::string& message,
                  const std::string& details);

} // namespace tarvel
