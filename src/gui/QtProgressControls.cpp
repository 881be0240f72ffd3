#include "gui/QtProgressControls.h"

#include "gui/GuiSupport.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace tarvel {

void TQtProgressBar::SetMin(std::int32_t value) {
    if (Bar)
        Bar->setMinimum(value);
}

void TQtProgressBar::SetMax(std::int32_t value) {
    if (Bar)
        Bar->setMaximum(value);
}

void TQtProgressBar::SetPosition(std::int32_t value) {
    // Clamped as a native bar does; Qt would ignore a value outside the range.
    if (Bar)
        Bar->setValue(std::clamp(value, Bar->minimum(), std::max(Bar->minimum(), Bar->maximum())));
}

int TQtProgressBar::Width() const {
    return Bar ? Bar->width() : 0;
}

void TQtProgressLabel::SetText(const std::string& text) {
    if (!Label)
        return;
    Label->setText(ToQt(text));
    Label->adjustSize();
}

int TQtProgressLabel::TextWidth(const std::string& text) const {
    return Label ? QFontMetrics(Label->font()).horizontalAdvance(ToQt(text)) : 0;
}

TQtCancelControl::TQtCancelControl(QAbstractButton* button, TClickHandler handler)
    : Handler(std::move(handler)) {
    Connection = QObject::connect(button, &QAbstractButton::clicked, button, [this] {
        if (Handler)
            Handler();
    });
}

TQtCancelControl::~TQtCancelControl() {
    QObject::disconnect(Connection);
}

} // namespace tarvel
