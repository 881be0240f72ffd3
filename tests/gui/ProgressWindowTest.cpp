#include "gui/ProgressWindow.h"

#include "ScriptedDialogs.h"
#include "gui/CopyAnimation.h"
#include "gui/FrmProgress.h"
#include "gui/QtPorts.h"
#include "ui/Progress.h"
#include "ui/ProgressHelper.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tarvel {
namespace {

int TextWidth(const QLabel* label) {
    return QFontMetrics(label->font()).horizontalAdvance(label->text());
}

TEST(ProgressFormTest, ChannelTextsAreFittedWithTheLabelsFont) {
    TfrmProgress form;
    SetDetailTitle("Архівація");
    SetDetailPercent(37);
    EXPECT_EQ(form.lblDetail()->text(), QString("Архівація: 37%"));
    EXPECT_EQ(form.prgbDetail()->value(), 37);

    const std::string longText =
        "Розархівування файлу /var/lib/postgresql/15/main/base/16384/2619 з архіву резервної копії";
    SetTotalText(longText, 5);
    const QString shown = form.lblTotal()->text();
    EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
    EXPECT_TRUE(QString::fromStdString(longText).startsWith(shown.chopped(3)));
    EXPECT_LE(TextWidth(form.lblTotal()), form.prgbTotal()->width());
    EXPECT_GT(TextWidth(form.lblTotal()), form.prgbTotal()->width() - 40);

    SetDetailTitle("");
    SetDetailText("Готово ", 100);
    EXPECT_EQ(form.lblDetail()->text(), QString("Готово..."));
}

TEST(ProgressFormTest, ReleaseEmptiesLabelsAndZeroesBars) {
    TfrmProgress form;
    SetTotalTitle("Загалом");
    SetDetailProgress(10, 200, 50);
    SetTotalProgress(0, 100, 70);
    ReleaseProgress();
    EXPECT_EQ(form.lblTotal()->text(), QString());
    EXPECT_EQ(form.lblDetail()->text(), QString());
    EXPECT_EQ(form.prgbTotal()->value(), 0);
    // A position below the minimum stands at the minimum, as on a native bar.
    EXPECT_EQ(form.prgbDetail()->value(), 10);
    EXPECT_EQ(form.prgbDetail()->maximum(), 200);
}

TEST(ProgressFormTest, CancelControlAsksThroughTheMessageDialog) {
    TQtPorts ports;
    TfrmProgress form;
    bool ownClick = false;
    TQtCancelControl cancel(form.btnCancel(), [&ownClick] { ownClick = true; });
    AttachProgress(form.TotalBarControl(), form.DetailBarControl(), form.TotalLabelControl(), "",
                   "", &cancel, form.DetailLabelControl());
    form.show();

    const auto answerWith = [](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            QTest::keyClick(dialog->focusWidget(), key);
        });
    };
    answerWith(Qt::Key_S); // "Н&і"
    QTest::mouseClick(form.btnCancel(), Qt::LeftButton);
    EXPECT_FALSE(IsProgressCancelled());
    answerWith(Qt::Key_F); // "Т&ак"
    QTest::mouseClick(form.btnCancel(), Qt::LeftButton);
    EXPECT_TRUE(IsProgressCancelled());
    EXPECT_FALSE(ownClick);

    ReleaseProgress();
    EXPECT_FALSE(IsProgressCancelled());
    QTest::mouseClick(form.btnCancel(), Qt::LeftButton);
    EXPECT_TRUE(ownClick);
}

TEST(ProgressFormTest, LayoutAndSizes) {
    TfrmProgress form;
    EXPECT_EQ(form.size(), QSize(410, 190));
    EXPECT_EQ(form.btnCancel()->text(), QString("Прервать"));
    EXPECT_EQ(form.btnCancel()->geometry(), QRect(318, 13, 75, 24));
    EXPECT_EQ(form.prgbDetail()->geometry(), QRect(5, 15, 300, 19));
    EXPECT_EQ(form.prgbTotal()->geometry(), QRect(5, 55, 300, 19));
    EXPECT_EQ(form.pnlGauges()->geometry(), QRect(1, 72, 400, 74));
    EXPECT_TRUE(form.btnCancel()->isDefault());

    form.SetShowCancel(false);
    form.SetShowTotal(false);
    EXPECT_EQ(form.size(), QSize(320, 150));
    EXPECT_TRUE(form.btnCancel()->isHidden());
    EXPECT_FALSE(form.btnCancel()->isEnabled());
    EXPECT_TRUE(form.prgbTotal()->isHidden());
    EXPECT_TRUE(form.lblTotal()->isHidden());
    form.SetShowTotal(true);
    EXPECT_EQ(form.size(), QSize(320, 190));

    form.SetAnimation(aviCopyFile);
    EXPECT_FALSE(form.Animate()->isHidden());
    EXPECT_TRUE(form.Animate()->IsActive());
    form.SetAnimation(aviNone);
    EXPECT_TRUE(form.Animate()->isHidden());
    EXPECT_FALSE(form.Animate()->IsActive());
}

