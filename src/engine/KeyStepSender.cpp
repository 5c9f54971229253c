#include "engine/KeyStepSender.h"

#include <memory>
#include <string>
#include <utility>

#include "platform/Platform.h"

namespace {

// Presses and releases the key of a virtual-key code in one input call.
void SendKeyPress(uint8_t code) {
    Platform::Keyboard().SendInput({KeyInput{code, 0, 0}, KeyInput{code, 0, kKeyEventKeyUp}});
}

// The key that types a character, without the shift state it needs; 0 when no key types it.
uint8_t KeyOfCharacter(char c) {
    const int16_t v = Platform::Keyboard().VkKeyScanA(c);
    if (v == -1) return 0;
    return static_cast<uint8_t>(v & 0xFF);
}

}  // namespace

KeyStepSender::KeyStepSender(std::vector<KeyStep> steps, Hwnd target)
    : steps_(std::move(steps)), target_(target) {}

bool KeyStepSender::SendPortion(int keyLimit) {
    int keysDown = 0;
    while (next_ < steps_.size()) {
        const KeyStep& step = steps_[next_];
        // A release always goes out; a key goes down only while the target has the focus.
        const bool keyGoesDown = step.kind != KeyStep::Kind::Release &&
                                 !(step.kind == KeyStep::Kind::Repeat && step.count == 0);
        // The focus cannot move between the check and the key it guards.
        std::unique_ptr<IWindowSystem::FocusHold> hold;
        if (keyGoesDown) {
            if (keysDown >= keyLimit && held_.Empty()) return true;
            hold = Platform::Windows().HoldKeyboardFocus();
            if (!Platform::Windows().HasKeyboardFocus(target_)) {
                held_.ReleaseAll();
                next_ = steps_.size();
                return false;
            }
            ++keysDown;
        }
        if (SendKey(step)) {
            ++next_;
            repeatsSent_ = 0;
        }
    }
    return false;
}

bool KeyStepSender::SendKey(const KeyStep& step) {
    switch (step.kind) {
        case KeyStep::Kind::Press:
            held_.Down(step.code);
            break;
        case KeyStep::Kind::Release:
            held_.Up(step.code);
            break;
        case KeyStep::Kind::Repeat:
            if (step.count == 0) break;
            SendKeyPress(step.code);
            return ++repeatsSent_ >= step.count;
        case KeyStep::Kind::Character: {
            const std::string c(1, step.character);
            if (step.pressThenRelease) {
                keyboard_.PressKey(c, true);
                keyboard_.PressKey(c, false, true);
            } else {
                keyboard_.PressKey(c);
            }
            break;
        }
        case KeyStep::Kind::CharacterKey:
            if (const uint8_t code = KeyOfCharacter(step.character)) SendKeyPress(code);
            break;
    }
    return true;
}
