#include "gui/FlatButton.h"
#include "gui/FrmTemplatePBOk.h"
#include "gui/SpeedButtonEx.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButtons held) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A shown window holding two flat buttons.
struct TButtonsWindow {
    TButtonsWindow() : First(new TFlatButton(&Window)), Second(new TFlatButton(&Window)) {
        First->SetCaption("&Перша");
        Second->SetCaption("&Друга");
        First->move(10, 10);
        Second->move(100, 10);
        Window.resize(200, 60);
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    }
    TfrmAnyForm Window;
    TFlatButton* First;
    TFlatButton* Second;
};

TEST(FlatButtonTest, ReleaseOutsideDoesNotClickComingBackDoes) {
    TButtonsWindow shown;
    TFlatButton* button = shown.First;
    QSignalSpy clicks(button, &TFlatButton::Clicked);
    const QPoint inside(5, 5), outside(button->width() + 20, 5);

    SendMouse(button, QEvent::MouseButtonPress, inside, Qt::LeftButton);
    EXPECT_TRUE(button->IsPressed());
    EXPECT_TRUE(button->hasFocus());
    SendMouse(button, QEvent::MouseMove, outside, Qt::LeftButton);
    EXPECT_FALSE(button->IsPressed());
    SendMouse(button, QEvent::MouseButtonRelease, outside, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 0);

    SendMouse(button, QEvent::MouseButtonPress, inside, Qt::LeftButton);
    SendMouse(button, QEvent::MouseMove, outside, Qt::LeftButton);
    SendMouse(button, QEvent::MouseMove, inside, Qt::LeftButton);
    EXPECT_TRUE(button->IsPressed());
    SendMouse(button, QEvent::MouseButtonRelease, inside, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->IsPressed());
}

TEST(FlatButtonTest, SpaceClicksOnceOnRelease) {
    TButtonsWindow shown;
    QSignalSpy clicks(shown.First, &TFlatButton::Clicked);
    shown.First->setFocus();
    QTest::keyPress(shown.First, Qt::Key_Space);
    EXPECT_TRUE(shown.First->IsPressed());
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyPress(shown.First, Qt::Key_Space, Qt::NoModifier, -1);
    QTest::keyRelease(shown.First, Qt::Key_Space);
    EXPECT_FALSE(shown.First->IsPressed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FlatButtonTest, TabMovesTheDefaultFrameAndEnterFollowsIt) {
    TButtonsWindow shown;
    shown.Second->SetDefault(true);
    shown.First->setFocus();
    EXPECT_TRUE(shown.First->IsActiveDefault());
    EXPECT_FALSE(shown.Second->IsActiveDefault());
    QTest::keyClick(shown.First, Qt::Key_Tab);
    ASSERT_TRUE(shown.Second->hasFocus());
    EXPECT_TRUE(shown.Second->IsActiveDefault());
    EXPECT_FALSE(shown.First->IsActiveDefault());

    QSignalSpy secondClicks(shown.Second, &TFlatButton::Clicked);
    QTest::keyClick(shown.Second, Qt::Key_Return);
    EXPECT_EQ(secondClicks.count(), 1);
}

TEST(FlatButtonTest, EscapeAcceleratorAndModalResult) {
    TButtonsWindow shown;
    QSignalSpy firstClicks(shown.First, &TFlatButton::Clicked);
    QSignalSpy secondClicks(shown.Second, &TFlatButton::Clicked);
    shown.First->setFocus();

    QTest::keyClick(shown.First, Qt::Key_Escape);
    EXPECT_EQ(secondClicks.count(), 0);
    shown.Second->SetCancel(true);
    QTest::keyClick(shown.First, Qt::Key_Escape);
    EXPECT_EQ(secondClicks.count(), 1);

    // The accelerator of "&Друга" with Alt anywhere in the window, and alone on the button.
    QTest::sendKeyEvent(QTest::Click, shown.First, static_cast<Qt::Key>(0x0414), "д",
                        Qt::AltModifier);
    EXPECT_EQ(secondClicks.count(), 2);
    QTest::sendKeyEvent(QTest::Click, shown.First, static_cast<Qt::Key>(0x0414), "д",
                        Qt::NoModifier);
    EXPECT_EQ(secondClicks.count(), 2) << "the letter alone works on the focused button only";
    QTest::sendKeyEvent(QTest::Click, shown.First, static_cast<Qt::Key>(0x041F), "п",
                        Qt::NoModifier);
    EXPECT_EQ(firstClicks.count(), 1);

    shown.Second->setEnabled(false);
    QTest::keyClick(shown.First, Qt::Key_Escape);
    EXPECT_EQ(secondClicks.count(), 2);

    shown.First->SetModalResult(7);
    QTest::mouseClick(shown.First, Qt::LeftButton);
    EXPECT_FALSE(shown.Window.isVisible());
    EXPECT_EQ(shown.Window.result(), 7);
}

TEST(FlatButtonTest, DisabledButtonIsEmbossedAndIgnoresTheMouse) {
    TButtonsWindow shown;
    TFlatButton* button = shown.First;
    button->SetFlat(true);
    button->SetCaption("Вихід");
    button->setEnabled(false);
    const QImage before = button->grab().toImage();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    SendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->grab().toImage(), before);

    // The caption is drawn twice: highlight offset by one pixel, shadow in place.
    const QRgb highlight = button->palette().color(QPalette::Light).rgb();
    const QRgb shadow = button->palette().color(QPalette::Dark).rgb();
    int highlightPixels = 0, shadowPixels = 0;
    for (int y = 5; y < before.height() - 5; ++y)
        for (int x = 5; x < before.width() - 5; ++x) {
            highlightPixels += before.pixel(x, y) == highlight;
            shadowPixels += before.pixel(x, y) == shadow;
        }
    EXPECT_GT(highlightPixels, 5);
    EXPECT_GT(shadowPixels, 5);
}

