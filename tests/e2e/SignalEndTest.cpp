// SIGTERM (logout, shutdown, kill), SIGINT (Ctrl+C in its terminal) and SIGHUP (its terminal
// closed) end the program as closing its main window does: the next start shows the main
// window where the user moved it, also when a configuration window or a message box was open.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>
#include <thread>

#include "TempProgramFolder.h"
#include "UserActions.h"
#include "VornSession.h"
#include "WaitFor.h"
#include "platform/Keyboard.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"
#include "store/CFile.h"

void PrintTo(const ScreenPoint& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

namespace {

enum class OpenAtSignal { Nothing, ConfigurationWindow, DeleteQuestion };

struct SignalCase {
    int signal;
    OpenAtSignal open;
    ScreenPoint moveTo;
};

// Presses a key with Alt or Ctrl held in the window in front.
void PressWith(uint8_t modifier, uint8_t key) {
    IKeyboard& keyboard = Platform::Keyboard();
    keyboard.keybd_event(modifier, 0, 0);
    keyboard.keybd_event(key, 0, 0);
    keyboard.keybd_event(key, 0, kKeyEventKeyUp);
    keyboard.keybd_event(modifier, 0, kKeyEventKeyUp);
}

void BringToFront(Hwnd window) {
    Platform::Windows().SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return Platform::Windows().GetForegroundWindow() == window; }));
}

// Opens what the case asks for, through the main window's Configure button and the
// configuration window's Ctrl+D (Delete Application, which asks first).
void Open(VornSession& session, OpenAtSignal open) {
    if (open == OpenAtSignal::Nothing) return;
    BringToFront(session.MainWindow());
    PressWith(kVkMenu, 'C');
    const Hwnd configuration = VornSession::WaitForWindow("Application Command Configuration");
    ASSERT_NE(configuration, 0);
    if (open == OpenAtSignal::ConfigurationWindow) return;
    ASSERT_TRUE(
        WaitFor([&] { return Platform::Windows().GetForegroundWindow() == configuration; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // laid out, ready for keys
    PressWith(kVkControl, 'D');
    ASSERT_NE(VornSession::WaitForWindow("Delete Voice-Controlled Application"), 0);
}

TEST(SignalEndTest, EachSignalEndsTheProgramKeepingTheMovedMainWindowsPlacement) {
    X11Backend::Install();
    VornSession session;
    const std::string settingsFile = session.File("config/Ostrelworks/Vorn! Voice Control.conf");
    const auto applications = [&] {
        return std::filesystem::file_size(session.File("VAppCmd.txt")) / CFile::kAppRecordLength;
    };
    const SignalCase cases[] = {{SIGTERM, OpenAtSignal::Nothing, {120, 140}},
                                {SIGINT, OpenAtSignal::ConfigurationWindow, {360, 220}},
                                {SIGHUP, OpenAtSignal::DeleteQuestion, {200, 420}}};
    for (const SignalCase& c : cases) {
        SCOPED_TRACE("signal " + std::to_string(c.signal));
        const ScreenPoint before = WindowPosition(session.MainWindow());
        MoveWindow(session.MainWindow(), c.moveTo.x, c.moveTo.y);
        ASSERT_TRUE(WaitFor([&] { return !(WindowPosition(session.MainWindow()) == before); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the program sees it
        const ScreenPoint moved = WindowPosition(session.MainWindow());
        Open(session, c.open);
        if (HasFatalFailure()) return;

        ASSERT_EQ(kill(session.Program().Pid(), c.signal), 0);
        ASSERT_TRUE(
            WaitFor([&] { return !session.Program().Running(); }, std::chrono::seconds(10)));
        EXPECT_EQ(session.Program().ExitStatus(), 0);
        // The question was not answered: nothing is deleted.
        EXPECT_EQ(applications(), 2u);
        if (c.open != OpenAtSignal::Nothing) {
            // The configuration window was unloaded as well, and so kept its own placement.
            EXPECT_NE(ReadBytes(settingsFile).find("[frmApp]"), std::string::npos);
        }

        session.StartProgram();
        EXPECT_EQ(WindowPosition(session.MainWindow()), moved);
    }
}

}  // namespace
