#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "SpeechSamples.h"
#include "common/ErrorRecord.h"
#include "listening/DirectSR1.h"
#include "speech/ReplayAudioSource.h"

namespace {

// Waiting for events is generous: the machine may be busy; nothing here measures time.
constexpr int kPhraseWaitMs = 30000;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "directsr1_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

std::string WriteGrammar(const std::string& name, const std::vector<std::string>& alternatives) {
    const auto path = std::filesystem::temp_directory_path() /
                      (name + "-" + std::to_string(QCoreApplication::applicationPid()) + ".txt");
    std::ofstream out(path, std::ios::binary);
    out << "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n";
    for (const auto& alternative : alternatives) out << "<start>=" << alternative << "\r\n";
    return path.string();
}

std::vector<int16_t> Said(const std::string& text, uint32_t seed) {
    return SpeechSamples::Frame(SpeechSamples::Speak(text, "flite:slt"), 0.3, 0.8, seed).samples;
}

class DirectSR1Test : public ::testing::Test {
protected:
    DirectSR1Test() {
        App();
        // Speech arrives in real time, as from a microphone: a recogniser built without
        // optimisation (or with sanitizers) keeps up with that, not with faster replay.
        auto source = std::make_unique<ReplayAudioSource>(1.0);
        replay_ = source.get();
        control_ = std::make_unique<DirectSR1>(std::move(source));
    }
    ~DirectSR1Test() override {
        for (const auto& path : files_) std::filesystem::remove(path);
    }

    QString Grammar(const std::string& name, const std::vector<std::string>& alternatives) {
        files_.push_back(WriteGrammar(name, alternatives));
        return QString::fromStdString(files_.back());
    }

    // Handles events for a while: long enough for anything the recogniser had under way.
    void HandleEventsFor(int ms) {
        QSignalSpy never(control_.get(), &DirectSR1::destroyed);
        never.wait(ms);
    }

    ReplayAudioSource* replay_;
    std::unique_ptr<DirectSR1> control_;
    std::vector<std::string> files_;
};

TEST_F(DirectSR1Test, RaisesThePhraseAsWrittenAndLevelsOnTheOwningThread) {
    QSignalSpy phrases(control_.get(), &DirectSR1::PhraseRecognized);
    std::vector<qint32> levels;
    bool allOnOwnThread = true;
    QObject::connect(control_.get(), &DirectSR1::AudioLevel, [&](qint32 level) {
        levels.push_back(level);
        allOnOwnThread = allOnOwnThread && QThread::currentThread() == control_->thread();
    });
    QObject::connect(control_.get(), &DirectSR1::PhraseRecognized, [&] {
        allOnOwnThread = allOnOwnThread && QThread::currentThread() == control_->thread();
    });

    control_->LoadGrammarFile(Grammar("open", {"Notepad", "Open File!", "page 2"}));
    control_->StartListening();
    replay_->Queue(Said("open file", 1));
    ASSERT_TRUE(phrases.wait(kPhraseWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Open File!");

    // The level is the peak of the samples: loud during speech, low in the quiet after it
    // (which a busy machine may deliver well after the phrase), never beyond 16 bits.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !levels.empty() && *std::min_element(levels.begin(), levels.end()) < 200; },
        kPhraseWaitMs));
    ASSERT_FALSE(levels.empty());
    EXPECT_GT(*std::max_element(levels.begin(), levels.end()), 3000);
    for (const qint32 level : levels) EXPECT_LE(level, 32767);
    EXPECT_TRUE(allOnOwnThread);
}

TEST_F(DirectSR1Test, AGrammarLoadedWhileListeningTakesEffect) {
    QSignalSpy phrases(control_.get(), &DirectSR1::PhraseRecognized);
    control_->LoadGrammarFile(Grammar("first", {"Notepad", "Copy"}));
    control_->StartListening();
    replay_->Queue(Said("notepad", 2));
    ASSERT_TRUE(phrases.wait(kPhraseWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Notepad");

    control_->LoadGrammarFile(Grammar("second", {"Firefox", "Paste"}));
    replay_->Queue(Said("firefox", 3));
    ASSERT_TRUE(phrases.wait(kPhraseWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Firefox");
}

TEST_F(DirectSR1Test, NoEventArrivesAfterStopUntilTheNextStart) {
    control_->LoadGrammarFile(Grammar("stop", {"Notepad", "Firefox"}));
    // Start and stop in any order, any number of times.
    control_->StopListening();
    control_->StartListening();
    control_->StartListening();
    QSignalSpy phrases(control_.get(), &DirectSR1::PhraseRecognized);
    QSignalSpy levels(control_.get(), &DirectSR1::AudioLevel);
    replay_->Queue(Said("notepad", 4));
    ASSERT_TRUE(phrases.wait(kPhraseWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Notepad");

    // Stop in the middle of a phrase: its end and its levels must not arrive.
    replay_->Queue(Said("firefox", 5));
    bool speaking = false;
    levels.clear();
    while (!speaking && levels.wait(kPhraseWaitMs)) {
        for (const auto& level : levels) speaking = speaking || level.at(0).toInt() > 3000;
        levels.clear();
    }
    ASSERT_TRUE(speaking);
    control_->StopListening();
    control_->StopListening();
    levels.clear();
    HandleEventsFor(3000);
    EXPECT_EQ(phrases.count(), 0);
    EXPECT_EQ(levels.count(), 0);

    // Listening again, the next phrase is heard.
    control_->StartListening();
    replay_->Queue(Said("firefox", 6));
    ASSERT_TRUE(phrases.wait(kPhraseWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Firefox");
    EXPECT_GT(levels.count(), 0);
}

TEST_F(DirectSR1Test, AMissingGrammarFileRaisesFileNotFound) {
    try {
        control_->LoadGrammarFile("/nonexistent/folder/temp.txt");
        FAIL() << "no error raised";
    } catch (const ErrorRecord& error) {
        EXPECT_EQ(error.Number(), 53);
    }
}

}  // namespace
