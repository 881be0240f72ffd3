#include "gui/ButtonKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>

namespace tarvel {
namespace {

// X11/evdev key codes of the letter keys A..Z and the digit keys 0..9 of a PC keyboard.
constexpr std::array<quint32, 26> kLetterCodes = {38, 56, 54, 40, 26, 41, 42, 43, 31,
                                                  44, 45, 46, 58, 57, 32, 33, 24, 27,
                                                  39, 28, 30, 55, 25, 53, 29, 52};
constexpr std::array<quint32, 10> kDigitCodes = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};

quint32 HardwareCode(std::uint16_t keyCode) {
    if (keyCode >= 'A' && keyCode <= 'Z')
        return kLetterCodes[keyCode - 'A'];
    if (keyCode >= '0' && keyCode <= '9')
        return kDigitCodes[keyCode - '0'];
    return 0;
}

bool PlatformReportsHardwareCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

bool MatchesButtonKey(std::uint16_t keyCode, int qtKey, quint32 nativeScanCode,
                      bool hardwareCodes) {
    // Qt's key values of Latin letters and digits are the virtual-key codes.
    if (keyCode != 0 && qtKey == keyCode)
        return true;
    const quint32 code = HardwareCode(keyCode);
    return hardwareCodes && code != 0 && nativeScanCode == code;
}

bool IsButtonKey(std::uint16_t keyCode, const QKeyEvent& event) {
    return MatchesButtonKey(keyCode, event.key(), event.nativeScanCode(),
                            PlatformReportsHardwareCodes());
}

} // namespace tarvel
