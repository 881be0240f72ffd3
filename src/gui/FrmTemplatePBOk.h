#pragma once

#include "gui/FrmAnyForm.h"

#include <cstdint>

class QPushButton;

namespace tarvel {

// A window with a footer of standard buttons at its bottom.
class TfrmTemplatePBOk : public TfrmAnyForm {
    Q_OBJECT
public:
    // The mode that hides and disables the footer.
    static constexpr std::uint8_t fmNoFooter = 11;

    explicit TfrmTemplatePBOk(QWidget* parent = nullptr);

    // The footer is visible and enabled exactly when the mode is not fmNoFooter.
    void SetFooterMode(std::uint8_t mode);
    std::uint8_t FooterMode() const { return Mode; }

    QWidget* pnlFooter() const { return Footer; }
    QPushButton* bbtnSelectZero() const { return SelectZero; }
    QPushButton* bbtnSave() const { return Save; }
    QPushButton* bbtnCancel() const { return CancelButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* AddButton(const char* caption, int result);
    void PlaceFooter();

    QWidget* Footer;
    QPushButton* SelectZero;
    QPushButton* Save;
    QPushButton* CancelButton;
    std::uint8_t Mode = 0;
};

} // namespace tarvel
