#pragma once

#include "ui/ProgressControls.h"

#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>

class QAbstractButton;

namespace tarvel {

// The progress controller's controls over Qt widgets. A control whose widget is gone ignores
// every call (and measures 0).

class TQtProgressBar : public IProgressBar {
public:
    explicit TQtProgressBar(QProgressBar* bar) : Bar(bar) {}
    void SetMin(std::int32_t value) override;
    void SetMax(std::int32_t value) override;
    void SetPosition(std::int32_t value) override;
    int Width() const override;

private:
    QPointer<QProgressBar> Bar;
};

// Sizes the label to its text, as an auto-sized label does.
class TQtProgressLabel : public IProgressLabel {
public:
    explicit TQtProgressLabel(QLabel* label) : Label(label) {}
    void SetText(const std::string& text) override;
    int TextWidth(const std::string& text) const override;

private:
    QPointer<QLabel> Label;
};

// Routes the button's clicks to whichever handler is installed at the time.
class TQtCancelControl : public ICancelControl {
public:
    TQtCancelControl(QAbstractButton* button, TClickHandler handler);
    ~TQtCancelControl() override;
    TQtCancelControl(const TQtCancelControl&) = delete;
    TQtCancelControl& operator=(const TQtCancelControl&) = delete;
    TClickHandler ClickHandler() const override { return Handler; }
    void SetClickHandler(TClickHandler handler) override { Handler = std::move(handler); }

private:
    TClickHandler Handler;
    QMetaObject::Connection Connection;
};

} // namespace tarvel
