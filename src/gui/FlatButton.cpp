#include "gui/FlatButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

namespace tarvel {
namespace {

constexpr int kCaptionInset = 5;
constexpr int kFocusInset = 4;

bool IsPushButton(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const TFlatCustomButton*>(widget);
}

// Left and top edges in one colour, right and bottom edges in another.
void FrameRect(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    rect.adjust(1, 1, -1, -1);
}

QShortcut* WindowShortcut(QWidget* owner, const QKeySequence& keys) {
    auto* shortcut = new QShortcut(keys, owner);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setEnabled(false);
    return shortcut;
}

} // namespace

TFlatButton::TFlatButton(QWidget* parent)
    : TFlatCustomButton(parent), ReturnKey(WindowShortcut(this, QKeySequence(Qt::Key_Return))),
      EnterKey(WindowShortcut(this, QKeySequence(Qt::Key_Enter))),
      EscapeKey(WindowShortcut(this, QKeySequence(Qt::Key_Escape))),
      AcceleratorKey(WindowShortcut(this, QKeySequence())) {
    resize(75, 25);
    for (QShortcut* shortcut : {ReturnKey, EnterKey, EscapeKey, AcceleratorKey})
        connect(shortcut, &QShortcut::activated, this, [this] { ClickIfFocusable(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

void TFlatButton::SetAlignment(Qt::Alignment alignment) {
    HorizontalAlignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TFlatButton::SetCancel(bool cancel) {
    IsCancel = cancel;
    EscapeKey->setEnabled(cancel);
}

void TFlatButton::SetDefault(bool isDefault) {
    IsDefault = isDefault;
    FocusMoved(QApplication::focusWidget());
}

void TFlatButton::SetFlat(bool flat) {
    IsFlat = flat;
    update();
}

void TFlatButton::SetCaption(const QString& caption) {
    TFlatCustomButton::SetCaption(caption);
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    AcceleratorKey->setKey(mnemonic);
    AcceleratorKey->setEnabled(!mnemonic.isEmpty());
}

void TFlatButton::Click() {
    Clicking = true;
    struct TClearClicking {
        bool& Flag;
        ~TClearClicking() { Flag = false; }
    } clear{Clicking};
    repaint();
    TFlatCustomButton::Click();
    // The dialog closes once the click has run, as a modal result does.
    if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && Result != 0)
        dialog->done(Result);
}

void TFlatButton::MouseInsideChanged() {
    if (IsFlat)
        repaint();
}

void TFlatButton::FocusMoved(QWidget* now) {
    if (now == this)
        SetActiveDefault(true);
    else if (now && IsPushButton(now))
        SetActiveDefault(false);
    else
        SetActiveDefault(IsDefault);
}

void TFlatButton::SetActiveDefault(bool active) {
    ReturnKey->setEnabled(active);
    EnterKey->setEnabled(active);
    if (ActiveDefault == active)
        return;
    ActiveDefault = active;
    update();
}

bool TFlatButton::CanFocus() const {
    return isVisible() && isEnabled();
}

void TFlatButton::ClickIfFocusable() {
    if (CanFocus())
        Click();
}

QChar TFlatButton::AcceleratorChar() const {
    const QString caption = Caption();
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

void TFlatButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->modifiers().testFlag(Qt::AltModifier)) {
        if (!event->isAutoRepeat()) {
            SpacePressed = true;
            SetPressed(true);
        }
        return;
    }
    const QChar accelerator = AcceleratorChar();
    if (!accelerator.isNull() && event->text().size() == 1 &&
        event->text()[0].toUpper() == accelerator) {
        ClickIfFocusable();
        return;
    }
    TFlatCustomButton::keyPressEvent(event);
}

void TFlatButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        TFlatCustomButton::keyReleaseEvent(event);
        return;
    }
    SetPressed(false);
    if (SpacePressed) {
        SpacePressed = false;
        Click();
    }
    update();
}

void TFlatButton::focusInEvent(QFocusEvent* event) {
    TFlatCustomButton::focusInEvent(event);
    update();
}

void TFlatButton::focusOutEvent(QFocusEvent* event) {
    TFlatCustomButton::focusOutEvent(event);
    update();
}

void TFlatButton::changeEvent(QEvent* event) {
    TFlatCustomButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Solid strokes keep the embossed caption crisp in its two colours.
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font = this->font();
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QPalette& colours = palette();
    QRect rect = this->rect();
    painter.fillRect(rect, colours.color(QPalette::Button));

    const QColor highlight = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);
    if (((ActiveDefault || hasFocus()) && !IsPressed()) || Clicking)
        FrameRect(painter, rect, highlight, shadow);
    // A disabled button shows no reaction to the mouse.
    if (!IsFlat || (IsMouseInside() && isEnabled())) {
        if (IsPressed()) {
            const QColor text = colours.color(QPalette::ButtonText);
            FrameRect(painter, rect, text, text);
            FrameRect(painter, rect, shadow, shadow);
        } else {
            FrameRect(painter, rect, highlight, colours.color(QPalette::Shadow));
            FrameRect(painter, rect, colours.color(QPalette::Midlight), shadow);
        }
    } else {
        FrameRect(painter, rect, highlight, shadow);
    }

    QRect captionRect =
        this->rect().adjusted(kCaptionInset, kCaptionInset, -kCaptionInset, -kCaptionInset);
    if (IsPressed())
        captionRect.translate(1, 1);
    const int flags = static_cast<int>(HorizontalAlignment) | Qt::AlignVCenter | Qt::TextWordWrap |
                      Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(colours.color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(captionRect, flags, Caption());
    } else {
        painter.setPen(highlight);
        painter.drawText(captionRect.translated(1, 1), flags, Caption());
        painter.setPen(shadow);
        painter.drawText(captionRect, flags, Caption());
    }

    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            this->rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
}

} // namespace tarvel
