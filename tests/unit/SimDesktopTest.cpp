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
