// Recogniser benchmark on the measuring corpus (scripts/make-speech-corpus.py): commands and
// speech outside the grammar said by many voices, streamed in live-sized fragments through the
// recogniser, clean (over a microphone's noise floor), in noise at 10-15 dB SNR, in a
// reverberant room, and after seconds of steady noise. Reports, for one half of the voices
// (the evaluation half unless told), commands right, misheard and outside speech accepted per
// condition and per voice, the worst voice, the delay from the end of speech to the phrase,
// idle listening cost and peak memory, for the project's recogniser and beside it for plain
// PocketSphinx (the same grammar without the background words). With --outcomes it also writes
// what each utterance was heard as, one line each, to compare two builds utterance by utterance.
//
// Usage: speech_bench --corpus FOLDER [--half eval|tune] [--threads N] [--systems ours,plain]
//                     [--conditions clean,noise,room,steady] [--background-words N]
//                     [--background-weight W] [--command-end FRAMES] [--prefix-end FRAMES]
//                     [--outcomes FILE]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
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
using SpeechSamples::Noise;

constexpr double kLead = 0.6;         // seconds of room before the speech
constexpr double kTail = 1.2;         // and after it
constexpr double kSteadyLead = 5.0;   // seconds of steady noise before speech in that condition
constexpr double kFloorDbfs = -64.0;  // the microphone's own noise floor

struct Row {
    std::string clean, room, voice, half, kind, expected, text;
};

struct Item {
    const Row* row;
    std::vector<int16_t> speech;  // trimmed, as synthesised
    std::vector<int16_t> room;    // the same in a reverberant room, with its tail
};

struct Outcome {
    std::optional<Hearing> hearing;
    double delayMs = 0;  // end of speech -> the fragment that produced the hearing, decoded
};

std::vector<Row> ReadManifest(const std::string& folder) {
    std::vector<Row> rows;
    std::ifstream in(folder + "/manifest.tsv");
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() < 7) continue;
        rows.push_back(Row{folder + "/" + fields[0], folder + "/" + fields[1], fields[2], fields[3],
                           fields[4], fields[5], fields[6]});
    }
    return rows;
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

// What reaches the microphone for one item in one condition, and where its speech ends.
SpeechSamples::Utterance Condition(const std::string& condition, const Item& item,
                                   std::size_t index) {
    const auto seed = static_cast<uint32_t>(7919 * index + 17);
    std::mt19937 random(seed);
    const auto kind = static_cast<Noise>(index % 3);
    if (condition == "room") {
        auto u = SpeechSamples::Frame(item.room, kLead, kTail, seed);
        u.speechEnd = static_cast<std::size_t>(kLead * kAudioSampleRate) + item.speech.size();
        SpeechSamples::AddNoiseAtLevel(u.samples, Noise::Pink, kFloorDbfs, seed + 1);
        return u;
    }
    const double lead = condition == "steady" ? kSteadyLead : kLead;
    auto u = SpeechSamples::Frame(item.speech, lead, kTail, seed);
    SpeechSamples::AddNoiseAtLevel(u.samples, Noise::Pink, kFloorDbfs, seed + 1);
    if (condition == "noise") {
        const double snr = std::uniform_real_distribution<double>(10.0, 15.0)(random);
        SpeechSamples::AddNoise(u.samples, kind, snr,
                                static_cast<std::size_t>(lead * kAudioSampleRate), u.speechEnd,
                                seed + 2);
    } else if (condition == "steady") {
        const double level = std::uniform_real_distribution<double>(-60.0, -44.0)(random);
        SpeechSamples::AddNoiseAtLevel(u.samples, kind, level, seed + 2);
    }
    return u;
}

