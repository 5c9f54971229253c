// The program as a user runs it: a phrase spoken into the microphone brings its application's
// window to the front, a vocabulary word types its keys there, and a phrase whose window is
// absent starts its program. Runs on a display of its own (Xvfb with openbox).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "TempProgramFolder.h"
#include "TestClient.h"
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

// The height of the application window's menu bar, above its laid-out controls: the window's
// height less that of the layout, measured while the window still has its own size (its
// first opening, before a placement of it was saved).
int menuBarHeight = -1;

// A height in the application window's layout, in pixels from the window's top.
int LayoutY(Hwnd configuration, int twips) {
    if (menuBarHeight < 0) menuBarHeight = WindowHeight(configuration) - Twips(4845);
    return menuBarHeight + Twips(twips);
}

// The middle of the application window's toolbar button i (from 0): image-only buttons of
// 32-pixel images, 41 pixels apart.
int ToolButtonX(int i) {
    return 22 + 41 * i;
}

// Presses a letter with Alt held, as an access key.
void PressWithAlt(uint8_t letter) {
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(kVkMenu, 0, 0);
    keyboard.keybd_event(letter, 0, 0);
    keyboard.keybd_event(letter, 0, kKeyEventKeyUp);
    keyboard.keybd_event(kVkMenu, 0, kKeyEventKeyUp);
}

// A top-level window whose title holds the text, waiting for it to appear; 0 when none does.
// Another program starting on a loaded machine may take long to show its window.
Hwnd WaitForWindowTitled(const std::string& text) {
    Hwnd found = 0;
    WaitFor(
        [&] {
            for (const Hwnd window : Platform::Windows().EnumWindows()) {
                if (Platform::Windows().GetWindowTextA(window, 256).find(text) !=
                    std::string::npos) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        std::chrono::seconds(30));
    return found;
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

    // The text of record n (from 1) of the program's application file.
    static std::string AppRecordText(std::size_t n) {
        const auto records = ReadRecords(session->File("VAppCmd.txt"), 270);
        return n <= records.size() ? records[n - 1] : std::string();
    }

    static inline VornSession* session = nullptr;
    // A window whose title holds record separators, dragged in by the configuration tests.
    static inline std::unique_ptr<TestClient> scratch;
    static constexpr const char* kScratchIdentity = "Scratch \xA6 *notes* ~/work";
};

constexpr uint8_t kVkF1 = 0x70;
constexpr uint8_t kVkReturn = 0x0D;

// Types lower-case letters and blanks with the keyboard.
void Type(const std::string& text) {
    IKeyboard& keyboard = Platform::Keyboard();
    for (const char c : text) {
        const auto key = static_cast<uint8_t>(c == ' ' ? ' ' : c - 'a' + 'A');
        keyboard.keybd_event(key, 0, 0);
        keyboard.keybd_event(key, 0, kKeyEventKeyUp);
    }
}

// Clicks a point of a window's client area.
void Click(Hwnd window, int x, int y) {
    DragInWindow(window, x, y, x, y);
}

// What a shell command prints, and its exit status.
struct CommandResult {
    std::string output;
    int status = -1;
};
CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    if (FILE* out = popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, out) != nullptr) result.output += chunk;
        const int status = pclose(out);
        if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    }
    return result;
}

