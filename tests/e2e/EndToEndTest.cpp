// The program as a user runs it: a phrase spoken into the microphone brings its application's
// window to the front, a vocabulary word types its keys there, and a phrase whose window is
// absent starts its program. Runs on a display of its own (Xvfb with openbox).
#include <gtest/gtest.h>

#include <memory>

#include "VornSession.h"
#include "platform/Keyboard.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

namespace {

class EndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        X11Backend::Install();
        session = new VornSession();
    }
    static void TearDownTestSuite() {
        delete session;
        session = nullptr;
    }

    // Says the phrase until the effect shows, three times at most (synthetic speech is
    // sometimes misheard, as real speech is).
    static bool SayUntil(const std::string& phrase, const std::function<bool()>& effect) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            session->Say(phrase);
            if (WaitFor(effect, std::chrono::seconds(5))) return true;
        }
        return false;
    }

    static inline VornSession* session = nullptr;
};

TEST_F(EndToEndTest, TheMainWindowOpensAlwaysOnTop) {
    ASSERT_NE(session->MainWindow(), 0);
    VornSession::Screenshot(session->MainWindow(), "main-window");
}

TEST_F(EndToEndTest, AnActivationPhraseBringsItsWindowToTheFront) {
    const Hwnd logger = session->LoggerWindow();
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    EXPECT_TRUE(SayUntil("key logger",
                         [&] { return Platform::Windows().GetForegroundWindow() == logger; }));
}

TEST_F(EndToEndTest, AVocabularyWordTypesItsKeysIntoTheWindowInFront) {
    ASSERT_TRUE(WaitFor([] {
        return Platform::Windows().GetForegroundWindow() == session->LoggerWindow();
    }));
    bool typed = false;
    for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
        session->Say("hello");
        const auto presses = session->Logger().PressesUntil("press exclam 0x1");
        typed = !presses.empty() && presses.back().rfind("(no ", 0) != 0;
        if (typed) {
            EXPECT_EQ(presses, (std::vector<std::string>{"Shift_L 0x0", "H 0x1", "i 0x0",
                                                         "Shift_L 0x0"}));
        }
    }
    EXPECT_TRUE(typed);
}

TEST_F(EndToEndTest, APhraseWhoseWindowIsAbsentStartsItsProgram) {
    EXPECT_TRUE(SayUntil("open the client", [] {
        return Platform::Windows().FindWindowA("Started", "started window") != 0;
    }));
}

TEST_F(EndToEndTest, ConfigureOpensTheApplicationWindow) {
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(WaitFor([] {
        return Platform::Windows().GetForegroundWindow() == session->MainWindow();
    }));
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(kVkMenu, 0, 0);
    keyboard.keybd_event('C', 0, 0);
    keyboard.keybd_event('C', 0, kKeyEventKeyUp);
    keyboard.keybd_event(kVkMenu, 0, kKeyEventKeyUp);
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    VornSession::Screenshot(configuration, "application-window");
}

}  // namespace
