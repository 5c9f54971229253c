#include <filesystem>

#include "SimEngineTest.h"
#include "common/ProgramFolder.h"
#include "engine/CApp.h"

namespace {

using Kind = SimDesktop::StartRequest::Kind;

class CAppPhraseTest : public SimEngineTest {
protected:
    CAppPhraseTest() {
        MainWindowLink::SetOnApplicationMatched([this] { ++mainWindowCalls; });
        MainWindowLink::SetWindowHandle(0x42);
        front = desktop->AddWindow({"vorn", "Vorn! Voice Command"});
        desktop->foreground = front;
    }

    int mainWindowCalls = 0;
    Hwnd front = 0;
    CApp app;
};

TEST_F(CAppPhraseTest, AnEmptyPhraseMatchesNothingNotEvenAnEmptyActivationPhrase) {
    WriteApps({Identity("c", "t") + "*~v$prog"});
    desktop->AddWindow({"c", "t"});
    EXPECT_EQ(app.AppCheck(""), 0);
    EXPECT_EQ(desktop->foreground, front);
    EXPECT_TRUE(desktop->startRequests.empty());
    EXPECT_EQ(mainWindowCalls, 0);
    EXPECT_EQ(app.LastAppHwnd(), 0);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(CAppPhraseTest, MatchingIsExactAndTheFirstRecordWins) {
    WriteApps({Identity("fresh", "f") + "*", Identity("a", "A") + "*Editor~$",
               Identity("b", "B") + "*editor~$", Identity("c", "C") + "*editor~$"});
    EXPECT_EQ(app.AppCheck("EDITOR"), 0);
    EXPECT_EQ(app.AppCheck("edit"), 0);
    EXPECT_EQ(mainWindowCalls, 0);

    EXPECT_EQ(app.AppCheck("editor"), 1);
    EXPECT_EQ(app.ClassName(), "b");
    EXPECT_EQ(app.WindowText(), "B");
    EXPECT_EQ(app.File().CurrentApp(), 3);
    EXPECT_EQ(mainWindowCalls, 1);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(CAppPhraseTest, AWindowWhoseTitleHoldsSeparatorsIsStoredWholeAndFound) {
    const std::string title = "*scratch* ~/notes $1";
    const Hwnd scratch = desktop->AddWindow({"Emacs", title});
    CApp adding;
    adding.VAppAdd(Identity("Emacs", title));
    adding.FillVACListBox();
    EXPECT_EQ(List(ListId::frmApp_lstVAppCmd).List(0), Identity("Emacs", title));
    adding.AddUserAppName("scratch", "Editing", "emacs", 0);

    EXPECT_EQ(app.AppCheck("scratch"), 1);
    EXPECT_EQ(app.WindowText(), title);
    EXPECT_EQ(desktop->foreground, scratch);
    EXPECT_TRUE(desktop->startRequests.empty());
    EXPECT_EQ(app.VocabularyName(), "Editing");
}

TEST_F(CAppPhraseTest, AnExistingWindowComesToTheFrontAndNothingStarts) {
    WriteApps({Identity("Gedit", "Notes") + "*notes~text$gedit"});
    const Hwnd notes = desktop->AddWindow({"gedit", "NOTES", 0, 0, true, true});
    EXPECT_EQ(app.AppCheck("notes"), 1);
    EXPECT_EQ(desktop->foreground, notes);
    EXPECT_FALSE(desktop->IsIconic(notes));
    EXPECT_TRUE(desktop->startRequests.empty());
    EXPECT_EQ(app.LastAppHwnd(), notes);
    EXPECT_EQ(app.VocabularyName(), "text");
    EXPECT_EQ(app.PathName(), "gedit");
}

TEST_F(CAppPhraseTest, ARefusedActivationStartsTheProgramAgain) {
    WriteApps({Identity("gedit", "Notes") + "*notes~$gedit notes.txt"});
    desktop->AddWindow({"gedit", "Notes"});
    desktop->refuseActivation = true;
    EXPECT_EQ(app.AppCheck("notes"), 1);
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].kind, Kind::CreateProcess);
    EXPECT_EQ(desktop->startRequests[0].file, "gedit notes.txt");
    EXPECT_EQ(app.LastAppHwnd(), front);
}

TEST_F(CAppPhraseTest, WithoutAWindowAProgramStartsOrElseTheDocumentOpens) {
    WriteApps({Identity("x", "y") + "*run~$xterm",
               Identity("x", "z") + "*read~$" + folder.File("a.txt")});
    EXPECT_EQ(app.AppCheck("run"), 1);
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].file, "xterm");

    desktop->startRequests.clear();
    desktop->refuseStart = true;
    desktop->documents.insert(folder.File("a.txt"));
    EXPECT_EQ(app.AppCheck("read"), 1);
    ASSERT_EQ(desktop->startRequests.size(), 2u);
    EXPECT_EQ(desktop->startRequests[0].kind, Kind::CreateProcess);
    const auto& open = desktop->startRequests[1];
    EXPECT_EQ(open.kind, Kind::ShellExecuteEx);
    EXPECT_EQ(open.verb, "Open");
    EXPECT_EQ(open.file, folder.File("a.txt"));
    EXPECT_EQ(open.directory, std::filesystem::current_path().string());
    EXPECT_EQ(open.show, kSwShowNormal);
}