// The window manager's state of a window, as xprop shows it.
std::string WindowState(Hwnd window) {
    return RunCommand("xprop -id " + std::to_string(window) + " _NET_WM_STATE").output;
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

TEST_F(EndToEndTest, ASecondStartOnTheSameFolderBringsTheRunningWindowForwardAndEnds) {
    const Hwnd logger = session->LoggerWindow();
    Platform::Windows().SetForegroundWindow(logger);
    ASSERT_TRUE(WaitFor([&] { return Platform::Windows().GetForegroundWindow() == logger; }));
    const CommandResult second = RunCommand("env XDG_CONFIG_HOME='" + session->File("config") +
                                            "' '" + session->File("vorn") + "' 2>&1");
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_NE(second.output.find("is already running on the folder"), std::string::npos)
        << second.output;
    EXPECT_EQ(Platform::Windows().GetForegroundWindow(), session->MainWindow());
    EXPECT_TRUE(session->Program().Running());
    int mainWindows = 0;
    for (Hwnd window : Platform::Windows().EnumWindows())
        mainWindows += Platform::Windows().GetWindowTextA(window, 256) == "Vorn! Voice Control";
    EXPECT_EQ(mainWindows, 1);
}

TEST_F(EndToEndTest, ConfigureOpensTheApplicationWindowWhereADraggedWindowIsAdded) {
    // The window in front last before Configure stands right under the main window, in the
    // second row of the running-window list.
    scratch = std::make_unique<TestClient>(std::vector<std::string>{"Scratch|*notes* ~/work|"});
    // The window manager brings a window to the front only once it manages it.
    ASSERT_TRUE(WaitFor([] {
        const std::vector<Hwnd> all = Platform::Windows().EnumWindows();
        return std::find(all.begin(), all.end(), scratch->Window(0)) != all.end();
    }));
    Platform::Windows().SetForegroundWindow(scratch->Window(0));
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == scratch->Window(0); }));
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
    // application: the file gains a third record, its identity and "*", the title whole.
    const auto records = [] {
        return std::filesystem::file_size(session->File("VAppCmd.txt")) / 270;
    };
    ASSERT_EQ(records(), 2u);
    const int secondRow = LayoutY(configuration, 960) + 8 + 13;
    DragInWindow(configuration, Twips(4800) + 40, secondRow, Twips(120) + 40,
                 LayoutY(configuration, 960) + 80);
    ASSERT_TRUE(WaitFor([&] { return records() == 3u; }));
    EXPECT_EQ(AppRecordText(3), "*Scratch \xA6 **notes** ~/work*");
}

TEST_F(EndToEndTest, AWindowWhoseTitleHoldsSeparatorsIsSavedAndItsPhraseBringsItToTheFront) {
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    Click(configuration, Twips(120) + 40, LayoutY(configuration, 960) + 8 + 26);  // third entry
    Click(configuration, Twips(120) + 40, LayoutY(configuration, 3720) + 9);      // its phrase
    Type("scratch notes");
    Click(configuration, Twips(4800) + 60, LayoutY(configuration, 3480) + 16);  // Save Command
    EXPECT_TRUE(WaitFor([] {
        return AppRecordText(3).find("*scratch notes~") != std::string::npos;
    })) << AppRecordText(3);

    // Closing the window rebuilds the grammar; Alt+F1 in the main window resumes listening.
    CloseWindow(configuration);
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetWindowTextA(configuration, 256).empty(); }));
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == session->MainWindow(); }));
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(kVkMenu, 0, 0);
    keyboard.keybd_event(kVkF1, 0, 0);
    keyboard.keybd_event(kVkF1, 0, kKeyEventKeyUp);
    keyboard.keybd_event(kVkMenu, 0, kKeyEventKeyUp);

    Platform::Windows().SetForegroundWindow(session->LoggerWindow());
    EXPECT_TRUE(SayUntil("scratch notes", [] {
        return Platform::Windows().GetForegroundWindow() == scratch->Window(0);
    }));
    scratch.reset();
}

TEST_F(EndToEndTest, TheToolbarDeletesAnApplicationAndHelpOpensTheHelpViewer) {
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == session->MainWindow(); }));
    PressWithAlt('C');  // Configure
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    const auto records = [] {
        return std::filesystem::file_size(session->File("VAppCmd.txt")) / 270;
    };
    ASSERT_EQ(records(), 3u);
    // Clicks reach the window once it is in front and laid out.
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetForegroundWindow() == configuration; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // The third entry, then the toolbar's fourth button, "Delete Application"; OK confirms.
    Click(configuration, Twips(120) + 40, LayoutY(configuration, 960) + 8 + 26);
    Click(configuration, ToolButtonX(3), LayoutY(configuration, 330));
    const Hwnd question = VornSession::WaitForWindow("Delete Voice-Controlled Application");
    ASSERT_NE(question, 0);
    VornSession::Screenshot(question, "delete-question");
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(kVkReturn, 0, 0);
    keyboard.keybd_event(kVkReturn, 0, kKeyEventKeyUp);
    ASSERT_TRUE(WaitFor([&] { return records() == 2u; }));
    EXPECT_EQ(AppRecordText(1).substr(0, 9), "KeyLogger");
    EXPECT_EQ(AppRecordText(2).substr(0, 7), "Started");

    // Help, Vorn! Help Contents: the help viewer opens the compiled help file.
    Platform::Windows().SetForegroundWindow(configuration);
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetForegroundWindow() == configuration; }));
    PressWithAlt('H');
    keyboard.keybd_event('C', 0, 0);
    keyboard.keybd_event('C', 0, kKeyEventKeyUp);
    const Hwnd viewer = WaitForWindowTitled("Vorn! Voice Control Help");
    ASSERT_NE(viewer, 0);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the first topic is laid out
    VornSession::Screenshot(viewer, "help-viewer");
    CloseWindow(viewer);
    EXPECT_TRUE(WaitFor([&] { return Platform::Windows().GetWindowTextA(viewer, 256).empty(); }));

    CloseWindow(configuration);
    EXPECT_TRUE(
        WaitFor([&] { return Platform::Windows().GetWindowTextA(configuration, 256).empty(); }));
}

