#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "HeardPhrases.h"
#include "SpeechSamples.h"
#include "speech/AudioSource.h"
#include "speech/SpeechRecogniser.h"

namespace {

// Recordings of real people that Debian ships for testing the decoder
// (pocketsphinx-testdata).
const std::filesystem::path kRecordings = "/usr/share/pocketsphinx/test/data";

std::vector<int16_t> RawSamples(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::vector<std::string> Listen(SpeechRecogniser& recogniser, const std::vector<int16_t>& speech,
                                uint32_t seed) {
    return HeardPhrases(recogniser, SpeechSamples::Frame(speech, 0.5, 1.0, seed).samples);
}

TEST(RealSpeechTest, RecordedCommandsAreHeardAndARecordedAudioBookIsNot) {
    ASSERT_TRUE(std::filesystem::is_directory(kRecordings))
        << "scripts/install-deps.sh test installs pocketsphinx-testdata";
    // The recorded sentences among commands of the kind a user has.
    const std::vector<std::pair<std::string, std::vector<int16_t>>> recorded = {
        {"ten of clubs", SpeechSamples::ReadAudio(kRecordings / "cards/001.wav")},
        {"four queen of clubs", SpeechSamples::ReadAudio(kRecordings / "cards/002.wav")},
        {"seven of clubs", SpeechSamples::ReadAudio(kRecordings / "cards/003.wav")},
        {"five five", SpeechSamples::ReadAudio(kRecordings / "cards/004.wav")},
        {"go forward ten meters", RawSamples(kRecordings / "goforward.raw")},
    };
    std::vector<std::string> grammar = {"Notepad", "Close Window", "Copy",       "Paste",
                                        "page 2",  "Firefox",      "Select All", "go back"};
    for (const auto& [text, samples] : recorded) grammar.push_back(text);
    SpeechRecogniser recogniser;
    ASSERT_TRUE(recogniser.SetGrammar(grammar).empty());

    uint32_t seed = 60;
    for (const auto& [text, samples] : recorded) {
        ASSERT_FALSE(samples.empty()) << text;
        EXPECT_EQ(Listen(recogniser, samples, ++seed), std::vector<std::string>{text});
    }
    for (const char* sentence : {"0870", "0880", "0890", "0920", "0930"}) {
        const auto samples = SpeechSamples::ReadAudio(
            kRecordings /
            ("librivox/sense_and_sensibility_01_austen_64kb-" + std::string(sentence) + ".wav"));
        ASSERT_FALSE(samples.empty()) << sentence;
        EXPECT_TRUE(Listen(recogniser, samples, ++seed).empty()) << "audio-book line " << sentence;
    }
}

}  // namespace
