#include "gui/QtBusyWindowPort.h"

#include "gui/CopyAnimation.h"
#include "gui/GuiSupport.h"

#include <QCloseEvent>
#include <QWidget>

namespace tarvel {
namespace {

constexpr int kExtraHeight = 30;

class TBusyWindow : public QWidget {
public:
    explicit TBusyWindow(const QString& caption)
        : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint) {
        setWindowTitle(caption);
        auto* animation = new TCopyAnimation(this);
        const QSize size = animation->sizeHint();
        animation->setGeometry(0, 0, size.width(), size.height());
        animation->Start();
        setFixedSize(size.width(), size.height() + kExtraHeight);
        CentreOnScreen(this);
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

TQtBusyWindowPort::TQtBusyWindowPort() = default;

TQtBusyWindowPort::~TQtBusyWindowPort() = default;

void TQtBusyWindowPort::ShowBusyWindow(const std::string& caption) {
    Busy = std::make_unique<TBusyWindow>(ToQt(caption));
    Busy->show();
}

void TQtBusyWindowPort::SetBusyCaption(const std::string& caption) {
    if (Busy)
        Busy->setWindowTitle(ToQt(caption));
}

void TQtBusyWindowPort::HideBusyWindow() {
    Busy.reset();
}

QWidget* TQtBusyWindowPort::Window() const {
    return Busy.get();
}

} // namespace tarvel
