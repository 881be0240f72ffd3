#include "gui/FrmMessageMemo.h"

#include "gui/GuiSupport.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvel {
namespace {

constexpr int kWidth = 483;
constexpr int kHeight = 398;
constexpr int kPanelHeight = 41;
constexpr int kButtonMargin = 8;

const char* const kOkCaption = "Ok";

} // namespace

TfrmMessageMemo::TfrmMessageMemo(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent), Detail(new QPlainTextEdit(this)), Bottom(new QWidget(this)),
      Ok(new QPushButton(QString::fromUtf8(kOkCaption), Bottom)) {
    setWindowTitle(caption);
    setFont(ClassicFont(11));
    resize(kWidth, kHeight);

    Detail->setReadOnly(true);
    Detail->setPlainText(text);
    Detail->setFocusPolicy(Qt::ClickFocus);
    Detail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Detail->setFrameShadow(QFrame::Sunken);
    QPalette palette = Detail->palette();
    palette.setColor(QPalette::Base, Qt::white);
    Detail->setPalette(palette);

    Bottom->setFixedHeight(kPanelHeight);
    Ok->setFixedSize(75, 25);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout(Bottom);
    row->setContentsMargins(kButtonMargin, kButtonMargin, kButtonMargin, kButtonMargin);
    row->addStretch();
    row->addWidget(Ok);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Detail, 1);
    column->addWidget(Bottom);
    CentreOnScreen(this);
    Ok->setFocus();
}

} // namespace tarvel
