#include "gui/FrmTemplatePBOk.h"

#include <QPushButton>

namespace tarvel {
namespace {

constexpr int kFooterHeight = 41;
constexpr int kButtonTop = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// Left edges at the design width; the buttons keep their distance from the right edge.
constexpr int kDesignWidth = 632;
constexpr int kSelectZeroLeft = 373, kSaveLeft = 456, kCancelLeft = 539;

const char* const kSelectZeroCaption = "Пусте";
const char* const kSaveCaption = "Сохранить";
const char* const kCancelCaption = "Отменить";

} // namespace

TfrmTemplatePBOk::TfrmTemplatePBOk(QWidget* parent)
    : TfrmAnyForm(parent), Footer(new QWidget(this)), SelectZero(AddButton(kSelectZeroCaption, 1)),
      Save(AddButton(kSaveCaption, 1)), CancelButton(AddButton(kCancelCaption, 2)) {
    SetCancelButton(CancelButton);
    PlaceFooter();
}

QPushButton* TfrmTemplatePBOk::AddButton(const char* caption, int result) {
    auto* button = new QPushButton(QString::fromUtf8(caption), Footer);
    button->resize(kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

void TfrmTemplatePBOk::SetFooterMode(std::uint8_t mode) {
    Mode = mode;
    Footer->setVisible(mode != fmNoFooter);
    Footer->setEnabled(mode != fmNoFooter);
}

void TfrmTemplatePBOk::resizeEvent(QResizeEvent* event) {
    TfrmAnyForm::resizeEvent(event);
    PlaceFooter();
}

void TfrmTemplatePBOk::PlaceFooter() {
    Footer->setGeometry(0, height() - kFooterHeight, width(), kFooterHeight);
    const int shift = width() - kDesignWidth;
    SelectZero->move(kSelectZeroLeft + shift, kButtonTop);
    Save->move(kSaveLeft + shift, kButtonTop);
    CancelButton->move(kCancelLeft + shift, kButtonTop);
}

} // namespace tarvel
