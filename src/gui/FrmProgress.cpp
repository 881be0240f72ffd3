#include "gui/FrmProgress.h"

#include "gui/CopyAnimation.h"
#include "gui/GuiSupport.h"
#include "ui/Progress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvel {
namespace {

constexpr int kAnimationHeight = 60;
constexpr int kWidthWithCancel = 410;
constexpr int kWidthWithoutCancel = 320;
constexpr int kHeightWithTotal = 190;
constexpr int kHeightWithoutTotal = 150;
constexpr int kFontPixelSize = 11;

const char* const kCancelCaption = "Прервать";
const char* const kEmptyLabel = "#";

QProgressBar* MakeBar(QWidget* parent, int top) {
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(5, top, 300, 19);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QLabel* MakeLabel(QWidget* parent, int top) {
    auto* label = new QLabel(QString::fromUtf8(kEmptyLabel), parent);
    label->setTextFormat(Qt::PlainText);
    label->move(5, top);
    label->adjustSize();
    return label;
}

} // namespace

TfrmProgress::TfrmProgress(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Animation(new TCopyAnimation(this)), Gauges(new QWidget(this)),
      DetailLabel(MakeLabel(Gauges, 0)), DetailBar(MakeBar(Gauges, 15)),
      TotalLabel(MakeLabel(Gauges, 40)), TotalBar(MakeBar(Gauges, 55)),
      Cancel(new QPushButton(QString::fromUtf8(kCancelCaption), Gauges)), TotalBarPort(TotalBar),
      DetailBarPort(DetailBar), TotalLabelPort(TotalLabel), DetailLabelPort(DetailLabel) {
    setFont(ClassicFont(kFontPixelSize));
    setModal(true);
    resize(kWidthWithCancel, kHeightWithTotal);
    Animation->setGeometry(0, 0, width(), kAnimationHeight);
    Animation->hide();
    Gauges->setGeometry(1, 72, 400, 74);
    Cancel->setGeometry(318, 13, 75, 24);
    Cancel->setDefault(true);
    connect(Cancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });

    Cancelled = false;
    SetShowCancel(true);
    AttachProgress(&TotalBarPort, &DetailBarPort, &TotalLabelPort, "", "", nullptr,
                   &DetailLabelPort);
}

TfrmProgress::~TfrmProgress() {
    if (CurrentProgressWindow() == this)
        SetCurrentProgressWindow(nullptr);
    ReleaseProgress();
}

void TfrmProgress::SetShowCancel(bool show) {
    ShowCancel = show;
    Cancel->setEnabled(show);
    Cancel->setVisible(show);
    resize(show ? kWidthWithCancel : kWidthWithoutCancel, height());
}

void TfrmProgress::SetShowTotal(bool show) {
    ShowTotal = show;
    TotalBar->setVisible(show);
    TotalLabel->setVisible(show);
    resize(width(), show ? kHeightWithTotal : kHeightWithoutTotal);
}

void TfrmProgress::SetAnimation(int kind) {
    AnimationKind = kind;
    Animation->setVisible(kind != aviNone);
    if (kind != aviNone)
        Animation->Start();
    else
        Animation->Stop();
}

void TfrmProgress::Embed(QWidget* container) {
    setParent(container, Qt::Widget);
    if (!container->layout()) {
        auto* layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    container->layout()->addWidget(this);
    show();
}

void TfrmProgress::SetWork(TProgressWork work, std::intptr_t value) {
    Work = std::move(work);
    WorkValue = value;
}

void TfrmProgress::RethrowWorkFailure() {
    if (std::exception_ptr failure = std::exchange(WorkFailure, nullptr))
        std::rethrow_exception(failure);
}

void TfrmProgress::Repaint() {
    repaint();
}

void TfrmProgress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (isWindow() && !WorkStarted)
        CentreOnScreen(this);
    if (Work && !WorkStarted) {
        WorkStarted = true;
        QTimer::singleShot(0, this, [this] { RunWork(); });
    }
}

void TfrmProgress::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Animation->setGeometry(0, 0, width(), kAnimationHeight);
}

void TfrmProgress::closeEvent(QCloseEvent* event) {
    // The work polls IsWindowCancelled; closing under it would pull the window away.
    if (WorkRunning) {
        event->ignore();
        return;
    }
    done(Rejected);
    event->accept();
}

void TfrmProgress::reject() {
    if (Cancel->isVisible() && Cancel->isEnabled())
        Cancel->click();
}

void TfrmProgress::RunWork() {
    WorkRunning = true;
    try {
        Work(WorkValue);
    } catch (...) {
        // Qt must not unwind through its event loop; RunProgressWindow raises it again.
        WorkFailure = std::current_exception();
    }
    WorkRunning = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

} // namespace tarvel
