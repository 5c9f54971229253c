#include "engine/PressedKeys.h"

#include <algorithm>

#include "common/ResumeNext.h"
#include "platform/Platform.h"

PressedKeys::~PressedKeys() {
    for (auto key = held_.rbegin(); key != held_.rend(); ++key) {
        ResumeNext([&] {
            Platform::Keyboard().keybd_event(key->vk, key->scan, key->flags | kKeyEventKeyUp);
        });
    }
}

void PressedKeys::ReleaseAll() {
    while (!held_.empty()) Up(held_.back().vk);
}

void PressedKeys::Down(uint8_t vk, uint8_t scan, uint32_t flags) {
    Platform::Keyboard().keybd_event(vk, scan, flags);
    held_.push_back({vk, scan, flags});
}

void PressedKeys::Up(uint8_t vk) {
    const auto key =
        std::find_if(held_.begin(), held_.end(), [&](const Key& k) { return k.vk == vk; });
    if (key == held_.end()) return;
    // Forgotten only once the release went out; otherwise the destructor tries again.
    Platform::Keyboard().keybd_event(key->vk, key->scan, key->flags | kKeyEventKeyUp);
    held_.erase(key);
}
