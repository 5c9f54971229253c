// Keys written in the key notation and typed with the X11 keyboard, as a key-logging client
// receives them. Runs on a display of its own (Xvfb with openbox).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "FreshLists.h"
#include "KeyLoggerProcess.h"
#include "TempProgramFolder.h"
#include "WaitFor.h"
#include "engine/CApp.h"
#include "engine/KeyNotation.h"
#include "engine/KeyStepSender.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Keyboard.h"

// Xlib last: its macros (None, Bool...) clash with the headers above.
#include <X11/keysym.h>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11KeyLayout.h"

namespace {

using Lines = std::vector<std::string>;

std::string Identity(const std::string& className, const std::string& title) {
    return className + " \xA6 " + title;
}

void SetLayout(const char* layout) {
    const std::string command = std::string("setxkbmap ") + layout;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class X11KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetLayout("us"); }

    // Starts the logger in the layout; it has the focus, so keys sent go to it.
    void StartLogger(const char* layout) {
        SetLayout(layout);
        logger = std::make_unique<KeyLogger>(VORN_KEY_LOGGER);
        const std::string ready = logger->NextLine();
        ASSERT_EQ(ready.rfind("ready ", 0), 0u)
            << "the key logger did not get the focus: " << ready;
        loggerWindow = static_cast<Hwnd>(std::stoul(ready.substr(6)));

        connection = std::make_shared<X11Connection>();
        keyboard = std::make_shared<X11Keyboard>(connection);
        Platform::Install(desktop, keyboard, desktop);
    }

    void TearDown() override {
        Platform::InstallAll(desktop);  // the keyboard goes now, giving back what it holds
        keyboard.reset();
        RunningApps::ReleaseRunningApps();
        SetLayout("us");
    }

    // Starts the logger as a voice command application whose vocabulary holds the entry, with
    // the whole X11 backend installed: real windows this time, the running-window list tells
    // the table the logger's handle.
    X11Backend::Services StartLoggerApplication(const std::string& entry) {
        StartLogger("us");
        const X11Backend::Services services = X11Backend::Create();
        Platform::Install(services.windows, services.keyboard, services.processes);
        RunningApps::ReleaseRunningApps();
        RunningApps::FillRunAppListBox(lists[ListId::frmApp_lstRunApp]);
        const std::string identity = Identity("KeyLogger", "Key Logger");
        EXPECT_TRUE(RunningApps::ListItemExists(lists[ListId::frmApp_lstRunApp], identity));
        folder.MakeVocabFolder();
        WriteBytes(folder.File("VAppCmd.txt"), RecordBytes(identity + "*Log~Keys$", 270));
        WriteBytes(folder.File("vocab/Keys.txt"), RecordBytes(entry, 128));
        // The logger has the focus once it says it is ready; the window manager names it the
        // window in front a moment later.
        EXPECT_TRUE(
            WaitFor([&] { return services.windows->GetForegroundWindow() == loggerWindow; }));
        return services;
    }

    // Sends the keys and returns what the logger received: keysym name and modifier state of
    // each press. An Escape sent afterwards marks the end.
    Lines Type(const std::string& keys) {
        KeyStepSender(ParseKeyNotation(keys), desktop->foreground)
            .SendPortion(std::numeric_limits<int>::max());
        return PressesUntilEscape(*keyboard);
    }

    Lines PressesUntilEscape(IKeyboard& sender) {
        sender.SendInput({KeyInput{27, 0, 0}, KeyInput{27, 0, kKeyEventKeyUp}});
        Lines presses = logger->PressesUntil("press Escape 0x0");
        ExpectNothingHeld();
        return presses;
    }

    void ExpectNothingHeld() {
        char keys[32] = {};
        XQueryKeymap(connection->display(), keys);
        for (int i = 0; i < 32; ++i) EXPECT_EQ(keys[i], 0) << "a key is held down, byte " << i;
        for (const int vk : {16, 17, 18, 0xA5}) {
            EXPECT_EQ(keyboard->GetKeyState(vk) & 0x8000, 0) << "virtual key " << vk;
        }
    }

    TempProgramFolder folder;
    FreshLists lists;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();
    std::shared_ptr<X11Connection> connection;
    std::shared_ptr<X11Keyboard> keyboard;
    std::unique_ptr<KeyLogger> logger;
    Hwnd loggerWindow = 0;
};

}  // namespace

TEST_F(X11KeyboardTest, TextWithShiftedCharactersEnterAndGroups) {
    StartLogger("us");
    EXPECT_EQ(Type("Hi, You!?~"),
              (Lines{"Shift_L 0x0", "H 0x1", "i 0x0", "comma 0x0", "space 0x0", "Shift_L 0x0",
                     "Y 0x1", "o 0x0", "u 0x0", "Shift_L 0x0", "exclam 0x1", "Shift_L 0x0",
                     "question 0x1", "Return 0x0"}));
    EXPECT_EQ(Type("^+{TAB}"), (Lines{"Control_L 0x0", "Shift_L 0x4", "ISO_Left_Tab 0x5"}));
    EXPECT_EQ(Type("^c^C^-"), (Lines{"Control_L 0x0", "c 0x4", "Control_L 0x0", "c 0x4",
                                     "Control_L 0x0", "minus 0x4"}));
    EXPECT_EQ(Type("{DOWN 3}{END}"), (Lines{"Down 0x0", "Down 0x0", "Down 0x0", "End 0x0"}));
    EXPECT_EQ(Type("{x}"),
              (Lines{"Shift_L 0x0", "braceleft 0x1", "x 0x0", "Shift_L 0x0", "braceright 0x1"}));
}

