#include "speech/SpeechRecogniser.h"

#include <pocketsphinx.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/feat.h>
#include <sphinxbase/fsg_model.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <set>

#include "speech/AudioSource.h"
#include "speech/BackgroundWords.h"
#include "speech/Pronouncer.h"

namespace {

constexpr char kAcousticModel[] = VORN_SPEECH_MODEL_DIR "/en-us/en-us";
constexpr char kDictionary[] = VORN_SPEECH_MODEL_DIR "/en-us/cmudict-en-us.dict";
// The voice activity detection declares speech 10 frames after it begins and keeps 20 frames
// before that (the decoder's defaults): 0.3 s of audio, kept with the utterance's own audio.
constexpr std::size_t kSpeechLeadSamples = 16000 * 3 / 10;

// Decoder set-up writes to a process-wide log setting; set-ups are serialised.
std::mutex& SetupMutex() {
    static std::mutex mutex;
    return mutex;
}

struct DecoderDeleter {
    void operator()(ps_decoder_t* decoder) const { ps_free(decoder); }
};
using Decoder = std::unique_ptr<ps_decoder_t, DecoderDeleter>;

// The decoder finds speech with its voice activity detection. The cepstral mean is tracked
// live across utterances (and kept from speech only, see FinishUtterance).
Decoder MakeDecoder(const RecogniserSettings& settings) {
    const std::string hangover = std::to_string(settings.utteranceEndFrames);
    std::lock_guard lock(SetupMutex());
    cmd_ln_t* config =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", kAcousticModel, "-dict", kDictionary,
                    "-vad_postspeech", hangover.c_str(), "-remove_noise", "yes", "-cmn", "live",
                    "-fsgusealtpron", "no", "-logfn", "/dev/null", nullptr);
    if (config == nullptr) return nullptr;
    Decoder decoder(ps_init(config));
    cmd_ln_free_r(config);
    return decoder;
}

// The live cepstral mean of a decoder, kept so that an utterance of mere noise does not pull
// the mean away from the speaker's.
std::vector<mfcc_t> LiveMean(ps_decoder_t* decoder) {
    cmn_t* cmn = ps_get_feat(decoder)->cmn_struct;
    std::vector<mfcc_t> mean(static_cast<std::size_t>(cmn->veclen));
    cmn_live_get(cmn, mean.data());
    return mean;
}

void SetLiveMean(ps_decoder_t* decoder, const std::vector<mfcc_t>& mean) {
    cmn_t* cmn = ps_get_feat(decoder)->cmn_struct;
    if (!mean.empty() && mean.size() == static_cast<std::size_t>(cmn->veclen)) {
        cmn_live_set(cmn, mean.data());
    }
}

// A hypothesis as words, alternate-pronunciation marks removed ("read(2)" -> "read").
std::vector<std::string> SplitWords(const char* hypothesis) {
    std::vector<std::string> words;
    if (hypothesis == nullptr) return words;
    std::string_view rest(hypothesis);
    while (!rest.empty()) {
        const auto start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const auto end = std::min(rest.find(' '), rest.size());
        std::string word(rest.substr(0, end));
        if (const auto paren = word.find('('); paren != std::string::npos && word.back() == ')') {
            word.erase(paren);
        }
        words.push_back(std::move(word));
        rest.remove_prefix(end);
    }
    return words;
}

}  // namespace

struct SpeechRecogniser::Decoders {
    RecogniserSettings settings;
    Decoder grammar;  // the commands as a finite-state grammar
    CommandGrammar commands;
    std::set<std::string> commandWords;
    std::map<std::string, std::string> addedWords;  // token -> name given to the decoder
    std::string searchName;
    int searchSerial = 0;
    bool started = false;   // an utterance is open in the decoder
    bool inSpeech = false;  // speech has begun in the open utterance
    std::vector<mfcc_t> grammarMean;
    // The latest audio, to keep the beginning of speech that the voice activity detection
    // recognised as speech only some frames later.
    std::deque<int16_t> recent;
    std::vector<int16_t> heard;  // the utterance's audio, from a little before its speech

