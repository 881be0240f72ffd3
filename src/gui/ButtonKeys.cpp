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

std::uint16_t FromHardwareCode(quint32 code) {
    for (std::size_t i = 0; i < kLetterCodes.size(); ++i)
        if (kLetterCodes[i] == code)
            return static_cast<std::uint16_t>('A' + i);
    for (std::size_t i = 0; i < kDigitCodes.size(); ++i)
        if (kDigitCodes[i] == code)
            return static_cast<std::uint16_t>('0' + i);
    return 0;
}

bool PlatformReportsHardwareCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

std::uint16_t VirtualKey(int qtKey, quint32 nativeScanCode, bool hardwareCodes) {
    if (qtKey == Qt::Key_Escape)
        return vkEscape;
    if (qtKey == Qt::Key_Insert)
        return vkInsert;
    // Qt's key values of Latin letters and digits are the virtual-key codes.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(qtKey);
    return hardwareCodes ? FromHardwareCode(nativeScanCode) : 0;
}

std::uint16_t VirtualKey(const QKeyEvent& event) {
    return VirtualKey(event.key(), event.nativeScanCode(), PlatformReportsHardwareCodes());
}

TShiftState ShiftState(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

} // namespace tarvel
