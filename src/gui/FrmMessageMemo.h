#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tarvel {

// A caption and a long read-only text with one OK button; Enter and Escape close it.
class TfrmMessageMemo : public QDialog {
    Q_OBJECT
public:
    TfrmMessageMemo(const QString& caption, const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* memDetail() const { return Detail; }
    QWidget* pnlBottom() const { return Bottom; }
    QPushButton* btnOk() const { return Ok; }

private:
    QPlainTextEdit* Detail;
    QWidget* Bottom;
    QPushButton* Ok;
};

} // namespace tarvel
