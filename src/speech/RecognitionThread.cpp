#include "speech/RecognitionThread.h"

#include <cstdlib>

#include "speech/AudioSource.h"

namespace {

// The level is reported every 100 ms of audio: ten times a second.
constexpr std::size_t kLevelPeriodSamples = kAudioSampleRate / 10;
// While no one speaks, fragments are decoded this many at a time (100 ms of audio): far fewer
// wake-ups cost less than the short delay in noticing that speech has begun. Within an
// utterance every fragment is decoded at once, so that its end is found without delay.
constexpr std::size_t kQuietBatchFragments = 5;
// At most this much audio waits for the decoder; older audio is dropped when it falls behind.
constexpr std::size_t kMaxQueuedFragments = 5 * kAudioSampleRate / kAudioFragmentSamples;

int32_t Peak(std::span<const int16_t> samples) {
    int32_t peak = 0;
    for (const int16_t sample : samples) {
        // -32768 has no positive counterpart in 16 bits; it counts as full scale.
        peak = std::max(peak, std::min<int32_t>(std::abs(static_cast<int32_t>(sample)), 32767));
    }
    return peak;
}

}  // namespace

RecognitionThread::RecognitionThread(Callbacks callbacks, const RecogniserSettings& settings)
    : callbacks_(std::move(callbacks)), thread_([this, settings] { Run(settings); }) {}

RecognitionThread::~RecognitionThread() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    // A grammar nobody will use is not finished: with a very large vocabulary that takes long.
    quitting_.request_stop();
    wake_.notify_one();
    thread_.join();
}

void RecognitionThread::SetGrammar(std::vector<std::string> alternatives) {
    {
        std::lock_guard lock(mutex_);
        pendingGrammar_ = std::move(alternatives);
    }
    wake_.notify_one();
}

void RecognitionThread::BeginSession(uint64_t session) {
    {
        std::lock_guard lock(mutex_);
        session_ = session;
        queue_.clear();
    }
    wake_.notify_one();
}

void RecognitionThread::Feed(uint64_t session, std::span<const int16_t> samples) {
    {
        std::lock_guard lock(mutex_);
        if (session != session_) return;
        if (queue_.size() >= kMaxQueuedFragments) queue_.pop_front();
        queue_.push_back(Fragment{session, {samples.begin(), samples.end()}});
        if (!inUtterance_ && queue_.size() < kQuietBatchFragments) return;
    }
    wake_.notify_one();
}

void RecognitionThread::Run(RecogniserSettings settings) {
    SpeechRecogniser recogniser(settings);
    uint64_t decodedSession = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] {
            return quit_ || session_ != decodedSession ||
                   queue_.size() >= (recogniser.InUtterance() ? 1 : kQuietBatchFragments) ||
                   (pendingGrammar_ && !recogniser.InUtterance());
        });
        if (quit_) return;
        if (session_ != decodedSession) {
            // Listening stopped or started again: what was heard so far counts for nothing.
            decodedSession = session_;
            peak_ = 0;
            samplesSinceLevel_ = 0;
            recogniser.Reset();
        }
        // A new grammar takes effect between utterances only.
        if (pendingGrammar_ && !recogniser.InUtterance()) {
            const std::vector<std::string> alternatives = std::move(*pendingGrammar_);
            pendingGrammar_.reset();
            lock.unlock();
            for (const std::string& note :
                 recogniser.SetGrammar(alternatives, quitting_.get_token())) {
                if (callbacks_.note) callbacks_.note(note);
            }
            lock.lock();
            continue;
        }
        if (queue_.empty()) continue;
        Fragment fragment = std::move(queue_.front());
        queue_.pop_front();
        while (!recogniser.InUtterance() && !queue_.empty()) {
            fragment.samples.insert(fragment.samples.end(), queue_.front().samples.begin(),
                                    queue_.front().samples.end());
            queue_.pop_front();
        }
        lock.unlock();
        Decode(recogniser, fragment);
        inUtterance_ = recogniser.InUtterance();
        lock.lock();
    }
}

void RecognitionThread::Decode(SpeechRecogniser& recogniser, Fragment& fragment) {
    peak_ = std::max(peak_, Peak(fragment.samples));
    samplesSinceLevel_ += fragment.samples.size();
    if (samplesSinceLevel_ >= kLevelPeriodSamples) {
        if (callbacks_.level) callbacks_.level(fragment.session, peak_);
        peak_ = 0;
        samplesSinceLevel_ = 0;
    }
    if (const auto hearing = recogniser.Process(fragment.samples); hearing) {
        if (callbacks_.phrase) callbacks_.phrase(fragment.session, hearing->text);
    }
}
