#include "gui/FrmErrorDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvel {
namespace {

constexpr int kMessageHeight = 206;
constexpr int kDetailsHeight = 124;
constexpr int kDetailLeft = 307;
constexpr int kTerminateLeft = 14;
constexpr int kPanelTop = 8;

const char* const kDetailCaption = "Детальніше";
const char* const kTerminateCaption = "Припинити роботу";

} // namespace

TfrmErrorDlg::TfrmErrorDlg(const QString& caption, const QString& message, const QString& details,
                           QWidget* parent)
    : TfrmMessageMemo(caption, message, parent),
      Detail(new QPushButton(QString::fromUtf8(kDetailCaption), pnlBottom())),
      Terminate(new QCheckBox(QString::fromUtf8(kTerminateCaption), pnlBottom())),
      ErrorDetail(new QPlainTextEdit(this)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    memDetail()->setMinimumHeight(kMessageHeight);
    memDetail()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    btnOk()->setDefault(false);
    btnOk()->setAutoDefault(false);
    disconnect(btnOk(), &QPushButton::clicked, this, &QDialog::accept);
    connect(btnOk(), &QPushButton::clicked, this, &TfrmErrorDlg::OkClick);

    Detail->setGeometry(kDetailLeft, kPanelTop, 75, 25);
    Detail->setAutoDefault(false);
    Detail->setEnabled(!details.isEmpty());
    connect(Detail, &QPushButton::clicked, this,
            [this] { ErrorDetail->setVisible(!ErrorDetail->isVisible()); });
    Terminate->move(kTerminateLeft, kPanelTop + 4);
    Terminate->adjustSize();

    ErrorDetail->setReadOnly(true);
    ErrorDetail->setLineWrapMode(QPlainTextEdit::NoWrap);
    ErrorDetail->setPlainText(details);
    ErrorDetail->setFixedHeight(kDetailsHeight);
    ErrorDetail->setBackgroundRole(QPalette::Button);
    QPalette palette = ErrorDetail->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    ErrorDetail->setPalette(palette);
    ErrorDetail->hide();
    layout()->addWidget(ErrorDetail);
}

void TfrmErrorDlg::keyPressEvent(QKeyEvent* event) {
    // OK is neither default nor cancel here: Enter and Escape leave the dialog open.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    TfrmMessageMemo::keyPressEvent(event);
}

void TfrmErrorDlg::OkClick() {
    if (Terminate->isChecked())
        QCoreApplication::exit(0);
    accept();
}

} // namespace tarvel
