#pragma once

// Private to the X11 backend: includes Xlib.
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <vector>

// One reading of the keyboard layout in use on the X server (its XKB keymap in the current
// group): the key that each virtual-key code stands for, and the key and shift state that type
// a character.
//
// Virtual-key codes: the named keys and modifiers by their keysyms; letters by what the keys
// type (so ^z means the key that types z, wherever the layout puts it); digits and punctuation
// keys by their position on the keyboard, as the code of the US key at that place; any other key
// that types a character gets a code of its own from the codes no key uses.
class X11KeyLayout {
public:
    explicit X11KeyLayout(Display* display);

    // The key of a virtual-key code; 0 when the layout has none.
    KeyCode KeycodeOf(uint8_t vk) const { return vkToKeycode_[vk]; }
    // The key whose first level carries the keysym; 0 when none.
    KeyCode KeycodeOfKeysym(KeySym keysym) const;
    // The keysym that a named key or modifier's virtual-key code stands for; NoSymbol for
    // the codes of character keys.
    static KeySym NamedKeysym(uint8_t vk);
    // VkKeyScanA's answer for a character (Unicode): the virtual-key code of the key that types
    // it, or'ed with the shift-state bits it needs (Shift, AltGr); -1 when no key types it.
    int16_t ScanCharacter(char32_t character) const;
    // The character that the key of vk types without modifiers (letters as capitals); 0 when
    // it types none.
    char32_t CharacterOf(uint8_t vk) const;
    // The named keys' keysyms that the layout lacks (F13 to F24, for instance).
    std::vector<KeySym> MissingNamedKeysyms() const;
    // The keys that carry no keysym at all, to lend to keysyms the layout lacks; the highest
    // first, as those are the ones no keyboard has.
    std::vector<KeyCode> SpareKeycodes() const;

private:
    // A level of a key in the current group that our modifiers reach.
    struct Level {
        KeySym keysym;
        int16_t shiftState;
    };

    void AssignVirtualKey(uint8_t vk, KeyCode keycode);

    std::array<KeyCode, 256> vkToKeycode_{};
    std::array<uint8_t, 256> keycodeToVk_{};
    std::array<std::vector<Level>, 256> levels_{};
    std::array<bool, 256> spare_{};
};
