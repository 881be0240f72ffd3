#pragma once

#include <QTimer>
#include <QWidget>

namespace tarvel {

// The copying animation: a sheet flying from one folder to another, painted by Qt.
class TCopyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TCopyAnimation(QWidget* parent = nullptr);

    void Start();
    // Stops on the resting frame.
    void Stop();
    bool IsActive() const { return Timer.isActive(); }
    int Frame() const { return CurrentFrame; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawFolder(QPainter& painter, QPointF origin) const;

    QTimer Timer;
    int CurrentFrame;
};

} // namespace tarvel
