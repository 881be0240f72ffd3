#include "gui/QtDialogPort.h"

#include "gui/FrmErrorDlg.h"
#include "gui/FrmMessageDlg.h"
#include "gui/GuiSupport.h"

namespace tarvel {

std::uint16_t TQtDialogPort::ShowMessageDlg(const TMsgDialogRequest& request) {
    TfrmMessageDlg dialog(request);
    return dialog.Execute();
}

void TQtDialogPort::ShowErrorDlg(const std::string& caption, const std::string& message,
                                 const std::string& details) {
    TfrmErrorDlg dialog(ToQt(caption), ToQt(message), ToQt(details));
    dialog.exec();
}

} // namespace tarvel
