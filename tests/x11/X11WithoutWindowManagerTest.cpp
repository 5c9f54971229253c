#include "X11Fixture.h"
#include "common/ListControl.h"
#include "engine/RunningApps.h"

namespace {

// Without a window manager the top-level windows are the root's children, and activation
// raises and focuses the window itself.
using X11WithoutWindowManagerTest = X11Test;

TEST_F(X11WithoutWindowManagerTest, TheRootsChildrenAreTheTopLevelWindows) {
    TestClient client({"VornBare|Bare|", "VornBareOwned|Owned|t"});
    ASSERT_TRUE(Managed(client.Window(0)));
    InMemoryList list;
    RunningApps::FillRunAppListBox(list);
    const int bare = list.FindStringExact(Identity("VornBare", "Bare"));
    ASSERT_GE(bare, 0);
    EXPECT_EQ(list.ItemData(bare), client.Window(0));
    EXPECT_LT(list.FindStringExact(Identity("VornBareOwned", "Owned")), 0);
    EXPECT_EQ(Windows().FindWindowA("vornbare", "bare"), client.Window(0));
    EXPECT_FALSE(Windows().IsIconic(client.Window(0)));
}

TEST_F(X11WithoutWindowManagerTest, ActivationFocusesAndRaises) {
    TestClient client({"VornFirst|First|", "VornSecond|Second|"});
    ASSERT_TRUE(Managed(client.Window(0)));
    ASSERT_TRUE(Managed(client.Window(1)));
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(0)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(0));
    EXPECT_EQ(Windows().EnumWindows().front(), client.Window(0));
    EXPECT_TRUE(RunningApps::ActivateWindow(client.Window(1)));
    EXPECT_EQ(Windows().GetForegroundWindow(), client.Window(1));
}

TEST_F(X11WithoutWindowManagerTest, TheWorkAreaIsTheWholeScreen) {
    const ScreenRect area = Windows().GetWorkArea();
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 1280);
    EXPECT_EQ(area.bottom, 1024);
}

}  // namespace