TEST_F(EndToEndTest, AWordDraggedOntoAnotherVocabularyIsHeardAndTypedOnceTheWindowCloses) {
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == session->MainWindow(); }));
    PressWithAlt('C');  // Configure
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetForegroundWindow() == configuration; }));
    // The switch button; a click that reaches a window still being laid out is given again.
    Hwnd vocabulary = 0;
    for (int attempt = 0; attempt < 3 && vocabulary == 0; ++attempt) {
        if (Platform::Windows().IsWindowVisible(configuration)) {
            Click(configuration, Twips(7200) + 40, LayoutY(configuration, 3480) + 16);
        }
        vocabulary = VornSession::WaitForWindow("Vocabulary/Dictionary Configuration",
                                                std::chrono::seconds(5));
    }
    ASSERT_NE(vocabulary, 0);
    ASSERT_TRUE(WaitFor([&] { return Platform::Windows().GetForegroundWindow() == vocabulary; }));

    // Extra is listed first and current; its word goodbye is dragged onto Keys, the second row.
    const auto keys = [] { return ReadRecords(session->File("vocab/Keys.txt"), 128); };
    ASSERT_EQ(keys(), (std::vector<std::string>{"hello:Hi!"}));
    DragInWindow(vocabulary, Twips(4800) + 40, LayoutY(vocabulary, 960) + 8, Twips(120) + 40,
                 LayoutY(vocabulary, 960) + 19);
    EXPECT_TRUE(WaitFor([&] { return keys().size() == 2u; }));
    EXPECT_EQ(keys(), (std::vector<std::string>{"hello:Hi!", "goodbye:Bye!"}));
    VornSession::Screenshot(vocabulary, "vocabulary-window");

    // Closing the window rebuilds the grammar; Alt+F1 in the main window resumes listening.
    CloseWindow(vocabulary);
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetWindowTextA(vocabulary, 256).empty(); }));
    EXPECT_FALSE(Platform::Windows().IsWindowVisible(configuration));  // not shown again
    Platform::Windows().SetForegroundWindow(session->MainWindow());
    ASSERT_TRUE(
        WaitFor([] { return Platform::Windows().GetForegroundWindow() == session->MainWindow(); }));
    PressWithAlt(kVkF1);

    Platform::Windows().SetForegroundWindow(session->LoggerWindow());
    ASSERT_TRUE(WaitFor(
        [] { return Platform::Windows().GetForegroundWindow() == session->LoggerWindow(); }));
    bool typed = false;
    for (int attempt = 0; attempt < kAttempts && !typed; ++attempt) {
        session->Say("goodbye");
        const auto presses = session->Logger().PressesUntil("press exclam 0x1");
        typed = !presses.empty() && presses.back().rfind("(no ", 0) != 0;
        if (typed) {
            EXPECT_EQ(presses, (std::vector<std::string>{"Shift_L 0x0", "B 0x1", "y 0x0", "e 0x0",
                                                         "Shift_L 0x0"}));
        }
    }
    EXPECT_TRUE(typed);
}

TEST_F(EndToEndTest, ClosingTheMainWindowEndsTheProgramAndKeepsItsPlacement) {
    CloseWindow(session->MainWindow());
    EXPECT_TRUE(WaitFor([] { return !session->Program().Running(); }, std::chrono::seconds(10)));
    const std::string settings =
        ReadBytes(session->File("config/Ostrelworks/Vorn! Voice Control.conf"));
    EXPECT_NE(settings.find("[frmVorn]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("State=Normal"), std::string::npos) << settings;
}

}  // namespace
