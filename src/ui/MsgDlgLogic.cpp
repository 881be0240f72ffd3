#include "ui/MsgDlgLogic.h"

#include <array>

namespace tarvel {
namespace {

const std::array<TMsgButtonInfo, 13> kStandardButtons = {{
    {0, "Т&ак", 70, 6},
    {0, "Н&і", 83, 7},
    {0, "О&К", 82, 1},
    {0, "Від&міна", 86, 2},
    {0, "П&рипинити", 72, 3},
    {0, "П&овторити", 74, 4},
    {0, "Про&пустити", 71, 5},
    {0, "В&сі", 67, 8},
    {0, "Ні &для всіх", 76, 9},
    {0, "Так для &всіх", 68, 10},
    {0, "Де&тальніше", 78, 1},
    {0, "За&крити", 82, 7},
    {0, "Допомо&га", 85, 0},
}};

const char* const kCaptionWarning = "Увага";
const char* const kCaptionError = "Помилка";
const char* const kCaptionInformation = "Інформація";
const char* const kCaptionConfirmation = "Підтвердження";

bool IsClosingPunctuation(char c) {
    return c == '.' || c == '!' || c == '?' || c == ' ';
}

} // namespace

const TMsgButtonInfo& StandardButton(TMsgButton button) {
    return kStandardButtons.at(button);
}

TMsgBtnInfoArray StandardButtons(TMsgButtons buttons) {
    TMsgBtnInfoArray result;
    for (std::size_t bit = 0; bit < kStandardButtons.size(); ++bit)
        if (buttons & (1u << bit))
            result.push_back(kStandardButtons[bit]);
    return result;
}

std::string DefaultCaption(TMsgKind kind) {
    switch (kind) {
    case TMsgKind::mkWarning:
        return kCaptionWarning;
    case TMsgKind::mkError:
        return kCaptionError;
    case TMsgKind::mkInformation:
        return kCaptionInformation;
    case TMsgKind::mkConfirmation:
        return kCaptionConfirmation;
    case TMsgKind::mkCustom:
        break;
    }
    return ApplicationTitle();
}

std::string NormaliseMessageText(const std::string& text) {
    std::size_t end = text.size();
    bool question = false;
    while (end > 0 && IsClosingPunctuation(text[end - 1])) {
        question = question || text[end - 1] == '?';
        --end;
    }
    return text.substr(0, end) + (question ? "?" : ".");
}

std::optional<std::size_t> CancelButtonIndex(const TMsgBtnInfoArray& buttons) {
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].ModalResult == mrCancel)
            return i;
    std::optional<std::size_t> candidate;
    for (std::size_t i = buttons.size(); i-- > 0;)
        if (buttons[i].ModalResult == mrNo) {
            candidate = i;
            break;
        }
    if (!candidate && !buttons.empty() && buttons.front().ModalResult == mrOk)
        candidate = 0;
    if (candidate && buttons[*candidate].ModalResult == mrOk && buttons.size() != 1)
        return std::nullopt;
    return candidate;
}

std::optional<std::uint16_t> EscapeResult(TMsgKind kind, const TMsgBtnInfoArray& buttons) {
    if (auto cancel = CancelButtonIndex(buttons))
        return static_cast<std::uint16_t>(buttons[*cancel].ModalResult);
    if (kind == TMsgKind::mkCustom || buttons.size() == 1)
        return mrCancel;
    return std::nullopt;
}

std::optional<std::uint16_t> AcceleratorResult(std::uint16_t key, const TMsgBtnInfoArray& buttons) {
    for (const TMsgButtonInfo& button : buttons)
        if (button.Key == key)
            return button.ModalResult == mrNone
                       ? std::nullopt
                       : std::optional<std::uint16_t>(
                             static_cast<std::uint16_t>(button.ModalResult));
    return std::nullopt;
}

bool IsCopyKey(std::uint16_t key, TShiftState shift) {
    return (key == vkC || key == vkInsert) && shift.Ctrl && !shift.Shift && !shift.Alt;
}

TMsgKeyAction MsgDlgKeyAction(std::uint16_t key, TShiftState shift, TMsgKind kind,
                              const TMsgBtnInfoArray& buttons) {
    if (key == vkEscape) {
        if (auto result = EscapeResult(kind, buttons))
            return {TMsgKeyAction::kaClose, *result};
        return {};
    }
    if (IsCopyKey(key, shift))
        return {TMsgKeyAction::kaCopy, mrNone};
    if (!shift.Ctrl)
        if (auto result = AcceleratorResult(key, buttons))
            return {TMsgKeyAction::kaClose, *result};
    return {};
}

TMsgDlgLayout MsgDlgLayout(TMsgKind kind, int labelWidth, int labelHeight, int buttonCount) {
    TMsgDlgLayout layout;
    const bool custom = kind == TMsgKind::mkCustom;
    layout.IconWidth = custom ? 0 : 32;
    layout.MessageLeft = custom ? 12 : 56;
    layout.ClientHeight = labelHeight + 78;
    const int textWidth = layout.IconWidth + 38 + labelWidth;
    const int buttonsWidth = TMsgDlgLayout::ButtonStep * buttonCount + 16;
    if (textWidth > buttonsWidth) {
        layout.ClientWidth = textWidth;
        layout.FirstButtonLeft = (textWidth - TMsgDlgLayout::ButtonStep * buttonCount + 8) / 2;
    } else {
        layout.ClientWidth = buttonsWidth;
        layout.FirstButtonLeft = 12;
    }
    layout.ButtonTop = layout.ClientHeight - 36;
    return layout;
}

char AcceleratorLetter(const TMsgButtonInfo& button) {
    return button.Key >= 'A' && button.Key <= 'Z' ? static_cast<char>(button.Key) : '?';
}

} // namespace tarvel
