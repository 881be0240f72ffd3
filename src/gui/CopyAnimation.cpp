#include "gui/CopyAnimation.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvel {
namespace {

constexpr int kFrames = 32;
constexpr int kRestingFrame = 26;
constexpr int kFrameMs = 60;
constexpr int kWidth = 272;
constexpr int kHeight = 60;
constexpr qreal kFolderWidth = 44;

} // namespace

TCopyAnimation::TCopyAnimation(QWidget* parent) : QWidget(parent), CurrentFrame(kRestingFrame) {
    Timer.setInterval(kFrameMs);
    connect(&Timer, &QTimer::timeout, this, [this] {
        CurrentFrame = (CurrentFrame + 1) % kFrames;
        update();
    });
}

void TCopyAnimation::Start() {
    Timer.start();
}

void TCopyAnimation::Stop() {
    Timer.stop();
    CurrentFrame = kRestingFrame;
    update();
}

QSize TCopyAnimation::sizeHint() const {
    return {kWidth, kHeight};
}

void TCopyAnimation::DrawFolder(QPainter& painter, QPointF origin) const {
    const QColor body(236, 196, 82);
    painter.setPen(QPen(body.darker(150), 1));
    painter.setBrush(body.darker(110));
    painter.drawRect(QRectF(origin + QPointF(0, -4), QSizeF(16, 6)));
    painter.setBrush(body);
    painter.drawRect(QRectF(origin, QSizeF(kFolderWidth, 28)));
}

void TCopyAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The scene keeps its size and stays centred however wide the control is.
    const qreal left = (width() - kWidth) / 2.0;
    const qreal top = (height() - kHeight) / 2.0;
    const QPointF from(left + 30, top + 24);
    const QPointF to(left + kWidth - 30 - kFolderWidth, top + 24);
    DrawFolder(painter, from);
    DrawFolder(painter, to);

    // The sheet rises out of the first folder along an arc and drops into the second.
    const qreal t = static_cast<qreal>(CurrentFrame) / (kFrames - 1);
    const qreal startX = from.x() + 12, endX = to.x() + 12;
    const qreal x = startX + (endX - startX) * t;
    const qreal y = top + 20 - 18 * 4 * t * (1 - t);
    painter.save();
    painter.translate(x + 10, y + 7);
    painter.rotate(-20 + 40 * t);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(-10, -7, 20, 14));
    painter.setPen(QPen(QColor(60, 90, 180), 1));
    for (int line = 0; line < 3; ++line)
        painter.drawLine(QPointF(-7, -3 + 3 * line), QPointF(7, -3 + 3 * line));
    painter.restore();
}

} // namespace tarvel
