#include "X11Fixture.h"
#include "common/ListControl.h"
#include "engine/RunningApps.h"

// Xlib last: its macros (None, Bool...) clash with the headers above.
#include <X11/Xlib.h>

namespace {

using X11WindowSystemTest = X11Test;

TEST_F(X11WindowSystemTest, TheRunningWindowListShowsWhatAUserCanSwitchTo) {
    TestClient client({"VornAlpha|Alpha|", "VornOwned|Owned dialog|t", "VornUntitled||n",
                       "VornMin|Minimised|m",
                       "VornLatin|\xC3\x89"
                       "chelle|l",
                       "VornWide|Snow \xE2\x98\x83 caf\xC3\xA9|", "VornThere|Elsewhere|1"});
    for (std::size_t i = 0; i < 7; ++i) ASSERT_TRUE(Managed(client.Window(i))) << i;

    InMemoryList list;
    RunningApps::FillRunAppListBox(list);
    auto indexOf = [&](const std::string& text) { return list.FindStringExact(text); };

    const int alpha = indexOf(Identity("VornAlpha", "Alpha"));
    ASSERT_GE(alpha, 0);
    EXPECT_EQ(list.ItemData(alpha), client.Window(0));
    EXPECT_LT(indexOf(Identity("VornOwned", "Owned dialog")), 0);
    EXPECT_LT(indexOf(Identity("VornUntitled", "")), 0);
    const int minimised = indexOf(Identity("VornMin", "Minimised"));
    ASSERT_GE(minimised, 0);
    EXPECT_EQ(list.ItemData(minimised), client.Window(3));
    // Titles arrive as ANSI: Latin-1 and UTF-8 alike, '?' for what the code page lacks.
    EXPECT_GE(indexOf(Identity("VornLatin",
                               "\xC9"
                               "chelle")),
              0);
    EXPECT_GE(indexOf(Identity("VornWide", "Snow ? caf\xE9")), 0);
    // A window on another desktop is listed too.
    EXPECT_GE(indexOf(Identity("VornThere", "Elsewhere")), 0);

    EXPECT_EQ(Windows().GetOwner(client.Window(1)), client.Window(0));
    EXPECT_TRUE(Minimised(client.Window(3)));
    EXPECT_FALSE(Windows().IsIconic(client.Window(0)));
}

TEST_F(X11WindowSystemTest, LongClassesAndTitlesAreCutTo255Characters) {
    const std::string longClass(300, 'C');
    const std::string longTitle(300, 't');
    TestClient client({longClass + "|" + longTitle + "|"});
    ASSERT_TRUE(Managed(client.Window(0)));
    InMemoryList list;
    RunningApps::FillRunAppListBox(list);
    EXPECT_GE(list.FindStringExact(std::string(255, 'C') + " \xA6 " + std::string(255, 't')), 0);
    EXPECT_EQ(Windows().GetWindowTextA(client.Window(0), 11), "tttttttttt");
}

TEST_F(X11WindowSystemTest, FindWindowComparesClassAndTitleIgnoringCase) {
    TestClient client({"VornFind|Report \xC3\xA9t\xC3\xA9|", "VornFind|Other|"});
    ASSERT_TRUE(Managed(client.Window(0)));
    ASSERT_TRUE(Managed(client.Window(1)));
    EXPECT_EQ(Windows().FindWindowA("vornfind", "REPORT \xC9T\xC9"), client.Window(0));
    EXPECT_EQ(Windows().FindWindowA("VornFind", "other"), client.Window(1));
    EXPECT_EQ(Windows().FindWindowA("VornFind", "Report"), 0);
    EXPECT_EQ(Windows().FindWindowA("NoSuchClass", "Other"), 0);
}

TEST_F(X11WindowSystemTest, ActivationBringsWindowsToTheFrontAndRestoresMinimisedOnes) {
    TestClient client({"VornOne|One|", "VornTwo|Two|", "VornMin|Min|m", "VornAway|Away|1"});
    for (std::size_t i = 0; i < 4; ++i) ASSERT_TRUE(Managed(client.Window(i)));

    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(0)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(0));
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(1)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(1));
    // Already in front: true at once.
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(1)));

    ASSERT_TRUE(Minimised(client.Window(2)));
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(2)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(2));
    EXPECT_TRUE(WaitFor([&] { return !Windows().IsIconic(client.Window(2)); }));

    // A window on another desktop: the desktop switches and the window comes to the front.
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(3)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(3));
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(0)));
}

