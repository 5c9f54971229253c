#pragma once

#include <cstdint>
#include <vector>

// Keys that this code pressed and has yet to release. Whatever is still held when the object
// goes out of scope (after a failure in the middle of a sequence) is released then, the last
// pressed first, so that no key stays held down.
class PressedKeys {
public:
    PressedKeys() = default;
    ~PressedKeys();
    PressedKeys(const PressedKeys&) = delete;
    PressedKeys& operator=(const PressedKeys&) = delete;

    // keybd_event key down, remembered for its release.
    void Down(uint8_t vk, uint8_t scan = 0, uint32_t flags = 0);
    // A key that an earlier call pressed and this object is to release.
    void Adopt(uint8_t vk, uint8_t scan = 0, uint32_t flags = 0) {
        held_.push_back({vk, scan, flags});
    }
    // keybd_event key up of a key pressed through Down or adopted, with the flags it went down
    // with.
    void Up(uint8_t vk);
    // Forgets every held key without releasing it: the caller holds it on purpose.
    void KeepHeld() { held_.clear(); }
    // keybd_event key up of every held key, the last pressed first.
    void ReleaseAll();
    bool Empty() const { return held_.empty(); }

private:
    struct Key {
        uint8_t vk;
        uint8_t scan;
        uint32_t flags;
    };
    std::vector<Key> held_;
};
