#include "SimEngineTest.h"

namespace {

using RunningAppsTest = SimEngineTest;

TEST_F(RunningAppsTest, ListsVisibleUnownedTitledTopLevelWindowsWithTheirHandles) {
    InMemoryList list;
    list.AddItem("left over");
    const Hwnd editor = desktop->AddWindow({"gedit", "notes.txt"});
    desktop->AddWindow({"gedit", ""});                      // no title
    desktop->AddWindow({"dialog", "Find", 0, editor});      // owned tool window
    desktop->AddWindow({"button", "OK", editor});           // child
    desktop->AddWindow({"hidden", "Hidden", 0, 0, false});  // not visible
    const Hwnd minimised = desktop->AddWindow({"xterm", "shell", 0, 0, true, true});

    EXPECT_EQ(RunningApps::FillRunAppListBox(list), 2);
    // Enumeration order: the simulated desktop puts the newest window first.
    ASSERT_EQ(list.Items(), (std::vector<std::string>{Identity("xterm", "shell"),
                                                      Identity("gedit", "notes.txt")}));
    EXPECT_EQ(list.ItemData(0), minimised);
    EXPECT_EQ(list.ItemData(1), editor);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("gedit", "notes.txt")), editor);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("gedit", "")), 0);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("dialog", "Find")), 0);
}

TEST_F(RunningAppsTest, ClassAndTitleAreCutTo255Characters) {
    InMemoryList list;
    desktop->AddWindow({std::string(300, 'c'), std::string(300, 't')});
    RunningApps::FillRunAppListBox(list);
    ASSERT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.List(0), std::string(255, 'c') + " \xA6 " + std::string(255, 't'));
}

TEST_F(RunningAppsTest, TheTableKeepsTheFirstHandleUnderAKeyIgnoringCase) {
    InMemoryList list;
    const Hwnd first = desktop->AddWindow({"Term", "Shell"});
    const Hwnd second = desktop->AddWindow({"Term", "Shell"});
    RunningApps::FillRunAppListBox(list);
    // Both windows are listed, each with its own handle; the second enumerated was added first.
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.ItemData(0), second);
    EXPECT_EQ(list.ItemData(1), first);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("Term", "Shell")), second);

    const Hwnd otherCase = desktop->AddWindow({"TERM", "shell"});
    RunningApps::FillRunAppListBox(list);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("term", "SHELL")), second);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("TERM", "shell")), second);
    EXPECT_EQ(list.ItemData(0), otherCase);

    // A closed window keeps its entry; the same program started again does not replace it.
    desktop->CloseWindow(second);
    desktop->CloseWindow(first);
    desktop->CloseWindow(otherCase);
    desktop->AddWindow({"Term", "Shell"});
    RunningApps::FillRunAppListBox(list);
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("Term", "Shell")), second);

    EXPECT_EQ(RunningApps::RunningAppHwnd("never listed"), 0);
    EXPECT_EQ(RunningApps::RunningAppHwnd(""), 0);
    RunningApps::ReleaseRunningApps();
    EXPECT_EQ(RunningApps::RunningAppHwnd(Identity("Term", "Shell")), 0);
}

TEST_F(RunningAppsTest, ActivatingTheWindowInFrontDoesNothingElse) {
    const Hwnd w = desktop->AddWindow({"c", "t", 0, 0, true, true});
    desktop->foreground = w;
    EXPECT_TRUE(RunningApps::ActivateWindow(w));
    EXPECT_TRUE(desktop->IsIconic(w));
    EXPECT_TRUE(desktop->showCalls.empty());
}

TEST_F(RunningAppsTest, ActivationRestoresAMinimisedWindowAndShowsAnotherEvenWhenRefused) {
    const Hwnd front = desktop->AddWindow({"front", "f"});
    const Hwnd minimised = desktop->AddWindow({"c", "t", 0, 0, true, true});
    const Hwnd plain = desktop->AddWindow({"p", "p"});
    desktop->Find(plain)->thread = 7;
    desktop->foreground = front;

    EXPECT_TRUE(RunningApps::ActivateWindow(minimised));
    EXPECT_EQ(desktop->foreground, minimised);
    EXPECT_FALSE(desktop->IsIconic(minimised));

    desktop->refuseActivation = true;
    EXPECT_FALSE(RunningApps::ActivateWindow(plain));
    EXPECT_EQ(desktop->foreground, minimised);
    EXPECT_EQ(desktop->showCalls,
              (std::vector<std::pair<Hwnd, int>>{{minimised, kSwRestore}, {plain, kSwShow}}));
}

TEST_F(RunningAppsTest, ActivatingNoWindowFails) {
    desktop->foreground = desktop->AddWindow({"c", "t"});
    EXPECT_FALSE(RunningApps::ActivateWindow(0x7777));
    // Handle 0 names no window, also when no window is in front.
    desktop->foreground = 0;
    EXPECT_FALSE(RunningApps::ActivateWindow(0));
}

TEST_F(RunningAppsTest, ListItemExistsMatchesWholeItemsIgnoringCase) {
    InMemoryList list;
    EXPECT_FALSE(RunningApps::ListItemExists(list, ""));
    list.AddItem(Identity("gedit", "Notes.txt"));
    EXPECT_TRUE(RunningApps::ListItemExists(list, Identity("GEDIT", "notes.TXT")));
    EXPECT_FALSE(RunningApps::ListItemExists(list, Identity("gedit", "Notes")));
}

}  // namespace
