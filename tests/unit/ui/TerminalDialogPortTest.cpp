#include "ui/TerminalDialogPort.h"

#include "ui/MsgDlgLogic.h"

#include <cstdio>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

namespace tarvel {
namespace {

using testing::HasSubstr;

std::string Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

TMsgDialogRequest Request(TMsgKind kind, TMsgButtons buttons) {
    return {kind, "Підтвердження", "Продовжити?", StandardButtons(buttons)};
}

TEST(TerminalDialogPortTest, WithoutATerminalAnswersAsEscape) {
    const struct {
        TMsgKind Kind;
        TMsgButtons Buttons;
        std::uint16_t Result;
    } cases[] = {
        {TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}), mrNo},
        {TMsgKind::mkInformation, MsgButtons({btOk}), mrOk},
        {TMsgKind::mkWarning, MsgButtons({btAbort, btRetry, btIgnore}), mrCancel},
    };
    for (const auto& c : cases) {
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        std::fputs("F\n", in);
        std::rewind(in);
        TTerminalDialogPort port(in, out);
        EXPECT_EQ(port.ShowMessageDlg(Request(c.Kind, c.Buttons)), c.Result);
        EXPECT_THAT(Contents(out), HasSubstr("[Пiдтвердження]\nПродовжити?"));
        std::fclose(in);
        std::fclose(out);
    }
}

// Answers typed on a pseudo-terminal: accelerator letters in either case, Enter for the first
// button, and anything else asked again.
TEST(TerminalDialogPortTest, OnATerminalReadsAcceleratorLetters) {
    const struct {
        const char* Typed;
        TMsgButtons Buttons;
        std::uint16_t Result;
    } cases[] = {
        {"s\n", MsgButtons({btYes, btNo}), mrNo},
        {"F\n", MsgButtons({btYes, btNo}), mrYes},
        {"\n", MsgButtons({btYes, btNo}), mrYes},
        {"x\nyes\nR\n", MsgButtons({btOk, btClose}), mrOk},
        {"u\nv\n", MsgButtons({btHelp, btCancel}), mrCancel},
    };
    for (const auto& c : cases) {
        int master = -1, slave = -1;
        ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        ASSERT_GT(write(master, c.Typed, std::strlen(c.Typed)), 0);
        std::FILE* in = fdopen(slave, "r");
        std::FILE* out = std::tmpfile();
        TTerminalDialogPort port(in, out);
        EXPECT_EQ(port.ShowMessageDlg(Request(TMsgKind::mkConfirmation, c.Buttons)), c.Result)
            << c.Typed;
        const TMsgButtonInfo& first = StandardButtons(c.Buttons).front();
        EXPECT_THAT(Contents(out), HasSubstr(std::string("  ") + AcceleratorLetter(first) + ") "))
            << c.Typed;
        std::fclose(in);
        std::fclose(out);
        close(master);
    }
}

} // namespace
} // namespace tarvel
