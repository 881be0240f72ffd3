#include "ui/TerminalDialogPort.h"

#include "core/StringUtils.h"
#include "ui/MsgDlgLogic.h"

#include <cctype>
#include <string>
#include <unistd.h>

namespace tarvel {
namespace {

std::string WithoutAmpersand(const std::string& caption) {
    std::string result;
    for (char c : caption)
        if (c != '&')
            result += c;
    return result;
}

bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

} // namespace

TTerminalDialogPort::TTerminalDialogPort(std::FILE* in, std::FILE* out) : In(in), Out(out) {}

std::uint16_t TTerminalDialogPort::ShowMessageDlg(const TMsgDialogRequest& request) {
    std::fprintf(Out, "\n[%s]\n%s\n", ToConsoleText(request.Caption).c_str(),
                 ToConsoleText(request.Text).c_str());
    auto escape = EscapeResult(request.Kind, request.Buttons);
    if (!isatty(fileno(In)))
        return escape.value_or(mrCancel);
    for (;;) {
        for (const TMsgButtonInfo& button : request.Buttons)
            std::fprintf(Out, "  %c) %s\n", AcceleratorLetter(button),
                         ToConsoleText(WithoutAmpersand(button.Caption)).c_str());
        std::fputs("> ", Out);
        std::fflush(Out);
        std::string answer;
        if (!ReadLine(In, answer))
            return escape.value_or(mrCancel);
        if (answer.size() == 1) {
            auto key =
                static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(answer[0])));
            if (auto result = AcceleratorResult(key, request.Buttons))
                return *result;
        } else if (answer.empty() && !request.Buttons.empty()) {
            // Enter presses the focused button, which is the first one.
            if (request.Buttons.front().ModalResult != mrNone)
                return static_cast<std::uint16_t>(request.Buttons.front().ModalResult);
        }
    }
}

void TTerminalDialogPort::ShowErrorDlg(const std::string& caption, const std::string& message,
                                       const std::string& details) {
    std::fprintf(Out, "\n[%s]\n%s\n", ToConsoleText(caption).c_str(),
                 ToConsoleText(message).c_str());
    if (!details.empty())
        std::fprintf(Out, "%s\n", ToConsoleText(details).c_str());
    std::fflush(Out);
}

} // namespace tarvel
