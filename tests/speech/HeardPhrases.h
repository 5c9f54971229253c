#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "speech/AudioSource.h"
#include "speech/SpeechRecogniser.h"

// Streams the samples into the recogniser in live-sized fragments and collects the phrases it
// hears and accepts.
inline std::vector<std::string> HeardPhrases(SpeechRecogniser& recogniser,
                                             const std::vector<int16_t>& samples) {
    std::vector<std::string> heard;
    for (std::size_t at = 0; at < samples.size(); at += kAudioFragmentSamples) {
        const std::size_t n = std::min(kAudioFragmentSamples, samples.size() - at);
        if (auto hearing = recogniser.Process({samples.data() + at, n})) {
            heard.push_back(hearing->text);
        }
    }
    return heard;
}