// Streams one utterance through the recogniser in live fragments; the first hearing counts.
Outcome Stream(SpeechRecogniser& recogniser, const SpeechSamples::Utterance& u) {
    Outcome outcome;
    for (std::size_t at = 0; at < u.samples.size(); at += kAudioFragmentSamples) {
        const std::size_t n = std::min(kAudioFragmentSamples, u.samples.size() - at);
        const auto begun = Clock::now();
        auto hearing = recogniser.Process({u.samples.data() + at, n});
        const auto spent = std::chrono::duration<double, std::milli>(Clock::now() - begun);
        if (hearing && !outcome.hearing) {
            outcome.hearing = std::move(hearing);
            const double heardAt = static_cast<double>(at + n) - static_cast<double>(u.speechEnd);
            outcome.delayMs = heardAt * 1000.0 / kAudioSampleRate + spent.count();
        }
    }
    return outcome;
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
double IdleCpuPercent(const RecogniserSettings& settings, const std::vector<std::string>& grammar,
                      double seconds) {
    RecognitionThread::Callbacks callbacks;
    RecognitionThread thread(callbacks, settings);
    thread.SetGrammar(grammar);
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

// Idle cost and memory of one listening recogniser, in a child process of its own.
void ReportIdle(const RecogniserSettings& settings, const std::vector<std::string>& grammar,
                const char* system) {
    std::fflush(stdout);
    if (const pid_t child = fork(); child == 0) {
        const double idle = IdleCpuPercent(settings, grammar, 10.0);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf(
            "%-6s idle listening (10 s of a quiet room): %.2f %% of one core; peak "
            "resident memory %.1f MB\n",
            system, idle, static_cast<double>(usage.ru_maxrss) / 1024.0);
        std::fflush(stdout);
        _exit(0);
    } else if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
}

struct Tally {
    int commands = 0, correct = 0, misheard = 0, outside = 0, accepted = 0;
    std::map<std::string, std::pair<int, int>> outsideByKind;  // kind -> accepted, count
    void Add(const Row& row, const Outcome& o) {
        const bool heard = o.hearing.has_value();
        if (row.expected.empty()) {
            ++outside;
            accepted += heard;
            auto& [a, n] = outsideByKind[row.kind];
            a += heard;
            ++n;
        } else {
            ++commands;
            correct += heard && o.hearing->text == row.expected;
            misheard += heard && o.hearing->text != row.expected;
        }
    }
    double Correct() const { return commands ? 100.0 * correct / commands : 0; }
    double Accepted() const { return outside ? 100.0 * accepted / outside : 0; }
    double Misheard() const { return commands ? 100.0 * misheard / commands : 0; }
};

}  // namespace

int main(int argc, char** argv) {
    std::string corpus, half = "eval", systemsOption = "ours,plain";
    std::string conditionsOption = "clean,noise,room,steady";
    std::string outcomesFile;
    unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    RecogniserSettings settings;  // the defaults unless changed here
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--corpus") corpus = value;
        if (option == "--half") half = value;
        if (option == "--conditions") conditionsOption = value;
        if (option == "--systems") systemsOption = value;
        if (option == "--threads") threads = static_cast<unsigned>(std::stoi(value));
        if (option == "--background-words") settings.backgroundWords = std::stoi(value);
        if (option == "--background-weight") settings.backgroundWeight = std::stod(value);
        if (option == "--command-end") settings.commandEndFrames = std::stoi(value);
        if (option == "--prefix-end") settings.prefixEndFrames = std::stoi(value);
        if (option == "--outcomes") outcomesFile = value;
    }
    const std::vector<Row> all = corpus.empty() ? std::vector<Row>{} : ReadManifest(corpus);
    if (all.empty()) {
        std::fprintf(stderr,
                     "no corpus: run scripts/make-speech-corpus.py FOLDER, then speech_bench "
                     "--corpus FOLDER\n");
        return 2;
    }
    std::vector<std::string> grammar;
    for (const Row& row : all) {
        if (!row.expected.empty() &&
            std::find(grammar.begin(), grammar.end(), row.expected) == grammar.end()) {
            grammar.push_back(row.expected);
        }
    }
    RecogniserSettings plain = settings;
    plain.backgroundWords = 0;
    std::vector<std::pair<std::string, RecogniserSettings>> systems;
    if (systemsOption.find("ours") != std::string::npos) systems.emplace_back("ours", settings);
    if (systemsOption.find("plain") != std::string::npos) systems.emplace_back("plain", plain);

    std::printf(
        "settings: command end %d frames, utterance end %d frames, %d background words "
        "at weight %.3f; %u threads\n",
        settings.commandEndFrames, settings.utteranceEndFrames, settings.backgroundWords,
        settings.backgroundWeight, threads);
    for (const auto& [name, s] : systems) ReportIdle(s, grammar, name.c_str());

    std::vector<Item> items;
    for (const Row& row : all) {
        if (row.half == half) items.push_back(Item{&row, {}, {}});
    }
    InParallel(items.size(), threads, [&](unsigned, std::size_t i) {
        items[i].speech = SpeechSamples::Trimmed(SpeechSamples::ReadAudio(items[i].row->clean));
        auto room = SpeechSamples::ReadAudio(items[i].row->room);
        // The room's copy starts where the dry speech starts; keep its reverberant tail.
        const auto first =
            std::find_if(room.begin(), room.end(), [](int16_t s) { return std::abs(s) > 64; });
        room.erase(room.begin(), first);
        room.resize(std::min(room.size(), items[i].speech.size() + kAudioSampleRate / 2));
        items[i].room = std::move(room);
    });
    std::vector<std::string> voices;
    for (const Item& item : items) {
        if (std::find(voices.begin(), voices.end(), item.row->voice) == voices.end()) {
            voices.push_back(item.row->voice);
        }
    }
    std::printf("corpus: %zu utterances of the %s half, %zu voices, %zu commands in the grammar\n",
                items.size(), half.c_str(), voices.size(), grammar.size());

    std::ofstream outcomesOut;
    if (!outcomesFile.empty()) outcomesOut.open(outcomesFile);
    std::vector<std::string> conditions;
    for (const char* condition : {"clean", "noise", "room", "steady"}) {
        if (conditionsOption.find(condition) != std::string::npos) conditions.push_back(condition);
    }
    for (const std::string& condition : conditions) {
        std::printf("\n== %s\n", condition.c_str());
        std::map<std::string, std::vector<Outcome>> results;
        for (const auto& [name, s] : systems) {
            std::vector<std::unique_ptr<SpeechRecogniser>> recognisers;
            for (unsigned t = 0; t < threads; ++t) {
                recognisers.push_back(std::make_unique<SpeechRecogniser>(s));
                recognisers.back()->SetGrammar(grammar);
            }
            auto& outcomes = results[name];
            outcomes.resize(items.size());
            InParallel(items.size(), threads, [&](unsigned t, std::size_t i) {
                outcomes[i] = Stream(*recognisers[t], Condition(condition, items[i], i));
            });
        }
        // condition, system, utterance, what it was heard as ("-" for nothing)
        for (const auto& [name, s] : systems) {
            for (std::size_t i = 0; i < items.size() && outcomesOut.is_open(); ++i) {
                const auto& hearing = results[name][i].hearing;
                outcomesOut << condition << '\t' << name << '\t' << items[i].row->clean << '\t'
                            << (hearing ? hearing->text : "-") << '\n';
            }
        }
        std::printf("  %-6s %9s %9s %9s   %-9s %-9s %-9s   %s\n", "system", "right", "misheard",
                    "outside", "near", "unrelat.", "long", "delay median / p90 (ms)");
        for (const auto& [name, s] : systems) {
            Tally tally;
            std::vector<double> delays;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const auto& o = results[name][i];
                tally.Add(*items[i].row, o);
                if (o.hearing && o.hearing->text == items[i].row->expected)
                    delays.push_back(o.delayMs);
            }
            const auto kind = [&tally](const char* k) {
                const auto& [a, n] = tally.outsideByKind[k];
                return n ? 100.0 * a / n : 0.0;
            };
            std::printf(
                "  %-6s %8.1f%% %8.1f%% %8.1f%%   %7.1f%%  %7.1f%%  %7.1f%%   %.0f / %.0f\n",
                name.c_str(), tally.Correct(), tally.Misheard(), tally.Accepted(), kind("near"),
                kind("outside"), kind("long"), Percentile(delays, 0.5), Percentile(delays, 0.9));
        }
        std::printf("  by voice: commands right / outside accepted");
        for (const auto& [name, s] : systems) std::printf("   [%s]", name.c_str());
        std::printf("\n");
        std::map<std::string, std::pair<double, std::string>> worst;
        for (const auto& voice : voices) {
            std::printf("    %-32s", voice.c_str());
            for (const auto& [name, s] : systems) {
                Tally tally;
                for (std::size_t i = 0; i < items.size(); ++i) {
                    if (items[i].row->voice == voice) tally.Add(*items[i].row, results[name][i]);
                }
                std::printf("  %5.1f%% / %5.1f%%", tally.Correct(), tally.Accepted());
                auto& w = worst.try_emplace(name, 1e9, "").first->second;
                if (tally.Correct() < w.first) w = {tally.Correct(), voice};
            }
            std::printf("\n");
        }
        for (const auto& [name, w] : worst) {
            std::printf("  worst voice [%s]: %s %.1f%%\n", name.c_str(), w.second.c_str(), w.first);
        }
        if (condition == "clean" && !systems.empty()) {
            // What goes wrong, for the first system (count over voices).
            std::map<std::string, int> errors;
            const auto& outcomes = results[systems.front().first];
            for (std::size_t i = 0; i < items.size(); ++i) {
                const auto& h = outcomes[i].hearing;
                const Row& row = *items[i].row;
                const bool right = h && h->text == row.expected;
                const bool wrongAccept = row.expected.empty() && h;
                if ((!row.expected.empty() && !right) || wrongAccept) {
                    errors[row.text + " -> " + (h ? h->text : "nothing")]++;
                }
            }
            std::printf("  errors [%s]:\n", systems.front().first.c_str());
            for (const auto& [what, count] : errors) {
                if (count > 1) std::printf("    %2d  %s\n", count, what.c_str());
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
