#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "speech/AudioSource.h"

// Plays recorded samples into the recogniser as if they came from the microphone: fragments
// of the live size, from a thread of its own, paced at a multiple of real time. Tests and
// benchmarks use it in place of the microphone.
class ReplayAudioSource final : public IAudioSource {
public:
    // speed 1 is real time, 4 is four times as fast; 0 delivers without pausing.
    explicit ReplayAudioSource(double speed = 1.0);
    ~ReplayAudioSource() override;
    ReplayAudioSource(const ReplayAudioSource&) = delete;
    ReplayAudioSource& operator=(const ReplayAudioSource&) = delete;

    // Queues samples to play after those already queued; while nothing is queued the source
    // delivers silence, as a microphone in a quiet room would (a faint noise floor). Stop
    // drops what has not been played.
    void Queue(const std::vector<int16_t>& samples);

    void Start(SampleSink samples, ErrorSink errors) override;
    void Stop() override;

private:
    void Run(SampleSink samples);

    const double speed_;
    std::mutex mutex_;
    std::vector<int16_t> queued_;
    std::size_t next_ = 0;
    std::atomic<bool> running_{false};
    uint32_t noiseState_ = 12345;
    std::thread thread_;
};
