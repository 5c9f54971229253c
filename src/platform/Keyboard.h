#pragma once

#include <cstdint>
#include <vector>

// keybd_event / SendInput flags.
inline constexpr uint32_t kKeyEventExtendedKey = 1;
inline constexpr uint32_t kKeyEventKeyUp = 2;

// Virtual-key codes of the modifiers.
inline constexpr uint8_t kVkShift = 16;
inline constexpr uint8_t kVkControl = 17;
inline constexpr uint8_t kVkMenu = 18;  // Alt
// The third-level shift (AltGr, ISO_Level3_Shift on X11), on the code of the right Alt key.
inline constexpr uint8_t kVkAltGr = 0xA5;

// Shift-state bits in the high byte of VkKeyScanA's answer.
inline constexpr int16_t kShiftStateShift = 0x100;
inline constexpr int16_t kShiftStateCtrl = 0x200;
inline constexpr int16_t kShiftStateAlt = 0x400;
inline constexpr int16_t kShiftStateAltGr = 0x800;

// One keyboard input record of SendInput.
struct KeyInput {
    uint16_t wVk = 0;
    uint16_t wScan = 0;
    uint32_t dwFlags = 0;
};

// Key synthesis by virtual-key code, and the keyboard layout's answers about characters.
class IKeyboard {
public:
    virtual ~IKeyboard() = default;

    virtual void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
    // Sends the records in order; returns how many were sent.
    virtual uint32_t SendInput(const std::vector<KeyInput>& inputs) = 0;
    // Low byte: the virtual-key code that types the ANSI character; high byte: the shift state
    // (1 Shift, 2 Ctrl, 4 Alt, 8 AltGr). -1 when no key types it.
    virtual int16_t VkKeyScanA(char ch) = 0;
    // mapType 0: virtual-key code -> scan code; 2: virtual-key code -> its character (0 for none).
    virtual uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) = 0;
    // Bit 15 set while the key is down; bit 0 is its toggle state.
    virtual int16_t GetKeyState(int vk) = 0;
};
