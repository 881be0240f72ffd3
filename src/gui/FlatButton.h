#pragma once

#include "gui/FlatCustomButton.h"

class QShortcut;

namespace tarvel {

// A push button drawn from the system palette: Space, Enter while it is the active default,
// Escape when it is the cancel button and its accelerator press it; a click stores its modal
// result into its dialog.
class TFlatButton : public TFlatCustomButton {
    Q_OBJECT
public:
    explicit TFlatButton(QWidget* parent = nullptr);

    Qt::Alignment Alignment() const { return HorizontalAlignment; }
    void SetAlignment(Qt::Alignment alignment);
    bool Cancel() const { return IsCancel; }
    void SetCancel(bool cancel);
    bool Default() const { return IsDefault; }
    // The window re-evaluates which button answers Enter at once.
    void SetDefault(bool isDefault);
    bool Flat() const { return IsFlat; }
    void SetFlat(bool flat);
    int ModalResult() const { return Result; }
    void SetModalResult(int result) { Result = result; }
    void SetCaption(const QString& caption);

    // Whether Enter presses this button now.
    bool IsActiveDefault() const { return ActiveDefault; }

protected:
    void Click() override;
    void MouseInsideChanged() override;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FocusMoved(QWidget* now);
    void SetActiveDefault(bool active);
    bool CanFocus() const;
    void ClickIfFocusable();
    QChar AcceleratorChar() const;

    Qt::Alignment HorizontalAlignment = Qt::AlignHCenter;
    bool IsCancel = false;
    bool IsDefault = false;
    bool IsFlat = false;
    int Result = 0;
    bool ActiveDefault = false;
    bool SpacePressed = false;
    bool Clicking = false;
    QShortcut* ReturnKey;
    QShortcut* EnterKey;
    QShortcut* EscapeKey;
    QShortcut* AcceleratorKey;
};

} // namespace tarvel
