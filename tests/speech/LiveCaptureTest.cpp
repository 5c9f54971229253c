#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <span>
#include <thread>

#include "PrivatePulseServer.h"
#include "SpeechSamples.h"
#include "listening/DirectSR1.h"
#include "speech/PulseCapture.h"

namespace {

constexpr int kWaitMs = 30000;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "live_capture_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

class LiveCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        folder_ = std::filesystem::temp_directory_path() /
                  ("vorn-live-" + std::to_string(QCoreApplication::applicationPid()));
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "temp.txt", std::ios::binary)
            << "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n"
               "<start>=Notepad\r\n<start>=Open File!\r\n<start>=page 2\r\n";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

TEST_F(LiveCaptureTest, ThePhraseSpokenIntoTheMicrophoneIsRecognised) {
    PrivatePulseServer server;
    ASSERT_TRUE(server.Running()) << "the private PulseAudio server did not start";
    setenv("PULSE_SERVER", server.Address().c_str(), 1);

    DirectSR1 control;
    QSignalSpy phrases(&control, &DirectSR1::PhraseRecognized);
    QSignalSpy levels(&control, &DirectSR1::AudioLevel);
    control.LoadGrammarFile(QString::fromStdString((folder_ / "temp.txt").string()));
    control.StartListening();
    // Levels flow once the microphone is open.
    ASSERT_TRUE(levels.wait(kWaitMs));

    const auto speech = SpeechSamples::Speak("open file", "flite:slt");
    const std::string wav = (folder_ / "speech.wav").string();
    ASSERT_TRUE(SpeechSamples::WriteWav(wav, SpeechSamples::Frame(speech, 0.3, 1.0, 1).samples));
    ASSERT_TRUE(server.Speak(wav));
    ASSERT_TRUE(phrases.count() > 0 || phrases.wait(kWaitMs));
    EXPECT_EQ(phrases.takeFirst().at(0).toString(), "Open File!");

    qint32 loudest = 0;
    for (const auto& level : levels) loudest = std::max(loudest, level.at(0).value<qint32>());
    EXPECT_GT(loudest, 3000);
    control.StopListening();
    unsetenv("PULSE_SERVER");
}

TEST_F(LiveCaptureTest, WithoutASoundServerListeningStartsAndStopsQuietly) {
    const std::string nowhere = "unix:" + (folder_ / "no-server").string();
    setenv("PULSE_SERVER", nowhere.c_str(), 1);
    DirectSR1 control;
    QSignalSpy phrases(&control, &DirectSR1::PhraseRecognized);
    QSignalSpy levels(&control, &DirectSR1::AudioLevel);
    control.LoadGrammarFile(QString::fromStdString((folder_ / "temp.txt").string()));
    control.StartListening();
    EXPECT_FALSE(levels.wait(1000));
    control.StopListening();
    control.StartListening();
    control.StopListening();
    EXPECT_EQ(phrases.count(), 0);
    unsetenv("PULSE_SERVER");
}

TEST_F(LiveCaptureTest, AMissingSoundServerIsReportedOnceAStart) {
    const std::string nowhere = "unix:" + (folder_ / "no-server").string();
    setenv("PULSE_SERVER", nowhere.c_str(), 1);
    std::mutex guard;
    std::vector<std::string> reports;
    PulseCapture capture;
    capture.Start([](std::span<const int16_t>) {},
                  [&](const std::string& error) {
                      std::lock_guard<std::mutex> lock(guard);
                      reports.push_back(error);
                  });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const auto reported = [&] {
        std::lock_guard<std::mutex> lock(guard);
        return !reports.empty();
    };
    while (!reported() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // Stopping ends the capture's thread: nothing can be reported afterwards.
    capture.Stop();
    EXPECT_EQ(reports,
              (std::vector<std::string>{"cannot connect to the sound server: Connection refused"}));
    unsetenv("PULSE_SERVER");
}

}  // namespace