TEST(ProgressFormTest, NewestWindowTakesTheControllerAndAnyDestructionReleasesIt) {
    auto first = std::make_unique<TfrmProgress>();
    TfrmProgress second;
    SetDetailText("друге", 40);
    EXPECT_EQ(second.lblDetail()->text(), QString("друге"));
    EXPECT_EQ(second.prgbDetail()->value(), 40);
    EXPECT_EQ(first->prgbDetail()->value(), 0);
    first.reset();
    EXPECT_EQ(second.lblDetail()->text(), QString());
    EXPECT_EQ(second.prgbDetail()->value(), 0);
    SetDetailText("нікуди", 10);
    EXPECT_EQ(second.lblDetail()->text(), QString());
}

TEST(ProgressFormTest, EmbeddedAsABorderlessChild) {
    QWidget host;
    auto* form = new TfrmProgress(&host);
    form->Embed(&host);
    host.resize(500, 200);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_FALSE(form->isWindow());
    EXPECT_EQ(form->parentWidget(), &host);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->width(), 500);
    SetTotalText("Upd1", 1);
    EXPECT_EQ(form->lblTotal()->text(), QString("Upd1"));
}

TEST(ProgressWindowTest, RunsTheWorkAndClosesItself) {
    TQtPorts ports;
    EXPECT_FALSE(IsWindowCancelled());
    EXPECT_FALSE(SetWindowProgressText("без вікна", 1, pcDetail));
    EXPECT_FALSE(CloseProgressWindow());

    ASSERT_TRUE(OpenProgressWindow("Завантаження звітів", "Зупинити", "Деталі", "Загалом",
                                   aviCopyFile, true, true));
    TfrmProgress* window = ProgressWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString("Завантаження звітів"));
    EXPECT_EQ(window->btnCancel()->text(), QString("Зупинити"));
    EXPECT_EQ(window->lblTotal()->text(), QString("Загалом"));
    EXPECT_EQ(window->lblDetail()->text(), QString("Деталі"));

    bool ran = false;
    bool cancelledBefore = true;
    RunProgressWindow(
        [&](std::intptr_t value) {
            ran = value == 42;
            EXPECT_TRUE(window->isVisible());
            SetWindowProgress(0, 3, 1, pcDetail);
            EXPECT_TRUE(SetWindowProgressText("1 з 3: Картка", 1, pcDetail));
            EXPECT_EQ(window->lblDetail()->text(), QString("1 з 3: Картка"));
            cancelledBefore = IsWindowCancelled();
            QTest::mouseClick(window->btnCancel(), Qt::LeftButton);
            SetWindowProgress(0, 3, 2, pcDetail);
        },
        42);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(cancelledBefore);
    EXPECT_TRUE(IsWindowCancelled());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->prgbDetail()->value(), 2);
    EXPECT_TRUE(CloseProgressWindow());
    EXPECT_EQ(ProgressWindow(), nullptr);
    EXPECT_FALSE(IsWindowCancelled());
}

TEST(ProgressWindowTest, FailedWorkClosesTheWindowAndRaisesAfterwards) {
    TQtPorts ports;
    ASSERT_TRUE(OpenProgressWindow("Робота", "Стоп", "", "", aviNone, false, false));
    TfrmProgress* window = ProgressWindow();
    EXPECT_THROW(RunProgressWindow([](std::intptr_t) { throw std::runtime_error("збій"); }, 0),
                 std::runtime_error);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(CloseProgressWindow());
}

TEST(BusyWindowTest, ShownOnTopCentredAndNotClosable) {
    TQtPorts ports;
    TProgressHelper::SetCaption("нічого");
    TProgressHelper::Show("Підготовка до запуску...");
    QWidget* busy = ports.BusyWindow().Window();
    ASSERT_NE(busy, nullptr);
    EXPECT_TRUE(busy->isVisible());
    EXPECT_EQ(busy->windowTitle(), QString("Підготовка до запуску..."));
    const Qt::WindowFlags flags = busy->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    const auto* animation = busy->findChild<TCopyAnimation*>();
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->pos(), QPoint(0, 0));
    EXPECT_TRUE(animation->IsActive());
    EXPECT_EQ(busy->size(), QSize(animation->width(), animation->height() + 30));

    EXPECT_FALSE(busy->close());
    EXPECT_TRUE(busy->isVisible());

    TProgressHelper::SetCaption("Збереження файлу помилки...");
    EXPECT_EQ(busy->windowTitle(), QString("Збереження файлу помилки..."));
    TProgressHelper::Show("Збереження архівної копії...");
    EXPECT_NE(ports.BusyWindow().Window(), nullptr);
    EXPECT_EQ(ports.BusyWindow().Window()->windowTitle(), QString("Збереження архівної копії..."));
    TProgressHelper::Hide();
    EXPECT_EQ(ports.BusyWindow().Window(), nullptr);
    TProgressHelper::Hide();
}

} // namespace
} // namespace tarvel
