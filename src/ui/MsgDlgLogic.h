#pragma once

#include "ui/MsgDlg.h"

#include <optional>
#include <string>

namespace tarvel {

// The window-independent rules of the message dialog, shared by every port.

// The row of the standard button table for one button.
const TMsgButtonInfo& StandardButton(TMsgButton button);

// The standard buttons of a set, in ascending bit order.
TMsgBtnInfoArray StandardButtons(TMsgButtons buttons);

// The caption shown for a kind when the caller gives none.
std::string DefaultCaption(TMsgKind kind);

// Drops the trailing run of '.', '!', '?' and blanks and closes the text with exactly one
// '?' (when the run held one) or '.'.
std::string NormaliseMessageText(const std::string& text);

// Index of the button Escape presses, if any.
std::optional<std::size_t> CancelButtonIndex(const TMsgBtnInfoArray& buttons);

// The result Escape produces: the cancel-role button's, else 2 for mkCustom or a single
// button, else nothing (the dialog stays open).
std::optional<std::uint16_t> EscapeResult(TMsgKind kind, const TMsgBtnInfoArray& buttons);

// The result of a key press without Ctrl: every button with that key is pressed, last created
// first, so the earliest created one's result stands. Nothing when no button has the key, and
// nothing when that button's result is 0, which leaves the dialog open.
std::optional<std::uint16_t> AcceleratorResult(std::uint16_t key, const TMsgBtnInfoArray& buttons);

// Virtual-key codes the dialog handles besides the buttons' own.
constexpr std::uint16_t vkEscape = 27, vkInsert = 45, vkC = 67;

// Modifier keys held during a key press.
struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

// Whether a key press copies the shown text: Ctrl+C or Ctrl+Insert, Ctrl alone among the
// modifiers.
bool IsCopyKey(std::uint16_t key, TShiftState shift);

// What one key press in the message dialog does.
struct TMsgKeyAction {
    enum TKind { kaNone, kaClose, kaCopy };
    TKind Kind = kaNone;
    std::uint16_t Result = mrNone; // for kaClose
};
TMsgKeyAction MsgDlgKeyAction(std::uint16_t key, TShiftState shift, TMsgKind kind,
                              const TMsgBtnInfoArray& buttons);

// Geometry of the message dialog, in pixels, for a message label of the given size.
struct TMsgDlgLayout {
    static constexpr int ButtonWidth = 75;
    static constexpr int ButtonStep = 83; // from one button's left edge to the next one's
    int ClientWidth = 0;
    int ClientHeight = 0;
    int IconWidth = 0; // 0 for mkCustom, which has no icon
    int MessageLeft = 0;
    int FirstButtonLeft = 0;
    int ButtonTop = 0;
};
TMsgDlgLayout MsgDlgLayout(TMsgKind kind, int labelWidth, int labelHeight, int buttonCount);

// The Latin letter of a button's key code ('F' for 70); the terminal offers buttons by it.
char AcceleratorLetter(const TMsgButtonInfo& button);

} // namespace tarvel
