// Writes the background words, one a line, most frequent first: the most frequent words of the
// general English language model that comes with the acoustic model. Run once when the model
// changes (the `background_words` target); the program ships its output in
// background-words.txt and never reads the model itself, which is large and slow to read.
// Usage: vorn_make_background_words OUTPUT_FILE
#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char kLanguageModel[] = VORN_SPEECH_MODEL_DIR "/en-us/en-us.lm.bin";
// Enough words for any list of background words with the command words taken out.
constexpr std::size_t kKept = 2000;

std::vector<std::string> ReadByFrequency() {
    err_set_logfp(nullptr);  // the model reader's progress notes
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

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> words = ReadByFrequency();
    if (words.empty()) {
        std::fprintf(stderr, "cannot read the language model %s\n", kLanguageModel);
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    for (const std::string& word : words) out << word << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