    std::string WordFor(const std::string& token) {
        if (char* known = ps_lookup_word(grammar.get(), token.c_str())) {
            std::free(known);
            return token;
        }
        if (const auto added = addedWords.find(token); added != addedWords.end()) {
            return added->second;
        }
        const std::string pronunciation = Pronouncer::Pronounce(token);
        if (pronunciation.empty()) return {};
        // Added under a name of our own: the decoder cannot redefine a word, and a token may
        // hold characters its dictionary format does not expect.
        std::string name = "vorn-word-" + std::to_string(addedWords.size() + 1);
        if (ps_add_word(grammar.get(), name.c_str(), pronunciation.c_str(), FALSE) < 0) return {};
        addedWords.emplace(token, name);
        return name;
    }

    // The grammar as a finite-state graph: from the start state one chain of word arcs per
    // command to the final state, all commands equally likely; beside them a loop of
    // background words from the start state to the final state, for speech that is no command.
    bool BuildSearch(const std::stop_token& stop) {
        const auto& list = commands.Commands();
        if (list.empty()) return false;
        const std::vector<std::string> background = BackgroundFor();
        int32 states = 2;
        for (const auto& command : list) states += static_cast<int32>(command.words.size()) - 1;
        const int32 loopState = background.empty() ? -1 : states++;

        logmath_t* logmath = ps_get_logmath(grammar.get());
        const float lw = LanguageWeight();
        const auto weight = [&](double probability) {
            return static_cast<int32>(static_cast<float>(logmath_log(logmath, probability)) * lw);
        };
        fsg_model_t* fsg = fsg_model_init("commands", logmath, lw, states);
        fsg->start_state = 0;
        fsg->final_state = 1;
        std::map<std::string, std::vector<int32>> wordIds;
        const int32 choice = weight(1.0 / static_cast<double>(list.size()));
        int32 next = 2;
        for (const auto& command : list) {
            if (stop.stop_requested()) {
                fsg_model_free(fsg);
                return false;
            }
            int32 from = 0;
            for (std::size_t i = 0; i < command.words.size(); ++i) {
                const bool last = i + 1 == command.words.size();
                const int32 to = last ? 1 : next++;
                AddWordArcs(fsg, wordIds, from, to, i == 0 ? choice : 0, command.words[i]);
                from = to;
            }
        }
        if (loopState >= 0) {
            const int32 each = weight(settings.backgroundWeight / static_cast<double>(list.size()));
            for (const std::string& backgroundWord : background) {
                AddWordArcs(fsg, wordIds, 0, loopState, each, backgroundWord);
                AddWordArcs(fsg, wordIds, loopState, loopState, each, backgroundWord);
            }
            fsg_model_null_trans_add(fsg, loopState, 1, 0);
        }

        const std::string name = "commands-" + std::to_string(++searchSerial);
        const bool ok = !stop.stop_requested() &&
                        ps_set_fsg(grammar.get(), name.c_str(), fsg) >= 0 &&
                        ps_set_search(grammar.get(), name.c_str()) >= 0;
        fsg_model_free(fsg);
        if (!ok) return false;
        if (!searchName.empty()) ps_unset_search(grammar.get(), searchName.c_str());
        searchName = name;
        return true;
    }

