#pragma once

#include <QWidget>

namespace tarvel {

// A focusable, custom-drawn push button: it follows the mouse while the left button is held and
// clicks when the button is released over it.
class TFlatCustomButton : public QWidget {
    Q_OBJECT
public:
    explicit TFlatCustomButton(QWidget* parent = nullptr);

    QString Caption() const { return Text; }
    void SetCaption(const QString& caption);

    bool IsMouseInside() const { return MouseInside; }
    bool IsPressed() const { return Pressed; }

signals:
    void MouseEnter();
    void MouseLeave();
    void Clicked();

protected:
    // Runs the click; descendants add what a click does besides the Clicked signal.
    virtual void Click();
    virtual void MouseInsideChanged() {}
    void SetPressed(bool pressed);

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool IsOver(const QPoint& position) const;

    QString Text;
    bool MouseInside = false;
    bool Pressed = false;
    bool Tracking = false;
};

} // namespace tarvel
