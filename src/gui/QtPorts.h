#pragma once

#include "gui/QtBusyWindowPort.h"
#include "gui/QtDialogPort.h"

#include <functional>

namespace tarvel {

// Puts the Qt windows behind the ports for its lifetime: message dialogs, the busy window and
// event processing during long work. Create it after the QApplication; on destruction it
// closes what is still open and restores the ports found before.
class TQtPorts {
public:
    TQtPorts();
    ~TQtPorts();
    TQtPorts(const TQtPorts&) = delete;
    TQtPorts& operator=(const TQtPorts&) = delete;

    TQtBusyWindowPort& BusyWindow() { return Busy; }

private:
    TQtDialogPort Dialogs;
    TQtBusyWindowPort Busy;
    IMessageDialogPort* PreviousDialogs;
    IBusyWindowPort* PreviousBusy;
    std::function<void()> PreviousPump;
};

} // namespace tarvel
