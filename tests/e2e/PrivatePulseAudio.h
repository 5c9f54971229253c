#pragma once

#include <memory>
#include <string>

#include "ChildProcess.h"

// A PulseAudio daemon of the test's own, in a temporary folder: a null sink "speaker" whose
// monitor feeds the virtual source "microphone", the default source. Playing a sound to the
// speaker is speaking into the microphone. PULSE_SERVER points this process (and its
// children) at it while it lives; it is stopped by its PID afterwards.
class PrivatePulseAudio {
public:
    PrivatePulseAudio();
    ~PrivatePulseAudio();
    PrivatePulseAudio(const PrivatePulseAudio&) = delete;
    PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;

    // Starts playing a WAV file into the microphone; the player ends when it has played it.
    std::unique_ptr<ChildProcess> Play(const std::string& wavFile);

private:
    std::string folder_;
    std::unique_ptr<ChildProcess> daemon_;
};
