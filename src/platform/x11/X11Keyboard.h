#pragma once

#include <memory>

#include "platform/Keyboard.h"

class X11Connection;

// Key synthesis on X11 through XTest, by virtual-key code, with the answers about characters
// taken from the XKB layout in use at the moment of each call (a layout switched while the
// program runs is followed). Characters on the third level are typed with ISO_Level3_Shift
// (AltGr). A named key that the layout lacks (F13 to F24, for instance) is lent a keycode
// that carries nothing, for as long as this object lives. Keys it still holds when it is
// destroyed are released.
class X11Keyboard : public IKeyboard {
public:
    explicit X11Keyboard(std::shared_ptr<X11Connection> connection);
    ~X11Keyboard() override;
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) override;
    uint32_t SendInput(const std::vector<KeyInput>& inputs) override;
    int16_t VkKeyScanA(char ch) override;
    uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;
    int16_t GetKeyState(int vk) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
