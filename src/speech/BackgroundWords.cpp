#include "speech/BackgroundWords.h"

#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <utility>

namespace {

constexpr char kLanguageModel[] = VORN_SPEECH_MODEL_DIR "/en-us/en-us.lm.bin";
// Enough words for any caller; the rest of the model is not kept.
constexpr std::size_t kKept = 2000;

std::vector<std::string> ReadByFrequency() {
    logmath_t* logmath = logmath_init(1.0001, 0, 0);
    ngram_model_t* model = ngram_model_read(nullptr, kLanguageModel, NGRAM_AUTO, logmath);
    std::vector<std::pair<int32, std::string>> scored;
    if (model != nullptr) {
        const auto unigrams = static_cast<int32>(ngram_model_get_counts(model)[0]);
        for (int32 id = 0; id < unigrams; ++id) {
            const char* word = ngram_word(model, id);
            // Sentence marks and the like are no words.
            if (word == nullptr || word[0] == '<' || word[0] == '\'') continue;
            scored.emplace_back(ngram_score(model, word, nullptr), word);
        }
        ngram_model_free(model);
    }
    logmath_free(logmath);
    std::sort(scored.begin(), scored.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> words;
    for (std::size_t i = 0; i < scored.size() && i < kKept; ++i) words.push_back(scored[i].second);
    return words;
}

}  // namespace

std::vector<std::string> BackgroundWords(std::size_t count) {
    static const std::vector<std::string> byFrequency = ReadByFrequency();
    return {byFrequency.begin(),
            byFrequency.begin() + static_cast<std::ptrdiff_t>(std::min(count, byFrequency.size()))};
}
