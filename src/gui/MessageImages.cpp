#include "gui/MessageImages.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace tarvel {
namespace {

enum class TShape { Triangle, Circle };

QPixmap Draw(TShape shape, QColor fill, QColor ink, const QString& sign, bool cross = false) {
    QPixmap pixmap(kMessageImageSize, kMessageImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(160), 1.2));
    p.setBrush(fill);
    if (shape == TShape::Triangle) {
        QPainterPath path;
        path.moveTo(16, 2);
        path.lineTo(30.5, 29);
        path.lineTo(1.5, 29);
        path.closeSubpath();
        p.drawPath(path);
    } else {
        p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    }
    if (cross) {
        p.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
        p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
        return pixmap;
    }
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(shape == TShape::Triangle ? 19 : 22);
    p.setFont(font);
    p.setPen(ink);
    const QRect box = shape == TShape::Triangle ? QRect(0, 8, 32, 22) : QRect(0, 0, 32, 32);
    p.drawText(box, Qt::AlignCenter, sign);
    return pixmap;
}

} // namespace

const std::array<QPixmap, 4>& MessageImages() {
    static const std::array<QPixmap, 4> images = {
        Draw(TShape::Triangle, QColor(250, 200, 30), Qt::black, QStringLiteral("!")),
        Draw(TShape::Circle, QColor(210, 30, 30), Qt::white, QString(), true),
        Draw(TShape::Circle, QColor(40, 100, 210), Qt::white, QStringLiteral("i")),
        Draw(TShape::Circle, QColor(40, 100, 210), Qt::white, QStringLiteral("?")),
    };
    return images;
}

QPixmap MessageImage(TMsgKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < MessageImages().size() ? MessageImages()[index] : QPixmap();
}

} // namespace tarvel
