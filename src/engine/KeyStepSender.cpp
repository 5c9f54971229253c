#include "engine/KeyStepSender.h"

#include <string>

#include "engine/CKeyboard.h"
#include "engine/PressedKeys.h"
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

void SendKeySteps(const std::vector<KeyStep>& steps) {
    CKeyboard keyboard;
    // Modifiers still down after a failure are released here, the last pressed first.
    PressedKeys held;
    for (const KeyStep& step : steps) {
        switch (step.kind) {
            case KeyStep::Kind::Press:
                held.Down(step.code);
                break;
            case KeyStep::Kind::Release:
                held.Up(step.code);
                break;
            case KeyStep::Kind::Repeat:
                for (int n = 0; n < step.count; ++n) SendKeyPress(step.code);
                break;
            case KeyStep::Kind::Character: {
                const std::string c(1, step.character);
                if (step.pressThenRelease) {
                    keyboard.PressKey(c, true);
                    keyboard.PressKey(c, false, true);
                } else {
                    keyboard.PressKey(c);
                }
                break;
            }
            case KeyStep::Kind::CharacterKey:
                if (const uint8_t code = KeyOfCharacter(step.character)) SendKeyPress(code);
                break;
        }
    }
}
