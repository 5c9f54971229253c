#include "speech/ReplayAudioSource.h"

#include <algorithm>
#include <chrono>

namespace {

// Amplitude of the noise floor played while nothing is queued. Exact digital silence is
// something no microphone delivers, and the recogniser's noise tracking mis-handles it.
constexpr int kNoiseFloor = 24;

}  // namespace

ReplayAudioSource::ReplayAudioSource(double speed) : speed_(speed) {}

ReplayAudioSource::~ReplayAudioSource() {
    Stop();
}

void ReplayAudioSource::Queue(const std::vector<int16_t>& samples) {
    std::lock_guard lock(mutex_);
    queued_.erase(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(next_));
    next_ = 0;
    queued_.insert(queued_.end(), samples.begin(), samples.end());
}

void ReplayAudioSource::Start(SampleSink samples, ErrorSink /*errors*/) {
    Stop();
    running_ = true;
    thread_ = std::thread([this, sink = std::move(samples)] { Run(sink); });
}

void ReplayAudioSource::Stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    // What a microphone hears while nobody listens is gone.
    std::lock_guard lock(mutex_);
    queued_.clear();
    next_ = 0;
}

void ReplayAudioSource::Run(SampleSink sink) {
    using Clock = std::chrono::steady_clock;
    const auto fragment = std::chrono::duration<double>(static_cast<double>(kAudioFragmentSamples) /
                                                        kAudioSampleRate / std::max(speed_, 1e-9));
    auto due = Clock::now();
    std::vector<int16_t> buffer(kAudioFragmentSamples);
    while (running_) {
        {
            std::lock_guard lock(mutex_);
            const std::size_t n = std::min(kAudioFragmentSamples, queued_.size() - next_);
            std::copy_n(queued_.begin() + static_cast<std::ptrdiff_t>(next_), n, buffer.begin());
            next_ += n;
            for (std::size_t i = n; i < buffer.size(); ++i) {
                noiseState_ = noiseState_ * 1664525u + 1013904223u;
                const auto spread = static_cast<uint32_t>(2 * kNoiseFloor + 1);
                buffer[i] = static_cast<int16_t>(static_cast<int>((noiseState_ >> 16) % spread) -
                                                 kNoiseFloor);
            }
        }
        sink(buffer);
        if (speed_ > 0) {
            due += std::chrono::duration_cast<Clock::duration>(fragment);
            std::this_thread::sleep_until(due);
        }
    }
}
