#include "gui/ProgressWindow.h"

#include "gui/CopyAnimation.h"
#include "gui/GuiSupport.h"
#include "ui/MessagePump.h"
#include "ui/MsgDlg.h"
#include "ui/Progress.h"

#include <QLabel>
#include <QPushButton>

namespace tarvel {
namespace {

TfrmProgress* gWindow = nullptr;

void ReleaseMouseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

void Forget() {
    SetCurrentProgressWindow(nullptr);
    gWindow = nullptr;
}

} // namespace

bool OpenProgressWindow(const std::string& caption, const std::string& cancelCaption,
                        const std::string& detailText, const std::string& totalText, int animation,
                        bool showTotal, bool showCancel) {
    CloseProgressWindow();
    try {
        gWindow = new TfrmProgress();
        SetCurrentProgressWindow(gWindow);
        ReleaseMouseCapture();
        gWindow->setWindowTitle(ToQt(caption));
        gWindow->SetShowTotal(showTotal);
        gWindow->SetShowCancel(showCancel);
        gWindow->TotalLabelControl()->SetText(totalText);
        gWindow->DetailLabelControl()->SetText(detailText);
        gWindow->btnCancel()->setText(ToQt(cancelCaption));
        gWindow->SetAnimation(animation);
    } catch (const std::exception& error) {
        delete gWindow;
        Forget();
        MsgDlg(error.what(), TMsgKind::mkError, MsgButtons({btOk}));
        return false;
    }
    ProcessMessages();
    return true;
}

void RunProgressWindow(TProgressWork work, std::intptr_t value) {
    if (!gWindow)
        return;
    gWindow->SetWork(std::move(work), value);
    gWindow->exec();
    gWindow->RethrowWorkFailure();
}

bool CloseProgressWindow() {
    if (!gWindow)
        return false;
    TfrmProgress* window = gWindow;
    Forget();
    try {
        ReleaseMouseCapture();
        window->Animate()->Stop();
        delete window;
    } catch (...) {
        // Freeing failed; the caller learns it from the result.
        return false;
    }
    return true;
}

TfrmProgress* ProgressWindow() {
    return gWindow;
}

} // namespace tarvel
