#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "ChildProcess.h"
#include "KeyLoggerProcess.h"
#include "PrivatePulseServer.h"
#include "TestClient.h"
#include "platform/WindowSystem.h"

// The real program running as a user runs it, on the test's display (Xvfb + openbox) with
// a private PulseAudio whose virtual microphone the test speaks into. Its program folder is
// a temporary folder holding a copy of the program, its help file and these data files:
//   "KeyLogger ¦ Key Logger"  phrase "key logger", vocabulary "Keys" (hello -> "Hi!")
//   "Started ¦ started window" phrase "open the client": the test client, started when absent
//   the vocabulary "Extra" (goodbye -> "Bye!"), assigned to no application
// Its per-user settings go to the folder's "config" (XDG_CONFIG_HOME).
class VornSession {
public:
    VornSession();
    ~VornSession();
    VornSession(const VornSession&) = delete;
    VornSession& operator=(const VornSession&) = delete;

    // Speaks the phrase into the microphone (synthesised, with quiet before and after) and
    // returns when it has been played.
    void Say(const std::string& phrase);

    // Starts speaking the phrase; the player ends when all is played.
    struct Saying {
        std::chrono::steady_clock::time_point speechEnd;  // when the speech itself ends
        std::unique_ptr<ChildProcess> player;
    };
    Saying StartSaying(const std::string& phrase);

    // Starts the program again on the same folder and settings, once it has ended.
    void StartProgram();

    Hwnd MainWindow() const { return mainWindow_; }
    // A file of the program's folder.
    std::string File(const std::string& name) const { return folder_ + "/" + name; }
    Hwnd LoggerWindow() const { return loggerWindow_; }
    KeyLogger& Logger() { return *logger_; }
    // The program's process (ended with SIGTERM when the session goes, if still running).
    ChildProcess& Program() { return *program_; }

    // Finds a top-level window by its title, waiting for it to appear; 0 when none does.
    static Hwnd WaitForWindow(const std::string& title,
                              std::chrono::milliseconds wait = std::chrono::seconds(15));
    // Saves a picture of the window into the test's artefact folder.
    static void Screenshot(Hwnd window, const std::string& name);

private:
    std::string folder_;
    std::unique_ptr<PrivatePulseServer> pulse_;
    std::unique_ptr<ChildProcess> noiseFloor_;
    std::unique_ptr<KeyLogger> logger_;
    std::unique_ptr<ChildProcess> program_;
    Hwnd mainWindow_ = 0;
    Hwnd loggerWindow_ = 0;
    int sayings_ = 0;
};
