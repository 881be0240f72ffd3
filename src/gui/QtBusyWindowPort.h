#pragma once

#include "ui/ProgressHelper.h"

#include <memory>

class QWidget;

namespace tarvel {

// The busy window as a Qt window: on top, a tool window without border icons, centred, refusing
// the user's close request, playing the copying animation.
class TQtBusyWindowPort : public IBusyWindowPort {
public:
    TQtBusyWindowPort();
    ~TQtBusyWindowPort() override;
    void ShowBusyWindow(const std::string& caption) override;
    void SetBusyCaption(const std::string& caption) override;
    void HideBusyWindow() override;

    // The window shown now, if any.
    QWidget* Window() const;

private:
    std::unique_ptr<QWidget> Busy;
};

} // namespace tarvel
