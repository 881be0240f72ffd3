#include "gui/FrmAnyForm.h"

#include "gui/GuiSupport.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWindowStateChangeEvent>

namespace tarvel {
namespace {

constexpr int kWidth = 632;
constexpr int kHeight = 472;
constexpr int kFontPixelSize = 11;
constexpr int kCancelResult = 2;

} // namespace

TfrmAnyForm::TfrmAnyForm(QWidget* parent) : QDialog(parent) {
    setFont(ClassicFont(kFontPixelSize));
    setBackgroundRole(QPalette::Button);
    resize(kWidth, kHeight);
}

int TfrmAnyForm::ShowModal() {
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    ShownModally = true;
    const int result = exec();
    ShownModally = false;
    return result;
}

void TfrmAnyForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Placed && isWindow())
        CentreOnScreen(this);
    Placed = true;
}

void TfrmAnyForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (CancelButton && CancelButton->isVisible() && CancelButton->isEnabled())
            CancelButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmAnyForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const bool minimizing =
        windowState().testFlag(Qt::WindowMinimized) && !before.testFlag(Qt::WindowMinimized);
    // A window in the background that is not modal does not go to the task bar on its own.
    if (minimizing && !ShownModally && !isActiveWindow())
        setWindowState(before);
}

void TfrmAnyForm::reject() {
    done(kCancelResult);
}

} // namespace tarvel
