#include "ScriptedDialogs.h"
#include "ui/MsgDlgLogic.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(MsgDlgTest, NormalisesClosingPunctuation) {
    const struct {
        const char* In;
        const char* Shown;
    } cases[] = {
        {"Done!", "Done."},    {"Sure?!", "Sure?"}, {"Wait . . .", "Wait."}, {"", "."},
        {"Line\n", "Line\n."}, {"a?b", "a?b."},     {"Так ?  ", "Так?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseMessageText(c.In), c.Shown) << c.In;
}

TEST(MsgDlgTest, MsgDlgBuildsStandardButtonsAndCaption) {
    test::TScriptedDialogs dialogs;
    EXPECT_EQ(MsgDlg("Готово!", TMsgKind::mkInformation, MsgButtons({btOk})), mrOk);
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    const TMsgDialogRequest& shown = dialogs.Shown[0];
    EXPECT_EQ(shown.Caption, "Інформація");
    EXPECT_EQ(shown.Text, "Готово.");
    ASSERT_EQ(shown.Buttons.size(), 1u);
    EXPECT_EQ(shown.Buttons[0].Caption, "О&К");

    dialogs.Answer(mrYes);
    EXPECT_EQ(MsgDlg("Далі", TMsgKind::mkConfirmation, MsgButtons({btNo, btYes}), "Питання"),
              mrYes);
    EXPECT_EQ(dialogs.Shown[1].Caption, "Питання");
    ASSERT_EQ(dialogs.Shown[1].Buttons.size(), 2u);
    EXPECT_EQ(dialogs.Shown[1].Buttons[0].ModalResult, mrYes);
}

TEST(MsgDlgTest, EscapeAndAcceleratorsFollowTheButtonRoles) {
    const auto yesNo = StandardButtons(MsgButtons({btYes, btNo}));
    EXPECT_EQ(EscapeResult(TMsgKind::mkConfirmation, yesNo), mrNo);
    EXPECT_EQ(AcceleratorResult('S', yesNo), mrNo);
    EXPECT_EQ(AcceleratorResult('F', yesNo), mrYes);
    EXPECT_EQ(AcceleratorResult('Q', yesNo), std::nullopt);

    const auto abortRetryIgnore = StandardButtons(MsgButtons({btAbort, btRetry, btIgnore}));
    EXPECT_EQ(EscapeResult(TMsgKind::mkWarning, abortRetryIgnore), std::nullopt);
    EXPECT_EQ(EscapeResult(TMsgKind::mkCustom, abortRetryIgnore), mrCancel);

    EXPECT_EQ(EscapeResult(TMsgKind::mkInformation, StandardButtons(MsgButtons({btOk}))), mrOk);
    const auto okCancel = StandardButtons(MsgButtons({btOk, btCancel}));
    EXPECT_EQ(EscapeResult(TMsgKind::mkConfirmation, okCancel), mrCancel);
    const auto okClose = StandardButtons(MsgButtons({btOk, btClose}));
    EXPECT_EQ(AcceleratorResult('R', okClose), mrOk);
    EXPECT_EQ(EscapeResult(TMsgKind::mkInformation, okClose), mrNo);
    const auto okHelp = StandardButtons(MsgButtons({btOk, btHelp}));
    EXPECT_EQ(EscapeResult(TMsgKind::mkInformation, okHelp), std::nullopt);
    EXPECT_EQ(AcceleratorResult('U', okHelp), std::nullopt);
}

} // namespace
} // namespace tarvel
