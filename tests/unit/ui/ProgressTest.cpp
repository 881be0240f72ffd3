#include "ui/Progress.h"

#include "ScriptedDialogs.h"
#include "ui/MessagePump.h"

#include <gtest/gtest.h>
#include <vector>

namespace tarvel {
namespace {

// Every character, Cyrillic ones included, is 7 pixels wide.
int Measure(const std::string& s) {
    int chars = 0;
    for (char c : s)
        chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return chars * 7;
}

struct TFakeBar : IProgressBar {
    explicit TFakeBar(int width) : BarWidth(width) {}
    void SetMin(std::int32_t v) override { Calls.push_back("min " + std::to_string(v)); }
    void SetMax(std::int32_t v) override { Calls.push_back("max " + std::to_string(v)); }
    void SetPosition(std::int32_t v) override {
        Calls.push_back("pos " + std::to_string(v));
        Position = v;
    }
    int Width() const override { return BarWidth; }
    int BarWidth;
    std::int32_t Position = -1;
    std::vector<std::string> Calls;
};

struct TFakeLabel : IProgressLabel {
    void SetText(const std::string& text) override { Text = text; }
    int TextWidth(const std::string& text) const override { return Measure(text); }
    std::string Text = "#";
};

struct TFakeButton : ICancelControl {
    TClickHandler ClickHandler() const override { return Handler; }
    void SetClickHandler(TClickHandler handler) override { Handler = std::move(handler); }
    void Click() { Handler(); }
    TClickHandler Handler;
};

struct TFakeWindow : IProgressWindow {
    bool CancelPressed() const override { return Pressed; }
    void Repaint() override { ++Repaints; }
    bool Pressed = false;
    int Repaints = 0;
};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        PreviousPump = SetMessagePump([this] { ++Pumped; });
    }
    void TearDown() override {
        ReleaseProgress();
        SetCurrentProgressWindow(nullptr);
        SetMessagePump(PreviousPump);
    }
    void Attach(ICancelControl* cancel = nullptr) {
        AttachProgress(&TotalBar, &DetailBar, &TotalLabel, "", "", cancel, &DetailLabel);
    }

    TFakeBar TotalBar{300}, DetailBar{300};
    TFakeLabel TotalLabel, DetailLabel;
    int Pumped = 0;
    std::function<void()> PreviousPump;
};

TEST(FitProgressTextTest, FitsTitleAndTextToTheBar) {
    const struct {
        const char *Title, *Text;
        int Width;
        const char* Shown;
    } cases[] = {
        {"Архівація", "37%", 300, "Архівація: 37%"},
        {"", "37%", 300, "37%"},
        // 14 characters fit only with the dots counted: cut to 11 + "...".
        {"", "abcdefghijklmn", 7 * 14, "abcdefghijk..."},
        {"", "Розархівування", 7 * 17, "Розархівування"},
        // A trailing blank that fits is trimmed, which changes the length, so "..." follows.
        {"", "abc ", 300, "abc..."},
        {"Крок", "abcdef", 7 * 9, "Крок:..."},
        // A bar narrower than "..." empties the text instead of looping forever.
        {"", "abc", 10, "..."},
    };
    for (const auto& c : cases) {
        const std::string shown = FitProgressText(c.Title, c.Text, c.Width, Measure);
        EXPECT_EQ(shown, c.Shown) << c.Text << " in " << c.Width;
        if (shown != "...") {
            EXPECT_LE(Measure(shown), c.Width) << shown;
        }
    }
}

TEST_F(ProgressTest, ChannelsShowTitledPercentAndText) {
    Attach();
    SetDetailTitle("Архівація");
    EXPECT_EQ(DetailLabel.Text, "Архівація");
    SetDetailPercent(37);
    EXPECT_EQ(DetailLabel.Text, "Архівація: 37%");
    EXPECT_EQ(DetailBar.Position, 37);

    TotalBar.Calls.clear();
    const int pumpedBefore = Pumped;
    SetTotalProgress(0, 200, 5);
    EXPECT_EQ(TotalBar.Calls, (std::vector<std::string>{"min 0", "max 200", "pos 5"}));
    EXPECT_EQ(TotalLabel.Text, "5%");
    EXPECT_GT(Pumped, pumpedBefore);

    SetTotalText(std::string(80, 'x'), 7);
    EXPECT_EQ(TotalLabel.Text, std::string(39, 'x') + "...");
    EXPECT_EQ(TotalBar.Position, 7);
}

