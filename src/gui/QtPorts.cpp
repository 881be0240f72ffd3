#include "gui/QtPorts.h"

#include "gui/ProgressWindow.h"
#include "ui/MessagePump.h"

#include <QCoreApplication>

namespace tarvel {

TQtPorts::TQtPorts()
    : PreviousDialogs(SetMessageDialogPort(&Dialogs)), PreviousBusy(SetBusyWindowPort(&Busy)),
      PreviousPump(SetMessagePump([] { QCoreApplication::processEvents(); })) {}

TQtPorts::~TQtPorts() {
    CloseProgressWindow();
    Busy.HideBusyWindow();
    SetMessagePump(PreviousPump);
    SetBusyWindowPort(PreviousBusy);
    SetMessageDialogPort(PreviousDialogs);
}

} // namespace tarvel
