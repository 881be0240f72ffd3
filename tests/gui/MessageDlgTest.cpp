#include "gui/ButtonKeys.h"
#include "gui/FrmErrorDlg.h"
#include "gui/FrmMessageDlg.h"
#include "gui/QtDialogPort.h"
#include "ui/MsgDlgLogic.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace tarvel {
namespace {

TMsgDialogRequest Request(const std::string& message, TMsgKind kind, TMsgButtons buttons,
                          const std::string& caption = "") {
    return {kind, caption.empty() ? DefaultCaption(kind) : caption, NormaliseMessageText(message),
            StandardButtons(buttons)};
}

// A shown dialog; a key goes to the focused widget as a user's key would.
struct TShownDialog {
    explicit TShownDialog(const TMsgDialogRequest& request)
        : Dialog(std::make_unique<TfrmMessageDlg>(request)) {
        Dialog->show();
        Dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    }
    // The dialog's result after the key, or -1 while it stays open.
    int Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Dialog.get();
        QTest::keyClick(target, key, modifiers);
        return Dialog->isVisible() ? -1 : Dialog->result();
    }
    std::unique_ptr<TfrmMessageDlg> Dialog;
};

TEST(MessageDlgTest, KeysOfTheStandardButtonSets) {
    const struct {
        TMsgKind Kind;
        TMsgButtons Buttons;
        Qt::Key Key;
        int Result;
    } cases[] = {
        {TMsgKind::mkInformation, MsgButtons({btOk}), Qt::Key_Return, mrOk},
        {TMsgKind::mkInformation, MsgButtons({btOk}), Qt::Key_Escape, mrOk},
        {TMsgKind::mkInformation, MsgButtons({btOk}), Qt::Key_R, mrOk},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), Qt::Key_Escape, mrNo},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), Qt::Key_S, mrNo},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), Qt::Key_F, mrYes},
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), Qt::Key_Return, mrYes},
        {TMsgKind::mkConfirmation, MsgButtons({btOk, btCancel}), Qt::Key_Escape, mrCancel},
        {TMsgKind::mkWarning, MsgButtons({btAbort, btRetry, btIgnore}), Qt::Key_Escape, -1},
        {TMsgKind::mkWarning, MsgButtons({btAbort, btRetry, btIgnore}), Qt::Key_J, mrRetry},
        {TMsgKind::mkCustom, MsgButtons({btAbort, btRetry, btIgnore}), Qt::Key_Escape, mrCancel},
        {TMsgKind::mkInformation, MsgButtons({btOk, btClose}), Qt::Key_R, mrOk},
        {TMsgKind::mkInformation, MsgButtons({btOk, btHelp}), Qt::Key_U, -1},
        {TMsgKind::mkInformation, MsgButtons({btOk, btHelp}), Qt::Key_Q, -1},
    };
    for (const auto& c : cases) {
        TShownDialog shown(Request("Повідомлення", c.Kind, c.Buttons));
        EXPECT_EQ(shown.Press(c.Key), c.Result) << "kind " << static_cast<int>(c.Kind)
                                                << ", buttons " << c.Buttons << ", key " << c.Key;
    }
}

TEST(MessageDlgTest, CloseBoxReturnsCancelWhereEscapeDoesNothing) {
    TShownDialog shown(
        Request("Збій", TMsgKind::mkWarning, MsgButtons({btAbort, btRetry, btIgnore})));
    EXPECT_EQ(shown.Press(Qt::Key_Escape), -1);
    shown.Dialog->close();
    EXPECT_FALSE(shown.Dialog->isVisible());
    EXPECT_EQ(shown.Dialog->result(), mrCancel);
}

TEST(MessageDlgTest, InformationLayout) {
    TfrmMessageDlg dialog(Request("Готово!", TMsgKind::mkInformation, MsgButtons({btOk})));
    EXPECT_EQ(dialog.windowTitle(), QString("Інформація"));
    EXPECT_EQ(dialog.lblMessage()->text(), QString("Готово."));
    EXPECT_EQ(dialog.lblMessage()->pos(), QPoint(56, 16));
    EXPECT_EQ(dialog.imgMain()->geometry(), QRect(16, 16, 32, 32));
    EXPECT_FALSE(dialog.imgMain()->pixmap().isNull());
    EXPECT_EQ(dialog.height(), dialog.lblMessage()->height() + 78);
    ASSERT_EQ(dialog.Buttons().size(), 1u);
    EXPECT_EQ(dialog.Buttons()[0]->text(), QString("О&К"));
    EXPECT_EQ(dialog.width(), 32 + 38 + dialog.lblMessage()->width());
    EXPECT_EQ(dialog.Buttons()[0]->geometry(),
              QRect((dialog.width() - 83 + 8) / 2, dialog.height() - 36, 75, 25));
    EXPECT_LT(dialog.Buttons()[0]->font().pointSize(), 10);
}