TEST_F(CAppPhraseTest, AnExplorerPhraseStartsThroughTheShellCall) {
    WriteApps({Identity("x", "y") + "*open EXPLORER~$nautilus /tmp"});
    EXPECT_EQ(app.AppCheck("open EXPLORER"), 1);
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].kind, Kind::Shell);
    EXPECT_EQ(desktop->startRequests[0].file, "nautilus /tmp");
    EXPECT_EQ(desktop->startRequests[0].show, kSwShowNormal);
}

TEST_F(CAppPhraseTest, AnEmptyPathStartsNothingButStillMatches) {
    WriteApps({Identity("x", "y") + "*nothing~v$"});
    EXPECT_EQ(app.AppCheck("nothing"), 1);
    EXPECT_TRUE(desktop->startRequests.empty());
    EXPECT_EQ(app.LastAppHwnd(), front);
}

TEST_F(CAppPhraseTest, WhenEveryStartFailsThePhraseIsStillHandledQuietly) {
    WriteApps({Identity("x", "y") + "*gone~$" + folder.File("missing.txt")});
    desktop->refuseStart = true;
    EXPECT_EQ(app.AppCheck("gone"), 1);
    EXPECT_EQ(desktop->startRequests.size(), 2u);
    EXPECT_TRUE(folder.dialogs().boxes.empty());
    EXPECT_EQ(app.LastAppHwnd(), front);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());

    // The application window's own call reports the failure.
    try {
        app.ShellApp();
        FAIL() << "no error";
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 13001);
        EXPECT_EQ(e.Source(), ExecutableName() + ".CApp");
    }
}

TEST_F(CAppPhraseTest, AnUnreadableRecordIsPassedOverAndAMissingFolderEndsTheLookup) {
    std::string damaged = RecordBytes("x", 270);
    damaged[0] = 44;  // a byte count of 300
    damaged[1] = 1;
    WriteBytes(AppFile(), damaged + RecordBytes(Identity("x", "y") + "*go~$", 270));
    EXPECT_EQ(app.AppCheck("go"), 1);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());

    SetProgramFolder(folder.File("no such folder"));
    EXPECT_EQ(app.AppCheck("go"), 0);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
    SetProgramFolder(folder.Path());
}

TEST_F(CAppPhraseTest, LaunchDocument2ReportsAMissingFile) {
    WriteBytes(folder.File("here.txt"), "x");
    EXPECT_EQ(app.LaunchDocument2(0, folder.File("here.txt"), "", kSwShowNormal), -1);
    EXPECT_EQ(app.LaunchDocument2(0, folder.File("absent.txt"), "", kSwShowNormal), 2);
    EXPECT_EQ(app.Explore(0, folder.Path()), -1);
    EXPECT_EQ(desktop->startRequests.back().verb, "explore");
}

TEST_F(CAppPhraseTest, SetForegroundSplitsAtTheBrokenBar) {
    const Hwnd target = desktop->AddWindow({"Class With Blanks", "a \xA6 title"});
    EXPECT_FALSE(app.SetForeground(Identity("class with blanks", "A \xA6 TITLE")));
    EXPECT_EQ(desktop->foreground, target);
    EXPECT_TRUE(folder.dialogs().boxes.empty());

    for (const std::string& bad : {std::string(), std::string("no bar"), std::string("\xA6 x")}) {
        EXPECT_FALSE(app.SetForeground(bad));
    }
    ASSERT_EQ(folder.dialogs().boxes.size(), 3u);
    EXPECT_EQ(folder.dialogs().boxes[0].text, "No application selected to activate.");
    EXPECT_EQ(folder.dialogs().boxes[0].title, "No Application Selected");
    EXPECT_EQ(folder.dialogs().boxes[0].icon, MsgIcon::Information);
}

}  // namespace
