#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"

// A PulseAudio daemon of the test's own, in a temporary folder, with a virtual microphone:
// a null sink whose monitor feeds a virtual source that is the default source. Playing a
// file into the sink is speaking into the microphone. Started by the constructor, stopped by
// its process id in the destructor.
class PrivatePulseServer {
public:
    PrivatePulseServer();
    ~PrivatePulseServer();
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    bool Running() const { return ready_; }
    // The address clients use (the value for PULSE_SERVER).
    const std::string& Address() const { return address_; }
    // Plays a WAV file into the microphone and waits until it has been played.
    bool Speak(const std::string& wavPath) const;
    // The command that plays a WAV file into the microphone (for playing it in the background).
    std::vector<std::string> PlayCommand(const std::string& wavPath) const;

private:
    std::string folder_;
    std::string address_;
    std::unique_ptr<ChildProcess> daemon_;
    bool ready_ = false;
};
