#pragma once

#include "ui/MsgDlg.h"

#include <cstdio>

namespace tarvel {

// Dialogs on the terminal: prints caption and text, offers the buttons by their accelerator
// letters and reads the answer. When input is not a terminal it answers as Escape would.
class TTerminalDialogPort : public IMessageDialogPort {
public:
    TTerminalDialogPort(std::FILE* in = stdin, std::FILE* out = stderr);
    std::uint16_t ShowMessageDlg(const TMsgDialogRequest& request) override;
    void ShowErrorDlg(const std::string& caption, const std::string& message,
                      const std::string& details) override;

private:
    std::FILE* In;
    std::FILE* Out;
};

} // namespace tarvel
