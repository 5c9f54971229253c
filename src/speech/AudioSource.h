#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// Audio the recogniser listens to: 16 kHz, mono, signed 16-bit samples, in small fragments.
inline constexpr int kAudioSampleRate = 16000;
// One fragment of 20 ms: short enough for a quick end-of-speech decision, long enough that
// idle listening wakes up only 50 times a second.
inline constexpr std::size_t kAudioFragmentSamples = 320;

// A source of audio that delivers fragments on a thread of its own between Start and Stop.
class IAudioSource {
public:
    using SampleSink = std::function<void(std::span<const int16_t>)>;
    // Called when capture fails (the text says why), on whichever thread found the failure.
    using ErrorSink = std::function<void(const std::string&)>;

    virtual ~IAudioSource() = default;

    // Begins delivering. Returns at once; never waits for audio to arrive.
    virtual void Start(SampleSink samples, ErrorSink errors) = 0;
    // Ends delivering: when it returns, neither sink is called again. Never waits on a read.
    // Safe to call when not started.
    virtual void Stop() = 0;
};