TEST(SpeedButtonExTest, FlatButtonKeepsARaisedFrame) {
    TSpeedButtonEx button;
    button.setText("Виконати");
    button.resize(80, 24);
    button.SetFlat(true);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), button.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(79, 23), button.palette().color(QPalette::Dark).rgb());
    button.setEnabled(false);
    EXPECT_NE(button.grab().toImage().pixel(79, 23), button.palette().color(QPalette::Dark).rgb());
}

TEST(TemplateTest, FooterButtonsAndModes) {
    TfrmTemplatePBOk form;
    EXPECT_EQ(form.size(), QSize(632, 472));
    EXPECT_EQ(form.pnlFooter()->geometry(), QRect(0, 472 - 41, 632, 41));
    EXPECT_EQ(form.bbtnSelectZero()->geometry(), QRect(373, 8, 75, 25));
    EXPECT_EQ(form.bbtnSave()->geometry(), QRect(456, 8, 75, 25));
    EXPECT_EQ(form.bbtnCancel()->geometry(), QRect(539, 8, 75, 25));
    EXPECT_EQ(form.bbtnCancel()->text(), QString("Отменить"));
    form.resize(700, 500);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.bbtnCancel()->pos(), QPoint(539 + 68, 8));

    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 2);
}

TEST(TemplateTest, NoFooterModeIgnoresEnterAndEscape) {
    TfrmTemplatePBOk form;
    form.SetFooterMode(TfrmTemplatePBOk::fmNoFooter);
    EXPECT_TRUE(form.pnlFooter()->isHidden());
    EXPECT_FALSE(form.pnlFooter()->isEnabled());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::keyClick(&form, Qt::Key_Enter);
    EXPECT_TRUE(form.isVisible());
    form.close();
    EXPECT_EQ(form.result(), 2);
}

TEST(TemplateTest, ModalDisplayDropsMinimizeAndMaximize) {
    TfrmTemplatePBOk form;
    form.setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    Qt::WindowFlags shownWith;
    QTimer::singleShot(0, [&] {
        shownWith = form.windowFlags();
        EXPECT_TRUE(form.IsShownModally());
        form.bbtnSave()->click();
    });
    EXPECT_EQ(form.ShowModal(), 1);
    EXPECT_FALSE(shownWith.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(shownWith.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(shownWith.testFlag(Qt::WindowCloseButtonHint));
}

TEST(TemplateTest, BackgroundWindowRefusesToMinimize) {
    TfrmAnyForm background;
    background.show();
    QWidget front;
    front.show();
    front.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&front));
    ASSERT_FALSE(background.isActiveWindow());
    background.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(background.isMinimized());

    background.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&background));
    background.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(background.isMinimized());
}

} // namespace
} // namespace tarvel
