// The program as a user runs it: a phrase spoken into the microphone brings its application's
// window to the front, a vocabulary word types its keys there, and a phrase whose window is
// absent starts its program. Runs on a display of its own (Xvfb with openbox).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "TempProgramFolder.h"
#include "UserActions.h"
#include "VornSession.h"
#include "platform/Keyboard.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

namespace {

// Pixels of the program's layouts on the test display (96 dots per inch: 15 twips a pixel).
int Twips(int twips) {
    return twips / 15;
}

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

    // Says the phrase until the effect shows, a few times at most (synthetic speech is
    // sometimes misheard or rejected, as real speech is).
    static constexpr int kAttempts = 5;
    static bool SayUntil(const std::string& phrase, const std::function<bool()>& effect) {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            session->Say(phrase);
            if (WaitFor(effect, std::chrono::seconds(5))) return true;
        }
        return false;
    }

    static inline VornSession* session = nullptr;
};

// The window manager's state of a window, as xprop shows it.
std::string WindowState(Hwnd window) {
    const std::string command = "xprop -id " + std::to_string(window) + " _NET_WM_STATE";
    std::string text;
    if (FILE* out = popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, out) != nullptr) text += chunk;
        pclose(out);
    }
    return text;
}

TEST_F(EndToEndTest, TheMainWindowOpensAlwaysOnTop) {
    ASSERT_NE(session->MainWindow(), 0);
    EXPECT_NE(WindowState(session->MainWindow()).find("_NET_WM_STATE_ABOVE"), std::string::npos);
    VornSession::Screenshot(session->MainWindow(), "main-window");
}

TEST_F(EndToEndTest, AnActivationPhraseBringsItsWindowToTheFront) {
    const Hwnd logger = session->LoggerWindow();
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    EXPECT_TRUE(SayUntil("key logger",
                         [&] { return Platform::Windows().GetForegroundWindow() == logger; }));
}

TEST_F(EndToEndTest, AVocabularyWordTypesItsKeysIntoTheWindowInFront) {
    ASSERT_TRUE(WaitFor(
        [] { return Platform::Windows().GetForegroundWindow() == session->LoggerWindow(); }));
    bool typed = false;
    for (int attempt = 0; attempt < kAttempts && !typed; ++attempt) {
        session->Say("hello");
        const auto presses = session->Logger().PressesUntil("press exclam 0x1");
        typed = !presses.empty() && presses.back().rfind("(no ", 0) != 0;
        if (typed) {
            EXPECT_EQ(presses,
                      (std::vector<std::string>{"Shift_L 0x0", "H 0x1", "i 0x0", "Shift_L 0x0"}));
        }
    }
    EXPECT_TRUE(typed);
}

TEST_F(EndToEndTest, APhraseWhoseWindowIsAbsentStartsItsProgram) {
    EXPECT_TRUE(SayUntil("open the client", [] {
        return Platform::Windows().FindWindowA("Started", "started window") != 0;
    }));
}

TEST_F(EndToEndTest, ConfigureOpensTheApplicationWindowWhereADraggedWindowIsAdded) {
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == session->MainWindow(); }));
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(kVkMenu, 0, 0);
    keyboard.keybd_event('C', 0, 0);
    keyboard.keybd_event('C', 0, kKeyEventKeyUp);
    keyboard.keybd_event(kVkMenu, 0, kKeyEventKeyUp);
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    VornSession::Screenshot(configuration, "application-window");

    // A running window dragged from the right-hand list onto the left one becomes a new
    // application: the file gains a third record, its identity and "*".
    const auto records = [] {
        return std::filesystem::file_size(session->File("VAppCmd.txt")) / 270;
    };
    ASSERT_EQ(records(), 2u);
    const int row = Twips(960) + 8;
    DragInWindow(configuration, Twips(4800) + 40, row, Twips(120) + 40, Twips(960) + 80);
    EXPECT_TRUE(WaitFor([&] { return records() == 3u; }));
    const std::string bytes = ReadBytes(session->File("VAppCmd.txt"));
    const std::string third = bytes.substr(2 * 270 + 2, static_cast<unsigned char>(bytes[540]));
    EXPECT_NE(third.find(" \xA6 "), std::string::npos) << third;
    EXPECT_EQ(third.back(), '*') << third;
}

TEST_F(EndToEndTest, ClosingTheMainWindowEndsTheProgramAndKeepsItsPlacement) {
    // The application window, shown modally, is closed first: its close box unloads it.
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    CloseWindow(configuration);
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetWindowTextA(configuration, 256).empty(); }));
    CloseWindow(session->MainWindow());
    EXPECT_TRUE(WaitFor([] { return !session->Program().Running(); }, std::chrono::seconds(10)));
    const std::string settings =
        ReadBytes(session->File("config/Ostrelworks/Vorn! Voice Control.conf"));
    EXPECT_NE(settings.find("[frmVorn]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("State=Normal"), std::string::npos) << settings;
}

}  // namespace