TEST(MessageDlgTest, ButtonRowWidthAndCentring) {
    // A short message: the row decides the width and starts at 12.
    TfrmMessageDlg shortText(
        Request("Так?", TMsgKind::mkConfirmation, MsgButtons({btYes, btNo, btCancel})));
    EXPECT_EQ(shortText.width(), 83 * 3 + 16);
    ASSERT_EQ(shortText.Buttons().size(), 3u);
    EXPECT_EQ(shortText.Buttons()[0]->x(), 12);
    EXPECT_EQ(shortText.Buttons()[1]->x(), 12 + 83);
    EXPECT_EQ(shortText.Buttons()[2]->x(), 12 + 2 * 83);

    const std::string longText(120, 'W');
    TfrmMessageDlg wide(Request(longText, TMsgKind::mkWarning, MsgButtons({btYes, btNo})));
    const int textWidth = 32 + 38 + wide.lblMessage()->width();
    EXPECT_EQ(wide.width(), textWidth);
    EXPECT_EQ(wide.Buttons()[0]->x(), (textWidth - 83 * 2 + 8) / 2);
    EXPECT_EQ(wide.Buttons()[1]->x(), wide.Buttons()[0]->x() + 83);

    TfrmMessageDlg twoLines(Request("Рядок\nРядок", TMsgKind::mkWarning, MsgButtons({btOk})));
    EXPECT_GT(twoLines.lblMessage()->height(), shortText.lblMessage()->height());
    EXPECT_EQ(twoLines.height(), twoLines.lblMessage()->height() + 78);
}

TEST(MessageDlgTest, CustomKindHasTitleNoIconAndTextAt12) {
    SetApplicationTitle("Tarvel тест");
    TfrmMessageDlg dialog(Request("Текст", TMsgKind::mkCustom, MsgButtons({btOk})));
    EXPECT_EQ(dialog.windowTitle(), QString("Tarvel тест"));
    EXPECT_TRUE(dialog.imgMain()->isHidden());
    EXPECT_EQ(dialog.lblMessage()->x(), 12);
}

TEST(MessageDlgTest, CopyKeysPutTheShownTextOnTheClipboard) {
    const Qt::Key keys[] = {Qt::Key_C, Qt::Key_Insert};
    for (Qt::Key key : keys) {
        QGuiApplication::clipboard()->clear();
        TShownDialog shown(
            Request("Скопіюй мене!", TMsgKind::mkInformation, MsgButtons({btOk, btAll})));
        EXPECT_EQ(shown.Press(key, Qt::ControlModifier), -1);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("Скопіюй мене."));
    }
    TShownDialog shown(Request("Ні", TMsgKind::mkInformation, MsgButtons({btOk, btAll})));
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(shown.Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier), -1);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(shown.Press(Qt::Key_C), mrAll);
}

TEST(MessageDlgTest, KeysAreKnownByTheirPhysicalPlace) {
    // "а" of "Т&ак" sits on the F key, hardware code 41; "і" of "Н&і" on S, 39.
    const struct {
        int Key;
        quint32 Scan;
        bool Hardware;
        std::uint16_t Code;
    } cases[] = {
        {Qt::Key_F, 0, false, 'F'},    {0x0410, 41, true, 'F'},        {0x0410, 41, false, 0},
        {0x0406, 39, true, 'S'},       {Qt::Key_R, 41, true, 'R'},     {Qt::Key_7, 0, false, '7'},
        {Qt::Key_Escape, 9, true, 27}, {Qt::Key_Insert, 0, false, 45}, {0x0436, 200, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKey(c.Key, c.Scan, c.Hardware), c.Code) << c.Key << " " << c.Scan;
}

TEST(MessageDlgTest, PortShowsTheDialogModally) {
    TQtDialogPort port;
    IMessageDialogPort* previous = SetMessageDialogPort(&port);
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_S);
    });
    EXPECT_EQ(MsgDlg("Продовжити?", TMsgKind::mkConfirmation, MsgButtons({btYes, btNo})), mrNo);
    SetMessageDialogPort(previous);
}

TEST(ErrorDlgTest, DetailsPaneAndTerminateBox) {
    TfrmErrorDlg empty("Помилка", "Текст", "");
    EXPECT_FALSE(empty.btnDetail()->isEnabled());
    EXPECT_EQ(empty.btnDetail()->text(), QString("Детальніше"));
    EXPECT_EQ(empty.cbTerminate()->text(), QString("Припинити роботу"));

    TfrmErrorDlg dialog("Збереження", "Не вдалося зберегти", "рядок 1\nрядок 2");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QString("Збереження"));
    EXPECT_TRUE(dialog.btnDetail()->isEnabled());
    EXPECT_FALSE(dialog.memErrorDetail()->isVisible());
    QTest::mouseClick(dialog.btnDetail(), Qt::LeftButton);
    EXPECT_TRUE(dialog.memErrorDetail()->isVisible());
    EXPECT_EQ(dialog.memErrorDetail()->toPlainText(), QString("рядок 1\nрядок 2"));
    QTest::mouseClick(dialog.btnDetail(), Qt::LeftButton);
    EXPECT_FALSE(dialog.memErrorDetail()->isVisible());

    dialog.memDetail()->setFocus();
    QTest::keyClick(dialog.memDetail(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dialog.memDetail()->textCursor().selectedText(), QString("Не вдалося зберегти"));
    QTest::keyClick(dialog.memDetail(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());

    QTest::mouseClick(dialog.btnOk(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ErrorDlgTest, OkWithTerminateCheckedEndsTheApplication) {
    TfrmErrorDlg dialog("Помилка", "Текст", "");
    bool loopEnded = false;
    // The dialog runs inside the application's loop; OK ends both.
    QTimer::singleShot(0, [&] {
        dialog.exec();
        loopEnded = true;
    });
    QTimer::singleShot(0, [&] {
        dialog.cbTerminate()->setChecked(true);
        QTest::mouseClick(dialog.btnOk(), Qt::LeftButton);
    });
    const int code = QApplication::exec();
    EXPECT_TRUE(loopEnded);
    EXPECT_EQ(code, 0);
}

} // namespace
} // namespace tarvel