    // An arc for the word and one for each of its other pronunciations in the dictionary
    // ("read(2)"), as the decoder would add them itself; it does that by scanning every arc
    // of the graph for each such word, which takes minutes for a very large vocabulary.
    // The graph's word ids of each word's pronunciations are kept in `ids`: the graph looks a
    // word up by comparing it with every word it holds.
    void AddWordArcs(fsg_model_t* fsg, std::map<std::string, std::vector<int32>>& ids, int32 from,
                     int32 to, int32 logProbability, const std::string& word) {
        auto [known, added] = ids.try_emplace(word);
        if (added) {
            known->second.push_back(fsg_model_word_add(fsg, word.c_str()));
            for (int alternative = 2;; ++alternative) {
                const std::string name = word + "(" + std::to_string(alternative) + ")";
                char* pronunciation = ps_lookup_word(grammar.get(), name.c_str());
                if (pronunciation == nullptr) break;
                std::free(pronunciation);
                known->second.push_back(fsg_model_word_add(fsg, name.c_str()));
            }
        }
        for (const int32 id : known->second) fsg_model_trans_add(fsg, from, to, logProbability, id);
    }

    // Background words the dictionary knows, leaving out every word of a command: saying a
    // command must never be explained as background speech word for word.
    std::vector<std::string> BackgroundFor() const {
        std::vector<std::string> words;
        if (settings.backgroundWords <= 0) return words;
        const auto wanted = static_cast<std::size_t>(settings.backgroundWords);
        for (std::string& word : BackgroundWords(wanted + commandWords.size())) {
            if (words.size() == wanted) break;
            if (commandWords.contains(word)) continue;
            char* known = ps_lookup_word(grammar.get(), word.c_str());
            if (known == nullptr) continue;
            std::free(known);
            words.push_back(std::move(word));
        }
        return words;
    }

    float LanguageWeight() const {
        return static_cast<float>(cmd_ln_float32_r(ps_get_config(grammar.get()), "-lw"));
    }

    void StartUtterance() {
        started = ps_start_utt(grammar.get()) >= 0;
        inSpeech = false;
        recent.clear();
        heard.clear();
    }

    // Drops the open utterance; what it did to the cepstral mean is undone, as for noise.
    void EndUtterance() {
        if (!started) return;
        ps_end_utt(grammar.get());
        started = false;
        if (inSpeech) RestoreMean();
        inSpeech = false;
    }

    void RestoreMean() { SetLiveMean(grammar.get(), grammarMean); }

    // The command heard so far, when the speaker has paused long enough after a complete
    // command: briefly when nothing longer could follow, longer when it begins another.
    bool CommandComplete() {
        int32 score = 0;
        const std::vector<std::string> words = SplitWords(ps_get_hyp(grammar.get(), &score));
        const auto command = commands.Find(words);
        if (!command) return false;
        const int pauseNeeded = commands.IsPrefixOfAnother(*command) ? settings.prefixEndFrames
                                                                     : settings.commandEndFrames;
        // Segment frames count from the start of the stream; the last segment ends at the
        // newest frame, so the pause is the distance from the last command word's end to it.
        int lastWordEnd = -1;
        int lastFrame = -1;
        for (ps_seg_t* seg = ps_seg_iter(grammar.get()); seg != nullptr; seg = ps_seg_next(seg)) {
            int startFrame = 0;
            int endFrame = 0;
            ps_seg_frames(seg, &startFrame, &endFrame);
            lastFrame = std::max(lastFrame, endFrame);
            const std::vector<std::string> segWord = SplitWords(ps_seg_word(seg));
            if (!segWord.empty() && commandWords.contains(segWord.front())) lastWordEnd = endFrame;
        }
        return lastWordEnd >= 0 && lastFrame - lastWordEnd >= pauseNeeded;
    }

    // The words of the utterance just ended.
    std::vector<std::string> Ended() {
        ps_end_utt(grammar.get());
        int32 score = 0;
        return SplitWords(ps_get_hyp(grammar.get(), &score));
    }

    std::optional<Hearing> FinishUtterance() {
        std::vector<std::string> words = Ended();
        started = false;
        inSpeech = false;
        if (words.empty()) {
            // Noise set off the voice detector: forget what it did to the cepstral mean.
            RestoreMean();
        } else {
            if (grammarMean.empty()) {
                // The first speech ever heard was decoded with the model's initial cepstral
                // mean, which rarely fits the microphone; the mean has now learnt from this
                // speech, so it is decoded once more.
                words = Redecoded(heard);
            }
            grammarMean = LiveMean(grammar.get());
        }
        std::optional<Hearing> hearing;
        if (const auto command = commands.Find(words)) {
            hearing = Hearing{commands.Commands()[*command].text};
        }
        StartUtterance();
        return hearing;
    }

    // One fragment of audio, decoded; the utterance's audio is kept from a little before the
    // start of its speech, for the first utterance's second decoding.
    std::optional<Hearing> Process(std::span<const int16_t> samples) {
        ps_process_raw(grammar.get(), samples.data(), samples.size(), FALSE, FALSE);
        const bool speech = ps_get_in_speech(grammar.get()) != 0;
        if (inSpeech) {
            heard.insert(heard.end(), samples.begin(), samples.end());
        } else {
            recent.insert(recent.end(), samples.begin(), samples.end());
            if (recent.size() > kSpeechLeadSamples) {
                recent.erase(recent.begin(), recent.end() - kSpeechLeadSamples);
            }
            if (!speech) return std::nullopt;
            heard.assign(recent.begin(), recent.end());
            recent.clear();
            inSpeech = true;
        }
        if (!speech || CommandComplete()) return FinishUtterance();
        return std::nullopt;
    }

    std::vector<std::string> Redecoded(const std::vector<int16_t>& audio) {
        if (ps_start_utt(grammar.get()) < 0) return {};
        ps_process_raw(grammar.get(), audio.data(), audio.size(), FALSE, FALSE);
        return Ended();
    }
};

SpeechRecogniser::SpeechRecogniser(const RecogniserSettings& settings)
    : decoders_(std::make_unique<Decoders>()) {
    decoders_->settings = settings;
    decoders_->grammar = MakeDecoder(settings);
}

SpeechRecogniser::~SpeechRecogniser() {
    decoders_->EndUtterance();
}

std::vector<std::string> SpeechRecogniser::SetGrammar(const std::vector<std::string>& alternatives,
                                                      std::stop_token stop) {
    Decoders& d = *decoders_;
    if (!d.grammar) return {"the speech recogniser could not be set up"};
    d.EndUtterance();
    d.commands = CommandGrammar(alternatives, [&d, &stop](const std::string& token) {
        return stop.stop_requested() ? std::string() : d.WordFor(token);
    });
    d.commandWords.clear();
    for (const auto& command : d.commands.Commands()) {
        d.commandWords.insert(command.words.begin(), command.words.end());
    }
    std::vector<std::string> notes = d.commands.Notes();
    const bool built = d.BuildSearch(stop);
    if (stop.stop_requested()) {
        d.commands = {};
        d.commandWords.clear();
        return {};
    }
    if (built) {
        d.StartUtterance();
    } else if (!d.commands.Commands().empty()) {
        notes.push_back("the recogniser did not accept the grammar");
    }
    return notes;
}

std::optional<Hearing> SpeechRecogniser::Process(std::span<const int16_t> samples) {
    Decoders& d = *decoders_;
    // Audio may come in batches (while nobody speaks, or from a decoder that fell behind):
    // it is decoded one fragment at a time, so that the audio kept begins where the speech
    // began and an utterance that ends inside the batch is followed by the next one.
    std::optional<Hearing> hearing;
    while (d.started && !samples.empty()) {
        const std::size_t n = std::min(samples.size(), kAudioFragmentSamples);
        if (auto heard = d.Process(samples.first(n))) hearing = std::move(heard);
        samples = samples.subspan(n);
    }
    return hearing;
}

bool SpeechRecogniser::InUtterance() const {
    return decoders_->inSpeech;
}

void SpeechRecogniser::Reset() {
    Decoders& d = *decoders_;
    if (!d.started) return;
    d.EndUtterance();
    d.StartUtterance();
}