TEST_F(X11KeyboardTest, NamedKeysTheLayoutLacksAreStillSent) {
    StartLogger("us");
    EXPECT_EQ(Type("{F13}{F16}+{F14}"), (Lines{"F13 0x0", "F16 0x0", "Shift_L 0x0", "F14 0x1"}));
    EXPECT_NE(X11KeyLayout(connection->display()).KeycodeOfKeysym(XK_F13), 0);
    // The keyboard gives the lent keycodes back when it goes.
    Platform::InstallAll(desktop);
    keyboard.reset();
    EXPECT_EQ(X11KeyLayout(connection->display()).KeycodeOfKeysym(XK_F13), 0);
}

TEST_F(X11KeyboardTest, GermanLayoutTypesAltGrCharactersThroughTheThirdLevel) {
    StartLogger("de");
    // y and z swap places; @, \x80 (the euro sign), | and { sit on the third level.
    EXPECT_EQ(Type("yz^z@\x80|{a}"),
              (Lines{"y 0x0", "z 0x0", "Control_L 0x0", "z 0x4", "ISO_Level3_Shift 0x0", "at 0x80",
                     "ISO_Level3_Shift 0x0", "EuroSign 0x80", "ISO_Level3_Shift 0x0", "bar 0x80",
                     "ISO_Level3_Shift 0x0", "braceleft 0x80", "a 0x0", "ISO_Level3_Shift 0x0",
                     "braceright 0x80"}));
    EXPECT_EQ(Type("\xFC\xDC\xDF"),
              (Lines{"udiaeresis 0x0", "Shift_L 0x0", "Udiaeresis 0x1", "ssharp 0x0"}));
}

TEST_F(X11KeyboardTest, KeyStateShowsHeldKeysAndLockToggles) {
    StartLogger("us");
    keyboard->keybd_event(16, 0, 0);
    EXPECT_NE(keyboard->GetKeyState(16) & 0x8000, 0);
    keyboard->keybd_event(16, 0, kKeyEventKeyUp);
    EXPECT_EQ(keyboard->GetKeyState(16), 0);

    keyboard->SendInput({KeyInput{20, 0, 0}, KeyInput{20, 0, kKeyEventKeyUp}});
    EXPECT_EQ(keyboard->GetKeyState(20), 1);
    keyboard->SendInput({KeyInput{20, 0, 0}, KeyInput{20, 0, kKeyEventKeyUp}});
    EXPECT_EQ(keyboard->GetKeyState(20), 0);
    ExpectNothingHeld();
}

TEST_F(X11KeyboardTest, TheWholeX11BackendTypesIntoTheApplicationInFront) {
    const X11Backend::Services services = StartLoggerApplication("go:ab+{TAB}");
    // The logger is the application in front; the word "go" of its vocabulary types the keys.
    CApp app;
    EXPECT_EQ(app.VocabCheck("go"), 2);
    EXPECT_EQ(PressesUntilEscape(*services.keyboard),
              (Lines{"a 0x0", "b 0x0", "Shift_L 0x0", "ISO_Left_Tab 0x1"}));
}

TEST_F(X11KeyboardTest, AnotherWindowInFrontStopsALongEntryWithNothingHeldDown) {
    const X11Backend::Services services = StartLoggerApplication("erase:{BKSP 5000}");
    CApp app;
    ASSERT_EQ(app.VocabCheck("erase"), 2);

    // A second window takes the focus while the entry is being typed: it receives none of
    // its keys, not even one already on its way when the focus moved, and the typing ends.
    // A few portions go out while it starts; what is left waits until it has the focus, so
    // that the focus moves in the middle of the entry however slowly the window starts.
    KeyLogger other(VORN_KEY_LOGGER);
    for (int portion = 0; portion < 8 && app.ContinueTyping(); ++portion) {
    }
    const std::string ready = other.NextLine();
    ASSERT_EQ(ready.rfind("ready ", 0), 0u) << ready;
    while (app.ContinueTyping()) {
    }
    services.keyboard->SendInput({KeyInput{27, 0, 0}, KeyInput{27, 0, kKeyEventKeyUp}});
    EXPECT_TRUE(other.PressesUntil("press Escape 0x0").empty());
    ExpectNothingHeld();

    // The first window received the keys typed before the second one took the focus.
    ASSERT_TRUE(services.windows->SetForegroundWindow(loggerWindow));
    // The window manager may name it active before the keyboard focus follows.
    ASSERT_TRUE(WaitFor([&] { return services.windows->HasKeyboardFocus(loggerWindow); }));
    const Lines typed = PressesUntilEscape(*services.keyboard);
    EXPECT_FALSE(typed.empty());
    EXPECT_LT(typed.size(), 5000u);
    EXPECT_EQ(static_cast<std::size_t>(std::count(typed.begin(), typed.end(), "BackSpace 0x0")),
              typed.size());
}
