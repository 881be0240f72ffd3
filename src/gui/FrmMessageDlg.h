#pragma once

#include "ui/MsgDlg.h"

#include <QDialog>
#include <vector>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace tarvel {

// The message dialog: icon, message and a row of buttons whose result the dialog returns.
class TfrmMessageDlg : public QDialog {
    Q_OBJECT
public:
    // The request's caption and text are shown as given (already resolved and normalised).
    explicit TfrmMessageDlg(const TMsgDialogRequest& request, QWidget* parent = nullptr);

    // Shows the dialog modally; the pressed button's result, 2 for the close box.
    std::uint16_t Execute();

    QLabel* imgMain() const { return Image; }
    QLabel* lblMessage() const { return Message; }
    const std::vector<QPushButton*>& Buttons() const { return ButtonWidgets; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void CreateButtons(int left, int top);
    // Escape, accelerators and the copy keys; true when the key is the dialog's.
    bool HandleKey(const QKeyEvent& key, bool perform);

    TMsgDialogRequest Request;
    QLabel* Image;
    QLabel* Message;
    std::vector<QPushButton*> ButtonWidgets;
};

} // namespace tarvel
