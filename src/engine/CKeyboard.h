#pragma once

#include <string>

// Types one character the way the keyboard layout produces it: the key that types it, with
// the Shift, Ctrl, Alt or AltGr that the layout needs held around it.
class CKeyboard {
public:
    // Types the first character of sKey (error 5 when sKey is empty). bHold presses only,
    // bRelease releases only, both send nothing. A character that no key types sends nothing.
    void PressKey(const std::string& sKey, bool bHold = false, bool bRelease = false);
};
