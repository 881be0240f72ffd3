#include "ui/ProgressHelper.h"

#include "ui/MessagePump.h"

#include <utility>

namespace tarvel {
namespace {

IBusyWindowPort* gPort = nullptr;

} // namespace

IBusyWindowPort* SetBusyWindowPort(IBusyWindowPort* port) {
    return std::exchange(gPort, port);
}

void TProgressHelper::Show(const std::string& caption) {
    Hide();
    if (!gPort)
        return;
    gPort->ShowBusyWindow(caption);
    // Painted now: the caller goes on with long work before the next event loop.
    ProcessMessages();
}

void TProgressHelper::SetCaption(const std::string& caption) {
    if (gPort)
        gPort->SetBusyCaption(caption);
}

void TProgressHelper::Hide() {
    if (gPort)
        gPort->HideBusyWindow();
}

} // namespace tarvel
