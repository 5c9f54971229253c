#include <gtest/gtest.h>

#include "HeardPhrases.h"
#include "SpeechSamples.h"
#include "speech/AudioSource.h"
#include "speech/SpeechRecogniser.h"

namespace {

const std::vector<std::string> kGrammar = {"switch to", "Notepad",     "Open File!",   "page 2",
                                           "gedit",     "LibreOffice", "Close Window", "Close Tab",
                                           "Firefox",   "Copy",        "Paste",        "Terminal"};

std::vector<int16_t> Said(const std::string& text, const std::string& voice, uint32_t seed = 1) {
    const auto speech = SpeechSamples::Speak(text, voice);
    EXPECT_FALSE(speech.empty()) << "the synthesiser said nothing for " << text;
    return SpeechSamples::Frame(speech, 0.5, 1.0, seed).samples;
}

class RecogniserTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        EXPECT_TRUE(recogniser_.SetGrammar(kGrammar).empty());
        // A first phrase settles the recogniser on the voice, as any first use does.
        HeardPhrases(recogniser_, Said("copy", GetParam()));
    }
    SpeechRecogniser recogniser_;
};

TEST_P(RecogniserTest, HearsEachCommandAsWrittenInTheGrammar) {
    std::vector<std::pair<std::string, std::string>> cases = {{"notepad", "Notepad"},
                                                              {"open file", "Open File!"},
                                                              {"page 2", "page 2"},
                                                              {"close window", "Close Window"}};
    // Words missing from the dictionary have one pronunciation, espeak-ng's; the festival
    // voices say these two another way and are not heard yet.
    if (!GetParam().starts_with("festival:")) {
        cases.insert(cases.end(), {{"gedit", "gedit"}, {"libre office", "LibreOffice"}});
    }
    uint32_t seed = 10;
    for (const auto& [spoken, written] : cases) {
        EXPECT_EQ(HeardPhrases(recogniser_, Said(spoken, GetParam(), ++seed)),
                  std::vector<std::string>{written})
            << "said \"" << spoken << "\"";
    }
}

TEST_P(RecogniserTest, SpeechOutsideTheGrammarIsNotTaken) {
    uint32_t seed = 20;
    for (const char* spoken :
         {"what time is it", "banana bread", "open the door", "good morning everybody"}) {
        EXPECT_TRUE(HeardPhrases(recogniser_, Said(spoken, GetParam(), ++seed)).empty())
            << "said \"" << spoken << "\"";
    }
}

TEST_P(RecogniserTest, APauseInsideACommandDoesNotSplitIt) {
    auto speech = SpeechSamples::Speak("close", GetParam());
    const auto pause = SpeechSamples::Quiet(0.3, 5);
    const auto rest = SpeechSamples::Speak("tab", GetParam());
    speech.insert(speech.end(), pause.begin(), pause.end());
    speech.insert(speech.end(), rest.begin(), rest.end());
    EXPECT_EQ(HeardPhrases(recogniser_, SpeechSamples::Frame(speech, 0.5, 1.0, 6).samples),
              std::vector<std::string>{"Close Tab"});
}

TEST_P(RecogniserTest, ResetForgetsTheUtteranceInProgress) {
    const auto samples = Said("firefox", GetParam(), 30);
    const std::size_t half = samples.size() / 2;
    HeardPhrases(recogniser_,
                 {samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(half)});
    EXPECT_TRUE(recogniser_.InUtterance());
    recogniser_.Reset();
    EXPECT_FALSE(recogniser_.InUtterance());
    EXPECT_TRUE(HeardPhrases(recogniser_, SpeechSamples::Quiet(1.0, 31)).empty());
    // And the next phrase is heard normally.
    EXPECT_EQ(HeardPhrases(recogniser_, Said("firefox", GetParam(), 32)),
              std::vector<std::string>{"Firefox"});
}

// Voices of both halves of the measuring corpus (scripts/make-speech-corpus.py): flite slt and
// festival ked are in the half the figures are reported on, flite rms and festival kal in the
// half the recogniser was tuned on.
INSTANTIATE_TEST_SUITE_P(Voices, RecogniserTest,
                         ::testing::Values("flite:slt", "flite:rms", "festival:kal_diphone",
                                           "festival:ked_diphone:0.9"),
                         [](const ::testing::TestParamInfo<std::string>& voice) {
                             std::string name;
                             for (const char c : voice.param) name += std::isalnum(c) ? c : '_';
                             return name;
                         });

TEST(RecogniserColdStartTest, TheVeryFirstPhraseIsHeard) {
    // Nothing heard before: the cepstral mean starts from the model's value, not the voice's.
    for (const char* voice : {"flite:slt", "flite:rms"}) {
        SpeechRecogniser streamed;
        streamed.SetGrammar(kGrammar);
        EXPECT_EQ(HeardPhrases(streamed, Said("firefox", voice, 40)),
                  std::vector<std::string>{"Firefox"})
            << voice;
        // The whole phrase in one batch, as a decoder that fell behind (a busy machine, a slow
        // grammar build) receives it: the beginning of the speech must not be lost.
        SpeechRecogniser batched;
        batched.SetGrammar(kGrammar);
        const auto hearing = batched.Process(Said("firefox", voice, 41));
        ASSERT_TRUE(hearing.has_value()) << voice;
        EXPECT_EQ(hearing->text, "Firefox") << voice;
    }
}

TEST(RecogniserWithoutGrammarTest, HearsNothing) {
    SpeechRecogniser recogniser;
    EXPECT_TRUE(HeardPhrases(recogniser, Said("notepad", "en-us")).empty());
    EXPECT_FALSE(recogniser.InUtterance());

    // A grammar build asked to stop (the program is closing) leaves nothing to hear either.
    std::stop_source closing;
    closing.request_stop();
    EXPECT_TRUE(recogniser.SetGrammar(kGrammar, closing.get_token()).empty());
    EXPECT_TRUE(HeardPhrases(recogniser, Said("notepad", "flite:slt", 50)).empty());
    EXPECT_FALSE(recogniser.InUtterance());
    recogniser.SetGrammar(kGrammar);
    EXPECT_EQ(HeardPhrases(recogniser, Said("notepad", "flite:slt", 51)),
              std::vector<std::string>{"Notepad"});
}

}  // namespace
