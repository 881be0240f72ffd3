#include "gui/SpeedButtonEx.h"

#include <QPainter>

namespace tarvel {

TSpeedButtonEx::TSpeedButtonEx(QWidget* parent) : QToolButton(parent) {}

void TSpeedButtonEx::paintEvent(QPaintEvent* event) {
    if (Flat() && isEnabled()) {
        QPainter painter(this);
        const QRect r = rect();
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    QToolButton::paintEvent(event);
}

} // namespace tarvel
