#pragma once

#include "gui/QtProgressControls.h"
#include "ui/ProgressControls.h"

#include <QDialog>
#include <cstdint>
#include <exception>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvel {

class TCopyAnimation;

// Animation kinds of the progress window: none, or the copying animation.
constexpr int aviNone = 0;
constexpr int aviCopyFile = 5;

using TProgressWork = std::function<void(std::intptr_t)>;

// The progress window: two bars with their labels, a cancel button and the copying animation.
// Embedded as a borderless child of another window or shown on its own, where it runs a work
// procedure and closes itself. Creating one points the progress controller at its bars;
// destroying one releases the controller.
class TfrmProgress : public QDialog, public IProgressWindow {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* owner = nullptr);
    ~TfrmProgress() override;

    void SetShowCancel(bool show);
    void SetShowTotal(bool show);
    void SetAnimation(int kind);
    // Makes the window a borderless child filling the container.
    void Embed(QWidget* container);
    // The work the first showing runs; the window closes itself when it returns.
    void SetWork(TProgressWork work, std::intptr_t value);
    // Raises again what the work raised, once the window has closed.
    void RethrowWorkFailure();

    bool CancelPressed() const override { return Cancelled; }
    void Repaint() override;

    TCopyAnimation* Animate() const { return Animation; }
    QWidget* pnlGauges() const { return Gauges; }
    QLabel* lblDetail() const { return DetailLabel; }
    QLabel* lblTotal() const { return TotalLabel; }
    QProgressBar* prgbDetail() const { return DetailBar; }
    QProgressBar* prgbTotal() const { return TotalBar; }
    QPushButton* btnCancel() const { return Cancel; }

    // The controls as the progress controller takes them.
    IProgressBar* TotalBarControl() { return &TotalBarPort; }
    IProgressBar* DetailBarControl() { return &DetailBarPort; }
    IProgressLabel* TotalLabelControl() { return &TotalLabelPort; }
    IProgressLabel* DetailLabelControl() { return &DetailLabelPort; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape presses the cancel button while it is shown.
    void reject() override;

private:
    void RunWork();
    void btnCancelClick() { Cancelled = true; }

    TCopyAnimation* Animation;
    QWidget* Gauges;
    QLabel* DetailLabel;
    QProgressBar* DetailBar;
    QLabel* TotalLabel;
    QProgressBar* TotalBar;
    QPushButton* Cancel;
    TQtProgressBar TotalBarPort, DetailBarPort;
    TQtProgressLabel TotalLabelPort, DetailLabelPort;

    bool Cancelled = false;
    bool ShowTotal = true;
    bool ShowCancel = true;
    int AnimationKind = aviNone;
    TProgressWork Work;
    std::intptr_t WorkValue = 0;
    bool WorkStarted = false;
    bool WorkRunning = false;
    std::exception_ptr WorkFailure;
};

} // namespace tarvel
