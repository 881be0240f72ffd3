#pragma once

#include <QDialog>
#include <QPointer>

class QAbstractButton;

namespace tarvel {

// The base of the application's windows: size, font, centred at first display, modal display
// without minimize and maximize buttons, Escape only through a cancel button.
class TfrmAnyForm : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnyForm(QWidget* parent = nullptr);

    // Shows the window modally and returns its result (2 when closed by the close box).
    int ShowModal();
    bool IsShownModally() const { return ShownModally; }

    // The button Escape presses while it is visible and enabled.
    void SetCancelButton(QAbstractButton* button) { CancelButton = button; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    QPointer<QAbstractButton> CancelButton;
    bool Placed = false;
    bool ShownModally = false;
};

} // namespace tarvel
