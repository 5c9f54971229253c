#pragma once

#include <cstddef>
#include <vector>

#include "engine/CKeyboard.h"
#include "engine/KeyNotation.h"
#include "engine/PressedKeys.h"
#include "platform/WindowSystem.h"

// Sends the key steps of one entry through the platform's keyboard in order: characters through
// CKeyboard, the other keys by virtual-key code. The keys go only to the target window, the
// one in front when the typing began: before each key goes down the target must still have
// the keyboard focus, else the sending stops for good. A long entry is sent in portions, so
// that the program can answer in between; a portion ends only where no key is held down.
// Stopping, failing or dropping the sender leaves no key held down.
class KeyStepSender {
public:
    KeyStepSender(std::vector<KeyStep> steps, Hwnd target);

    // Sends steps until all are sent or the target lost the focus (false), or until keyLimit
    // keys went down and none is held (true: steps remain). A failure propagates.
    bool SendPortion(int keyLimit);

private:
    // Sends a step, or one press of a repeated key; true when the step is done.
    bool SendKey(const KeyStep& step);

    std::vector<KeyStep> steps_;
    std::size_t next_ = 0;
    // Presses already sent of the repeated key at next_.
    int repeatsSent_ = 0;
    Hwnd target_;
    CKeyboard keyboard_;
    PressedKeys held_;
};
