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

TMsgBtnInfoArray WithResults(std::initializer_list<std::int32_t> results) {
    TMsgBtnInfoArray buttons;
    for (std::int32_t result : results)
        buttons.push_back({0, "&X", 'X', result});
    return buttons;
}

TEST(MsgDlgTest, EscapePressesTheCancelRoleButton) {
    const std::optional<std::uint16_t> none;
    const struct {
        TMsgKind Kind;
        TMsgButtons Buttons;
        std::optional<std::uint16_t> Result;
    } cases[] = {
        {TMsgKind::mkInformation, MsgButtons({btOk}), mrOk},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), mrNo},
        {TMsgKind::mkConfirmation, MsgButtons({btOk, btCancel}), mrCancel},
        {TMsgKind::mkWarning, MsgButtons({btAbort, btRetry, btIgnore}), none},
        {TMsgKind::mkCustom, MsgButtons({btAbort, btRetry, btIgnore}), mrCancel},
        {TMsgKind::mkInformation, MsgButtons({btOk, btClose}), mrNo},
        {TMsgKind::mkInformation, MsgButtons({btOk, btHelp}), none},
        {TMsgKind::mkCustom, MsgButtons({btOk, btHelp}), mrCancel},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNoToAll}), none},
        {TMsgKind::mkError, MsgButtons({btDetails}), mrOk},
        {TMsgKind::mkError, MsgButtons({btHelp}), mrCancel},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeResult(c.Kind, StandardButtons(c.Buttons)), c.Result) << c.Buttons;

    const struct {
        TMsgBtnInfoArray Buttons;
        std::optional<std::size_t> Index;
    } roles[] = {
        {WithResults({7, 7}), 1},    {WithResults({2, 2}), 0},  {WithResults({7, 2}), 1},
        {WithResults({1}), 0},       {WithResults({1, 5}), {}}, {WithResults({5, 1}), {}},
        {WithResults({91, 92}), {}}, {WithResults({}), {}},     {WithResults({1, 7}), 1},
    };
    for (std::size_t i = 0; i < std::size(roles); ++i)
        EXPECT_EQ(CancelButtonIndex(roles[i].Buttons), roles[i].Index) << i;
}

TEST(MsgDlgTest, KeysPressButtonsOrCopyTheText) {
    const TShiftState plain, ctrl{false, true, false}, alt{false, false, true},
        ctrlShift{true, true, false};
    const TMsgKeyAction nothing;
    const auto close = [](std::uint16_t result) {
        return TMsgKeyAction{TMsgKeyAction::kaClose, result};
    };
    const TMsgKeyAction copy{TMsgKeyAction::kaCopy, mrNone};
    TMsgBtnInfoArray closeThenOk = {StandardButton(btClose), StandardButton(btOk)};
    const struct {
        TMsgBtnInfoArray Buttons;
        std::uint16_t Key;
        TShiftState Shift;
        TMsgKeyAction Action;
    } cases[] = {
        {StandardButtons(MsgButtons({btOk})), 'R', plain, close(mrOk)},
        {StandardButtons(MsgButtons({btOk})), vkEscape, plain, close(mrOk)},
        {StandardButtons(MsgButtons({btYes, btNo})), 'S', plain, close(mrNo)},
        {StandardButtons(MsgButtons({btYes, btNo})), 'F', plain, close(mrYes)},
        {StandardButtons(MsgButtons({btYes, btNo})), 'F', alt, close(mrYes)},
        {StandardButtons(MsgButtons({btYes, btNo})), 'F', ctrl, nothing},
        {StandardButtons(MsgButtons({btYes, btNo})), 'Q', plain, nothing},
        {StandardButtons(MsgButtons({btOk, btClose})), 'R', plain, close(mrOk)},
        {closeThenOk, 'R', plain, close(mrNo)},
        {StandardButtons(MsgButtons({btOk, btHelp})), 'U', plain, nothing},
        {StandardButtons(MsgButtons({btAbort, btRetry, btIgnore})), vkEscape, plain, nothing},
        {StandardButtons(MsgButtons({btAll, btOk})), 'C', plain, close(mrAll)},
        {StandardButtons(MsgButtons({btAll, btOk})), 'C', ctrl, copy},
        {StandardButtons(MsgButtons({btAll, btOk})), vkInsert, ctrl, copy},
        {StandardButtons(MsgButtons({btAll, btOk})), 'C', ctrlShift, nothing},
        {StandardButtons(MsgButtons({btAll, btOk})), vkInsert, plain, nothing},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const TMsgKeyAction action =
            MsgDlgKeyAction(c.Key, c.Shift, TMsgKind::mkWarning, c.Buttons);
        EXPECT_EQ(action.Kind, c.Action.Kind) << i;
        EXPECT_EQ(action.Result, c.Action.Result) << i;
    }
}

TEST(MsgDlgTest, LayoutCentresTheButtonsUnderWideText) {
    const struct {
        TMsgKind Kind;
        int LabelWidth, Buttons;
        int ClientWidth, FirstButtonLeft, MessageLeft;
    } cases[] = {
        {TMsgKind::mkInformation, 100, 1, 170, 47, 56},
        {TMsgKind::mkInformation, 20, 3, 265, 12, 56},
        {TMsgKind::mkInformation, 112, 2, 182, 12, 56},
        {TMsgKind::mkInformation, 113, 2, 183, 12, 56},
        {TMsgKind::mkCustom, 100, 1, 138, 31, 12},
        {TMsgKind::mkCustom, 10, 2, 182, 12, 12},
    };
    for (const auto& c : cases) {
        const TMsgDlgLayout layout = MsgDlgLayout(c.Kind, c.LabelWidth, 13, c.Buttons);
        EXPECT_EQ(layout.ClientWidth, c.ClientWidth) << c.LabelWidth;
        EXPECT_EQ(layout.FirstButtonLeft, c.FirstButtonLeft) << c.LabelWidth;
        EXPECT_EQ(layout.MessageLeft, c.MessageLeft) << c.LabelWidth;
        EXPECT_EQ(layout.ClientHeight, 91);
        EXPECT_EQ(layout.ButtonTop, 55);
    }
}

} // namespace
} // namespace tarvel
