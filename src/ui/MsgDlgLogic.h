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

// The Latin letter of a button's key code ('F' for 70); the terminal offers buttons by it.
char AcceleratorLetter(const TMsgButtonInfo& button);

} // namespace tarvel
