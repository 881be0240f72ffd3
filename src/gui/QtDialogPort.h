#pragma once

#include "ui/MsgDlg.h"

namespace tarvel {

// The message dialog and the error dialog as Qt windows.
class TQtDialogPort : public IMessageDialogPort {
public:
    std::uint16_t ShowMessageDlg(const TMsgDialogRequest& request) override;
    void ShowErrorDlg(const std::string& caption, const std::string& message,
                      const std::string& details) override;
};

} // namespace tarvel