TEST_F(X11WindowSystemTest, KeysGoToTheWindowThatHasTheFocusOrAWindowInsideIt) {
    TestClient client({"VornOne|One|", "VornTwo|Two|"});
    for (std::size_t i = 0; i < 2; ++i) ASSERT_TRUE(Managed(client.Window(i)));
    const auto one = static_cast<::Window>(client.Window(0));
    Display* display = XOpenDisplay(nullptr);
    // The focus on the window itself, then on a window inside it, as some toolkits give it.
    const ::Window inside = XCreateSimpleWindow(display, one, 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(display, inside);
    for (const ::Window focus : {one, inside}) {
        XSetInputFocus(display, focus, RevertToParent, CurrentTime);
        XSync(display, False);
        EXPECT_TRUE(Windows().HasKeyboardFocus(client.Window(0)));
        EXPECT_FALSE(Windows().HasKeyboardFocus(client.Window(1)));
    }
    XCloseDisplay(display);
}

TEST_F(X11WindowSystemTest, ShowingAMinimisedWindowRestoresIt) {
    TestClient client({"VornShow|Show|m"});
    ASSERT_TRUE(Managed(client.Window(0)));
    ASSERT_TRUE(Minimised(client.Window(0)));
    EXPECT_TRUE(Windows().ShowWindow(client.Window(0), kSwShow));  // it was visible (minimised)
    EXPECT_TRUE(Windows().IsIconic(client.Window(0)));
    Windows().ShowWindow(client.Window(0), kSwRestore);
    EXPECT_TRUE(WaitFor([&] { return !Windows().IsIconic(client.Window(0)); }));
}

TEST_F(X11WindowSystemTest, AVanishedWindowIsNoError) {
    TestClient client({"VornGone|Gone|"});
    ASSERT_TRUE(Managed(client.Window(0)));
    const Hwnd gone = client.Window(0);
    client.End();
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<Hwnd> all = Windows().EnumWindows();
        return std::find(all.begin(), all.end(), gone) == all.end();
    }));
    EXPECT_EQ(Windows().GetWindowTextA(gone, 256), "");
    EXPECT_EQ(Windows().GetClassNameA(gone, 256), "");
    EXPECT_FALSE(Windows().IsWindowVisible(gone));
    EXPECT_FALSE(Windows().IsIconic(gone));
    EXPECT_EQ(Windows().GetOwner(gone), 0);
    EXPECT_FALSE(Windows().SetForegroundWindow(gone));
    EXPECT_FALSE(Windows().ShowWindow(gone, kSwRestore));
    EXPECT_FALSE(Windows().SetTopmost(gone, true));
    EXPECT_FALSE(RunningApps::ActivateWindow(gone));
    InMemoryList list;
    RunningApps::FillRunAppListBox(list);
    EXPECT_LT(list.FindStringExact(Identity("VornGone", "Gone")), 0);
}

TEST_F(X11WindowSystemTest, WorkAreaIsTheScreenLessTheMargins) {
    // The tests' window manager keeps 10 pixels left, 20 top and 30 bottom of 1280 x 1024.
    const ScreenRect area = Windows().GetWorkArea();
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, 20);
    EXPECT_EQ(area.right, 1280);
    EXPECT_EQ(area.bottom, 994);
    EXPECT_EQ(Windows().TwipsPerPixel(), 15);
}

TEST_F(X11WindowSystemTest, TopmostIsTheAboveState) {
    TestClient client({"VornTop|Top|"});
    ASSERT_TRUE(Managed(client.Window(0)));
    EXPECT_TRUE(Windows().SetTopmost(client.Window(0), true));
    // Brought to the front, a window above the others stays in front of a newer one.
    TestClient newer({"VornNewer|Newer|"});
    ASSERT_TRUE(Managed(newer.Window(0)));
    EXPECT_TRUE(WaitFor([&] { return Windows().EnumWindows().front() == client.Window(0); }));
    EXPECT_TRUE(Windows().SetTopmost(client.Window(0), false));
    EXPECT_TRUE(RunningApps::ActivateWindow(newer.Window(0)));
    EXPECT_TRUE(WaitFor([&] { return Windows().EnumWindows().front() == newer.Window(0); }));
}

}  // namespace
