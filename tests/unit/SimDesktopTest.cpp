#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

TEST(SimDesktop, ServesAsTheInstalledBackend) {
    auto desktop = std::make_shared<SimDesktop>();
    Platform::InstallAll(desktop);
    const Hwnd editor = desktop->AddWindow({"gedit", "notes.txt"});
    desktop->AddWindow({"child", "x", editor});
    EXPECT_EQ(Platform::Windows().EnumWindows(), std::vector<Hwnd>{editor});
    EXPECT_EQ(Platform::Windows().FindWindowA("GEDIT", "Notes.TXT"), editor);
    EXPECT_EQ(Platform::Windows().GetWindowTextA(editor, 4), "not");
    Platform::Install(nullptr, nullptr, nullptr);
    EXPECT_THROW(Platform::Windows(), std::logic_error);
}

TEST(SimDesktop, ActivationRestoresAndCanBeRefused) {
    SimDesktop desktop;
    const Hwnd w = desktop.AddWindow({"c", "t", 0, 0, true, true});
    desktop.refuseActivation = true;
    EXPECT_FALSE(desktop.SetForegroundWindow(w));
    desktop.refuseActivation = false;
    EXPECT_TRUE(desktop.SetForegroundWindow(w));
    EXPECT_EQ(desktop.GetForegroundWindow(), w);
    EXPECT_TRUE(desktop.IsIconic(w));
    desktop.ShowWindow(w, kSwRestore);
    EXPECT_FALSE(desktop.IsIconic(w));
    EXPECT_FALSE(desktop.SetForegroundWindow(0x7777));
}

TEST(SimDesktop, UsLayoutAndKeyStateFollowTheKeyEvents) {
    SimDesktop desktop;
    EXPECT_EQ(desktop.VkKeyScanA('c'), 0x43);
    EXPECT_EQ(desktop.VkKeyScanA('C'), 0x143);
    EXPECT_EQ(desktop.VkKeyScanA('!'), 0x131);
    EXPECT_EQ(desktop.VkKeyScanA('\xE9'), -1);
    EXPECT_EQ(desktop.MapVirtualKeyA(0x43, 2), static_cast<uint32_t>('C'));
    EXPECT_EQ(desktop.MapVirtualKeyA(0x43, 0), 0x2Eu);
    EXPECT_EQ(desktop.MapVirtualKeyA(0x2E, 2), 0u);  // Delete types nothing

    desktop.keybd_event(kVkShift, 0, 0);
    EXPECT_NE(desktop.GetKeyState(kVkShift) & 0x8000, 0);
    desktop.SendInput({{0x41, 0, 0}, {0x41, 0, kKeyEventKeyUp}});
    desktop.keybd_event(kVkShift, 0, kKeyEventKeyUp);
    EXPECT_TRUE(desktop.KeysDown().empty());
    EXPECT_EQ(desktop.keyEvents.size(), 4u);
    EXPECT_EQ(desktop.keyEvents[1].via, SimDesktop::KeyEvent::Via::SendInput);
}