TEST_F(ProgressTest, ReleaseEmptiesLabelsAndZeroesBarsOnly) {
    AttachProgress(&TotalBar, &DetailBar, &TotalLabel, "Деталі", "Загалом", nullptr, &DetailLabel);
    EXPECT_EQ(TotalLabel.Text, "Загалом");
    EXPECT_EQ(DetailLabel.Text, "Деталі");
    SetDetailProgress(10, 90, 40);
    DetailBar.Calls.clear();
    ReleaseProgress();
    EXPECT_EQ(TotalLabel.Text, "");
    EXPECT_EQ(DetailLabel.Text, "");
    EXPECT_EQ(DetailBar.Calls, std::vector<std::string>{"pos 0"});
    EXPECT_EQ(TotalBar.Position, 0);

    SetDetailText("після", 3);
    SetDetailTitle("після");
    EXPECT_EQ(DetailLabel.Text, "");
    EXPECT_FALSE(IsProgressCancelled());
}

TEST_F(ProgressTest, NewAttachmentReleasesThePreviousControls) {
    Attach();
    SetTotalText("перше", 50);
    TFakeBar otherTotal{300}, otherDetail{300};
    TFakeLabel otherTotalLabel, otherDetailLabel;
    AttachProgress(&otherTotal, &otherDetail, &otherTotalLabel, "", "", nullptr, &otherDetailLabel);
    EXPECT_EQ(TotalLabel.Text, "");
    EXPECT_EQ(TotalBar.Position, 0);
    SetTotalText("друге", 20);
    EXPECT_EQ(otherTotalLabel.Text, "друге");
    EXPECT_EQ(TotalLabel.Text, "");
    ReleaseProgress();
}

TEST_F(ProgressTest, CancelControlAsksAndIsGivenBack) {
    test::TScriptedDialogs dialogs;
    TFakeButton button;
    int ownClicks = 0;
    button.Handler = [&ownClicks] { ++ownClicks; };
    Attach(&button);

    dialogs.Answer(mrNo);
    button.Click();
    EXPECT_FALSE(IsProgressCancelled());
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Text, "Ви справді бажаєте зупинити процес?");
    EXPECT_EQ(dialogs.Shown[0].Kind, TMsgKind::mkWarning);
    ASSERT_EQ(dialogs.Shown[0].Buttons.size(), 2u);
    EXPECT_EQ(dialogs.Shown[0].Buttons[0].Caption, "Т&ак");
    EXPECT_EQ(dialogs.Shown[0].Buttons[1].Caption, "Н&і");

    dialogs.Answer(mrYes);
    button.Click();
    EXPECT_TRUE(IsProgressCancelled());
    EXPECT_EQ(ownClicks, 0);

    ReleaseProgress();
    EXPECT_FALSE(IsProgressCancelled());
    button.Click();
    EXPECT_EQ(ownClicks, 1);
    EXPECT_EQ(dialogs.Shown.size(), 2u);
}

TEST_F(ProgressTest, WindowOperationsNeedAWindow) {
    Attach();
    EXPECT_FALSE(IsWindowCancelled());
    EXPECT_FALSE(SetWindowProgressText("текст", 5, pcDetail));
    SetWindowProgress(0, 10, 5, pcDetail);
    EXPECT_EQ(DetailLabel.Text, "");
    EXPECT_EQ(DetailBar.Position, -1);

    TFakeWindow window;
    SetCurrentProgressWindow(&window);
    SetWindowProgress(0, 10, 5, static_cast<TProgressChannel>(2));
    EXPECT_EQ(DetailBar.Position, -1);
    EXPECT_EQ(TotalBar.Position, -1);
    SetWindowProgress(0, 10, 5, pcDetail);
    EXPECT_EQ(DetailLabel.Text, "5%");
    const int pumpedBefore = Pumped;
    EXPECT_TRUE(SetWindowProgressText("3 з 9: Форма", 3, pcTotal));
    EXPECT_EQ(TotalLabel.Text, "3 з 9: Форма");
    EXPECT_EQ(window.Repaints, 1);
    EXPECT_GT(Pumped, pumpedBefore);
    window.Pressed = true;
    EXPECT_TRUE(IsWindowCancelled());
}

} // namespace
} // namespace tarvel
