#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "speech/CommandGrammar.h"

// How the recogniser decides; the defaults are the tuned ones.
struct RecogniserSettings {
    // Voice activity hang-over in 10 ms frames: the pause that ends an utterance which could
    // still go on (its words begin a longer command, or they are no command yet).
    int utteranceEndFrames = 50;
    // Pause in 10 ms frames after a complete command that no other command extends, after
    // which the command is taken without waiting for the full hang-over.
    int commandEndFrames = 15;
    // The same for a complete command that begins a longer one ("save" beside "save file"):
    // a pause this long makes the longer one unlikely.
    int prefixEndFrames = 30;
    // Speech outside the grammar competes with the commands as a loop of this many frequent
    // English words (none of them a command word); 0 leaves the loop out.
    int backgroundWords = 300;
    // Weight of each background word against one command: lower lets more of the speech
    // outside the grammar through, higher takes more commands for background speech. Speech
    // that the background words explain better than any command is what is refused.
    double backgroundWeight = 0.03;
};

// What one utterance was heard as.
struct Hearing {
    std::string text;  // the alternative as written in the grammar file (Windows-1252)
};

// The speech recogniser: PocketSphinx with the grammar's alternatives as a finite-state
// grammar, beside a loop of frequent words that takes the speech which is no command.
// Not thread-safe: one thread feeds it audio and changes its grammar.
class SpeechRecogniser {
public:
    explicit SpeechRecogniser(const RecogniserSettings& settings = {});
    ~SpeechRecogniser();
    SpeechRecogniser(const SpeechRecogniser&) = delete;
    SpeechRecogniser& operator=(const SpeechRecogniser&) = delete;

    // Makes these alternatives (grammar-file texts) what can be heard, dropping any utterance
    // in progress. Returns what could not be taken as written. Words missing from the
    // dictionary get pronunciations from letter-to-sound rules. A build that is asked to stop
    // (a very large grammar takes seconds) ends early and leaves nothing to hear.
    std::vector<std::string> SetGrammar(const std::vector<std::string>& alternatives,
                                        std::stop_token stop = {});

    // Feeds 16 kHz mono samples. Returns a hearing when an utterance ended as a command;
    // nothing while listening goes on, for other speech, and without a grammar.
    std::optional<Hearing> Process(std::span<const int16_t> samples);

    // True between the start of speech and the end of its utterance.
    bool InUtterance() const;

    // Drops the utterance in progress, if any (listening stopped and started again).
    void Reset();

private:
    struct Decoders;
    std::unique_ptr<Decoders> decoders_;
};
