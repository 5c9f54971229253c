#include "engine/CKeyboard.h"

#include "common/PlatformErrors.h"
#include "engine/PressedKeys.h"
#include "platform/Platform.h"

void CKeyboard::PressKey(const std::string& sKey, bool bHold, bool bRelease) {
    if (sKey.empty()) PlatformError::Raise(PlatformError::kInvalidProcedureCall);
    IKeyboard& keyboard = Platform::Keyboard();
    const int16_t v = keyboard.VkKeyScanA(sKey.front());
    if (v == 0 || v == -1) return;

    const bool shift = (v & kShiftStateShift) != 0;
    const bool ctrl = (v & kShiftStateCtrl) != 0;
    const bool alt = (v & kShiftStateAlt) != 0;
    const bool altGr = (v & kShiftStateAltGr) != 0;
    const auto code = static_cast<uint8_t>(v & 0xFF);
    // A key that types no character is sent as an extended key.
    const uint32_t extended = keyboard.MapVirtualKeyA(code, 2) == 0 ? kKeyEventExtendedKey : 0;
    const auto scan = static_cast<uint8_t>(keyboard.MapVirtualKeyA(code, 0));

    // Down in this order, up with the key first and then the modifiers in the same order.
    PressedKeys pressed;
    const auto press = [&](uint8_t vk, uint8_t keyScan = 0, uint32_t flags = 0) {
        if (bRelease) {
            pressed.Adopt(vk, keyScan, flags);
        } else {
            pressed.Down(vk, keyScan, flags);
        }
    };
    if (shift) press(kVkShift);
    if (ctrl) press(kVkControl);
    if (alt) press(kVkMenu);
    if (altGr) press(kVkAltGr);
    press(code, scan, extended);
    if (bHold) {
        pressed.KeepHeld();
        return;
    }
    pressed.Up(code);
    if (shift) pressed.Up(kVkShift);
    if (ctrl) pressed.Up(kVkControl);
    if (alt) pressed.Up(kVkMenu);
    if (altGr) pressed.Up(kVkAltGr);
}
