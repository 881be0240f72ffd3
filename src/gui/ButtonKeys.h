#pragma once

#include "ui/MsgDlgLogic.h"

#include <QtGlobal>
#include <cstdint>

class QKeyEvent;

namespace tarvel {

// The virtual-key code of a key press, by the physical key: a Latin letter or digit is its own
// code on every layout; where the platform reports hardware key codes (X11, Wayland) any other
// letter key is known by its position, so a Cyrillic layout presses the same buttons. 0 for
// keys the dialogs do not know.
std::uint16_t VirtualKey(const QKeyEvent& event);

// The rule behind VirtualKey, for a key value, the native scan code and whether the platform's
// scan codes are hardware key codes.
std::uint16_t VirtualKey(int qtKey, quint32 nativeScanCode, bool hardwareCodes);

TShiftState ShiftState(const QKeyEvent& event);

} // namespace tarvel
