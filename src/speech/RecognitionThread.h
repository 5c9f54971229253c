#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "speech/SpeechRecogniser.h"

// The recogniser's own thread: takes audio fragments from the capture thread, decodes them,
// measures the input level, and switches grammars between utterances. It reports through
// callbacks on its thread; each report carries the listening session of the audio it came
// from, so the receiver can drop reports of a session that has ended.
class RecognitionThread {
public:
    struct Callbacks {
        std::function<void(uint64_t session, const std::string& phrase)> phrase;
        std::function<void(uint64_t session, int32_t level)> level;
        std::function<void(const std::string& note)> note;  // grammar diagnostics
    };

    explicit RecognitionThread(Callbacks callbacks, const RecogniserSettings& settings = {});
    ~RecognitionThread();
    RecognitionThread(const RecognitionThread&) = delete;
    RecognitionThread& operator=(const RecognitionThread&) = delete;

    // The alternatives to recognise from the next utterance on.
    void SetGrammar(std::vector<std::string> alternatives);
    // Starts a new listening session: queued audio of earlier sessions is dropped and the
    // utterance in progress forgotten.
    void BeginSession(uint64_t session);
    // Called by the capture thread with each fragment; never blocks on decoding.
    void Feed(uint64_t session, std::span<const int16_t> samples);

private:
    struct Fragment {
        uint64_t session;
        std::vector<int16_t> samples;
    };

    void Run(RecogniserSettings settings);
    void Decode(SpeechRecogniser& recogniser, Fragment& fragment);

    Callbacks callbacks_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Fragment> queue_;
    std::optional<std::vector<std::string>> pendingGrammar_;
    uint64_t session_ = 0;
    bool quit_ = false;
    std::stop_source quitting_;             // asks a grammar build under way to give up
    std::atomic<bool> inUtterance_{false};  // the recogniser is within an utterance
    // Level measurement, on the recognition thread only.
    int32_t peak_ = 0;
    std::size_t samplesSinceLevel_ = 0;
    std::thread thread_;
};
