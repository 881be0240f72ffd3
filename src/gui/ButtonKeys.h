#pragma once

#include <QtGlobal>
#include <cstdint>

class QKeyEvent;

namespace tarvel {

// Whether a key press is the physical key behind a button's key code (the virtual-key code of a
// Latin letter or digit). The Latin key itself matches on every layout; where the platform
// reports hardware key codes (X11, Wayland) the key's position matches too, so a Cyrillic
// layout presses the same buttons.
bool IsButtonKey(std::uint16_t keyCode, const QKeyEvent& event);

// The rule behind IsButtonKey, for a key value, the native scan code and whether the platform's
// scan codes are hardware key codes.
bool MatchesButtonKey(std::uint16_t keyCode, int qtKey, quint32 nativeScanCode, bool hardwareCodes);

} // namespace tarvel
