#include "gui/FlatCustomButton.h"

#include <QMouseEvent>

namespace tarvel {

TFlatCustomButton::TFlatCustomButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    resize(115, 17);
}

void TFlatCustomButton::SetCaption(const QString& caption) {
    Text = caption;
    update();
}

void TFlatCustomButton::Click() {
    emit Clicked();
}

void TFlatCustomButton::SetPressed(bool pressed) {
    if (Pressed == pressed)
        return;
    Pressed = pressed;
    update();
}

void TFlatCustomButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    MouseInside = true;
    emit MouseEnter();
    MouseInsideChanged();
}

void TFlatCustomButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    MouseInside = false;
    emit MouseLeave();
    MouseInsideChanged();
}

void TFlatCustomButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    Tracking = true;
    SetPressed(true);
}

void TFlatCustomButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TFlatCustomButton::mouseMoveEvent(QMouseEvent* event) {
    if (Tracking)
        SetPressed(IsOver(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TFlatCustomButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Tracking) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    Tracking = false;
    Pressed = false;
    if (IsOver(event->position().toPoint()))
        Click();
    update();
}

bool TFlatCustomButton::IsOver(const QPoint& position) const {
    // The bottom row just below the control still counts, as it always has.
    return position.x() >= 0 && position.x() <= width() - 1 && position.y() >= 0 &&
           position.y() <= height();
}

} // namespace tarvel
