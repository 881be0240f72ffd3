#pragma once

#include "gui/FrmMessageMemo.h"

class QCheckBox;

namespace tarvel {

// The error dialog: message, a details pane toggled by "Детальніше" and a check box that ends
// the application when the dialog is closed with OK.
class TfrmErrorDlg : public TfrmMessageMemo {
    Q_OBJECT
public:
    TfrmErrorDlg(const QString& caption, const QString& message, const QString& details,
                 QWidget* parent = nullptr);

    QPushButton* btnDetail() const { return Detail; }
    QCheckBox* cbTerminate() const { return Terminate; }
    QPlainTextEdit* memErrorDetail() const { return ErrorDetail; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OkClick();

    QPushButton* Detail;
    QCheckBox* Terminate;
    QPlainTextEdit* ErrorDetail;
};

} // namespace tarvel
