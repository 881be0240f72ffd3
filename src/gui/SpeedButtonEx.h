#pragma once

#include <QToolButton>

namespace tarvel {

// A speed button that keeps a thin raised frame while flat, so it still reads as a button.
class TSpeedButtonEx : public QToolButton {
    Q_OBJECT
public:
    explicit TSpeedButtonEx(QWidget* parent = nullptr);

    bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarvel
