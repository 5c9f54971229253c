// Recogniser benchmark: a synthesised corpus of commands and of speech outside the grammar,
// several voices, clean and in pink noise, streamed in live-sized fragments through the
// recogniser. Prints accuracy against false accepts for each rejection threshold, the delay
// from end of speech to the phrase, idle listening cost and peak memory.
//
// Usage: speech_bench [--threads N] [--voices N]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "SpeechSamples.h"
#include "speech/AudioSource.h"
#include "speech/RecognitionThread.h"
#include "speech/ReplayAudioSource.h"
#include "speech/SpeechRecogniser.h"

namespace {

using Clock = std::chrono::steady_clock;

// The commands: program names (many missing from the dictionary), editing commands, numbers,
// keys. The grammar also holds them, in this spelling.
const std::vector<std::string> kCommands = {
    "switch to",    "Notepad",     "Firefox",     "Thunderbird", "Calculator",
    "Terminal",     "gedit",       "xterm",       "LibreOffice", "Konsole",
    "VLC",          "GIMP",        "Inkscape",    "Open File!",  "Save File",
    "Close Window", "Close Tab",   "New Tab",     "Copy",        "Paste",
    "Cut",          "Undo",        "Redo",        "Select All",  "Find Next",
    "page 2",       "page 3",      "page 10",     "F4",          "F5",
    "scroll up",    "scroll down", "go back",     "go forward",  "Print",
    "zoom in",      "zoom out",    "Delete Line", "Enter",       "Escape",
    "volume up",    "mute",        "bold",        "Spell Check", "minimise window",
};
// Speech that is not a command: unrelated phrases and near misses.
const std::vector<std::string> kOutside = {
    "banana bread",   "what time is it", "copy that",      "open the door",
    "good morning",   "how are you",     "turn left",      "the weather is nice",
    "send an email",  "play some music", "call my mother", "I am hungry",
    "close the door", "pass the salt",   "find my keys",   "thank you very much",
    "page me later",  "new york city",
};
// Commands spoken word by word with a 0.3 s pause: must come out whole, not split.
const std::vector<std::pair<std::string, std::string>> kPaused = {
    {"close", "window"}, {"select", "all"}, {"scroll", "down"},
    {"page", "10"},      {"save", "file"},  {"zoom", "out"},
};
const std::vector<std::string> kVoices = {
    "en-us",    "en-us+f3",  "en-us+m3",  "en-gb+m5",  "en-us+f2",
    "en-us+m1", "flite:slt", "flite:rms", "flite:awb", "flite:kal16",
};

struct Item {
    std::string expected;  // empty for speech outside the grammar
    SpeechSamples::Utterance utterance;
};

struct Outcome {
    std::optional<Hearing> hearing;
    double delayMs = 0;  // end of speech -> the fragment that produced the hearing, decoded
};

// Streams one utterance through the recogniser in live fragments; the first hearing counts.
Outcome Stream(SpeechRecogniser& recogniser, const std::vector<int16_t>& samples,
               std::size_t speechEnd) {
    Outcome outcome;
    for (std::size_t at = 0; at < samples.size(); at += kAudioFragmentSamples) {
        const std::size_t n = std::min(kAudioFragmentSamples, samples.size() - at);
        const auto begun = Clock::now();
        auto hearing = recogniser.Process({samples.data() + at, n});
        const auto spent = std::chrono::duration<double, std::milli>(Clock::now() - begun);
        if (hearing && !outcome.hearing) {
            outcome.hearing = std::move(hearing);
            const double heardAt = static_cast<double>(at + n) - static_cast<double>(speechEnd);
            outcome.delayMs = heardAt * 1000.0 / kAudioSampleRate + spent.count();
        }
    }
    return outcome;
}

template <typename Work>
void InParallel(std::size_t count, unsigned threads, Work work) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            for (std::size_t i = next++; i < count; i = next++) work(t, i);
        });
    }
    for (auto& thread : pool) thread.join();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1,
                           static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Listening to a quiet room through the live path (fragment source -> recognition thread).
double IdleCpuPercent(const RecogniserSettings& settings, double seconds) {
    std::atomic<int> levels{0};
    RecognitionThread::Callbacks callbacks;
    callbacks.level = [&levels](uint64_t, int32_t) { ++levels; };
    RecognitionThread thread(callbacks, settings);
    thread.SetGrammar(kCommands);
    ReplayAudioSource source(1.0);
    // Setting up the decoders and the grammar takes a few seconds of CPU; none of it counts.
    std::this_thread::sleep_for(std::chrono::seconds(8));
    thread.BeginSession(1);
    const double cpuBefore = CpuSeconds();
    const auto begun = Clock::now();
    source.Start([&thread](std::span<const int16_t> s) { thread.Feed(1, s); }, nullptr);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    source.Stop();
    const double wall = std::chrono::duration<double>(Clock::now() - begun).count();
    return 100.0 * (CpuSeconds() - cpuBefore) / wall;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::size_t voiceCount = kVoices.size();
    RecogniserSettings settings;  // the defaults unless changed here
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--threads") threads = static_cast<unsigned>(std::stoi(value));
        if (option == "--voices") voiceCount = std::stoul(value);
        if (option == "--background-words") settings.backgroundWords = std::stoi(value);
        if (option == "--background-weight") settings.backgroundWeight = std::stod(value);
        if (option == "--reject-below") settings.rejectBelow = std::stod(value);
        if (option == "--command-end") settings.commandEndFrames = std::stoi(value);
    }
    std::printf(
        "settings: command end %d frames, utterance end %d frames, %d background words "
        "at weight %.3f, reject below %.1f\n",
        settings.commandEndFrames, settings.utteranceEndFrames, settings.backgroundWords,
        settings.backgroundWeight, settings.rejectBelow);
    // Idle cost and memory of one listening recogniser, measured in a child process of its own
    // before anything else runs.
    std::fflush(stdout);
    if (const pid_t child = fork(); child == 0) {
        const double idle = IdleCpuPercent(settings, 10.0);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf(
            "idle listening (grammar of %zu commands, 10 s of a quiet room): %.2f %% of one core\n"
            "peak resident memory of a listening recogniser: %.1f MB\n",
            kCommands.size(), idle, static_cast<double>(usage.ru_maxrss) / 1024.0);
        std::fflush(stdout);
        _exit(0);
    } else if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }

    const std::vector<std::string> voices(
        kVoices.begin(),
        kVoices.begin() + static_cast<std::ptrdiff_t>(std::min(voiceCount, kVoices.size())));

    // The corpus, synthesised once.
    std::vector<std::pair<std::string, std::string>> scripts;  // expected, text to say
    for (const auto& c : kCommands) scripts.emplace_back(c, c);
    for (const auto& o : kOutside) scripts.emplace_back("", o);
    std::vector<Item> clean(scripts.size() * voices.size());
    InParallel(clean.size(), threads, [&](unsigned, std::size_t i) {
        const auto& [expected, text] = scripts[i % scripts.size()];
        const auto speech = SpeechSamples::Speak(text, voices[i / scripts.size()]);
        clean[i] = Item{expected, SpeechSamples::Frame(speech, 0.6, 1.2, static_cast<uint32_t>(i))};
    });
    std::printf("corpus: %zu commands + %zu outside phrases x %zu voices = %zu utterances\n",
                kCommands.size(), kOutside.size(), voices.size(), clean.size());

    const std::vector<std::pair<std::string, double>> conditions = {
        {"clean", 1e9}, {"15 dB", 15.0}, {"10 dB", 10.0}};
    std::vector<double> thresholds;
    for (double t = -80; t <= 0; t += 5) thresholds.push_back(t);
    std::vector<double> cleanDelays;

    for (const auto& [name, snr] : conditions) {
        std::vector<Item> items = clean;
        if (snr < 1e8) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                auto& u = items[i].utterance;
                const std::size_t begin = static_cast<std::size_t>(0.6 * kAudioSampleRate);
                SpeechSamples::AddPinkNoise(u.samples, snr, begin, u.speechEnd,
                                            static_cast<uint32_t>(7 * i + 1));
            }
        }
        std::vector<Outcome> outcomes(items.size());
        RecogniserSettings everything = settings;
        everything.rejectBelow = -1e9;  // keep every hearing; the thresholds are applied below
        std::vector<std::unique_ptr<SpeechRecogniser>> recognisers;
        for (unsigned t = 0; t < threads; ++t) {
            recognisers.push_back(std::make_unique<SpeechRecogniser>(everything));
            recognisers.back()->SetGrammar(kCommands);
        }
        const auto begun = Clock::now();
        InParallel(items.size(), threads, [&](unsigned t, std::size_t i) {
            outcomes[i] =
                Stream(*recognisers[t], items[i].utterance.samples, items[i].utterance.speechEnd);
        });
        const double seconds = std::chrono::duration<double>(Clock::now() - begun).count();
        std::printf(
            "\n%s (decoded in %.0f s)\n  threshold  commands-correct  outside-accepted  "
            "commands-misheard\n",
            name.c_str(), seconds);
        for (const double threshold : thresholds) {
            int correct = 0, commands = 0, outsideAccepted = 0, outside = 0, misheard = 0;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const auto& h = outcomes[i].hearing;
                const bool accepted = h && h->confidence >= threshold;
                if (items[i].expected.empty()) {
                    ++outside;
                    outsideAccepted += accepted;
                } else {
                    ++commands;
                    correct += accepted && h->text == items[i].expected;
                    misheard += accepted && h->text != items[i].expected;
                }
            }
            std::printf("  %9.0f  %15.1f%%  %15.1f%%  %16.1f%%%s\n", threshold,
                        100.0 * correct / commands, 100.0 * outsideAccepted / outside,
                        100.0 * misheard / commands,
                        threshold == settings.rejectBelow ? "   <- default" : "");
        }
        if (snr > 1e8) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                const auto& h = outcomes[i].hearing;
                if (h && h->text == items[i].expected) cleanDelays.push_back(outcomes[i].delayMs);
            }
            // Which commands are missed most, and by which voices (at the default threshold).
            std::map<std::string, int> missed;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const auto& h = outcomes[i].hearing;
                const double def = settings.rejectBelow;
                const bool ok = h && h->confidence >= def && h->text == items[i].expected;
                const bool fa = items[i].expected.empty() && h && h->confidence >= def;
                if ((!items[i].expected.empty() && !ok) || fa) {
                    const auto& text = scripts[i % scripts.size()].second;
                    missed[text + " -> " +
                           (h ? h->text + (h->confidence >= def ? "" : " (rejected)")
                              : "nothing")]++;
                }
            }
            std::printf(
                "  commands correct by voice, at the default threshold / without rejection:\n");
            for (std::size_t v = 0; v < voices.size(); ++v) {
                int ok = 0, okAll = 0, n = 0;
                for (std::size_t k = 0; k < scripts.size(); ++k) {
                    const std::size_t i = v * scripts.size() + k;
                    if (items[i].expected.empty()) continue;
                    ++n;
                    const auto& h = outcomes[i].hearing;
                    okAll += h && h->text == items[i].expected;
                    ok +=
                        h && h->text == items[i].expected && h->confidence >= settings.rejectBelow;
                }
                std::printf("    %-14s %5.1f%% / %5.1f%%\n", voices[v].c_str(), 100.0 * ok / n,
                            100.0 * okAll / n);
            }
            std::printf("  errors at the default threshold (count over voices):\n");
            for (const auto& [what, count] : missed)
                std::printf("    %2d  %s\n", count, what.c_str());
        }
    }

    std::printf(
        "\nend of speech -> phrase (clean, correct, %zu utterances): median %.0f ms, "
        "90th percentile %.0f ms\n",
        cleanDelays.size(), Median(cleanDelays), Percentile(cleanDelays, 0.9));

    // Commands with a 0.3 s pause between their words.
    int whole = 0, split = 0, total = 0;
    {
        SpeechRecogniser recogniser(settings);
        recogniser.SetGrammar(kCommands);
        for (const auto& voice : voices) {
            for (const auto& [first, second] : kPaused) {
                auto a = SpeechSamples::Speak(first, voice);
                const auto pause = SpeechSamples::Quiet(0.3, 99);
                const auto b = SpeechSamples::Speak(second, voice);
                a.insert(a.end(), pause.begin(), pause.end());
                a.insert(a.end(), b.begin(), b.end());
                const auto u = SpeechSamples::Frame(a, 0.6, 1.2, 5);
                std::vector<std::string> heard;
                for (std::size_t at = 0; at < u.samples.size(); at += kAudioFragmentSamples) {
                    const std::size_t n = std::min(kAudioFragmentSamples, u.samples.size() - at);
                    if (auto h = recogniser.Process({u.samples.data() + at, n}); h && h->accepted)
                        heard.push_back(h->text);
                }
                ++total;
                const std::string target = first + " " + second;
                if (heard.size() == 1 &&
                    std::equal(heard[0].begin(), heard[0].end(), target.begin(), target.end(),
                               [](char x, char y) { return std::tolower(x) == std::tolower(y); })) {
                    ++whole;
                } else {
                    split += heard.size() > 1;
                    std::string all;
                    for (const auto& h : heard) all += " [" + h + "]";
                    std::printf("  %s: \"%s ... %s\" heard as%s\n", voice.c_str(), first.c_str(),
                                second.c_str(), heard.empty() ? " nothing" : all.c_str());
                }
            }
        }
    }
    std::printf("commands with a 0.3 s pause inside: %d of %d heard whole, %d split\n", whole,
                total, split);

    return 0;
}
