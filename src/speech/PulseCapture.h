#pragma once

#include <memory>

#include "speech/AudioSource.h"

// Captures the default PulseAudio source through the asynchronous API: a threaded main loop
// calls back with each fragment, so stopping never depends on a read returning.
class PulseCapture final : public IAudioSource {
public:
    PulseCapture();
    ~PulseCapture() override;
    PulseCapture(const PulseCapture&) = delete;
    PulseCapture& operator=(const PulseCapture&) = delete;

    void Start(SampleSink samples, ErrorSink errors) override;
    void Stop() override;

private:
    struct Session;
    std::unique_ptr<Session> session_;
};
