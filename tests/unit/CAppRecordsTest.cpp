#include <algorithm>
#include <filesystem>

#include "RecordPositionLimit.h"
#include "ResourceLimits.h"
#include "SimEngineTest.h"
#include "engine/CApp.h"

namespace {

class CAppRecordsTest : public SimEngineTest {
protected:
    IListControl& apps = List(ListId::frmApp_lstVAppCmd);
    const std::string editor = Identity("gedit", "notes.txt");
    const std::string shell = Identity("xterm", "shell");
    const std::string browser = Identity("firefox", "Start");
};

TEST_F(CAppRecordsTest, FillVACListBoxListsIdentitiesUpToTheFirstRecordWithoutOne) {
    WriteApps({editor + "*edit~text$gedit", shell + "*", browser + "*web~$firefox"});
    CApp app;
    app.FillVACListBox();
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(),
              (std::vector<std::string>{editor, shell, browser}));

    apps.Clear();
    WriteApps({editor + "*", "", shell + "*"});
    app.FillVACListBox();
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(), std::vector<std::string>{editor});

    apps.Clear();
    WriteApps({editor + "*", "no star", shell + "*"});
    app.FillVACListBox();
    EXPECT_EQ(apps.ListCount(), 1);

    apps.Clear();
    WriteApps({});
    app.FillVACListBox();
    EXPECT_EQ(apps.ListCount(), 0);
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(CAppRecordsTest, VAppAddWritesIntoTheFirstFreeRecord) {
    WriteApps({editor + "*", "", shell + "*"});
    CApp app;
    app.VAppAdd(browser);
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*", browser + "*", shell + "*"}));
    app.VAppAdd(editor + "*a~b$c", 0, true);
    EXPECT_EQ(ReadApps().back(), editor + "*a~b$c");
    EXPECT_EQ(app.AppRecordCount(), 5);

    CApp fresh;
    EXPECT_EQ(fresh.AppRecordCount(), 5);
}

TEST_F(CAppRecordsTest, VAppAddRefusesAnIdentityThatLeavesNoRoomToCompleteItsRecord) {
    // A record holds 268 characters: the identity, "*", a phrase, "~", a vocabulary name, "$".
    WriteApps({editor + "*"});
    CApp app;
    for (const std::string& identity : {std::string(264, 'x'), std::string(132, '*')}) {
        EXPECT_EQ(ErrorOf([&] { app.VAppAdd(identity); }), 5);
        EXPECT_EQ(ReadApps(), std::vector<std::string>{editor + "*"});
        EXPECT_FALSE(DataSlot::Instance().IsOpen());
    }
    app.VAppAdd(std::string(263, 'x'));
    app.VAppAdd(std::string(131, '*'));
    app.AddUserAppName("p", "v", "", 1);
    app.AddUserAppName("p", "v", "", 2);
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*", std::string(263, 'x') + "*p~v$",
                                                    "*" + std::string(262, '*') + "*p~v$"}));
}

TEST_F(CAppRecordsTest, UserDefinedNameReadsTheSelectedRecord) {
    WriteApps(
        {editor + "*", shell + "*term~keys$xterm -e top", Identity("c", "price $5") + "*p~v$x"});
    for (const auto& text : {editor, shell, Identity("c", "price $5")}) apps.AddItem(text);
    CApp app;
    app.SetPathName("stale");

    apps.SetListIndex(1);
    EXPECT_EQ(app.UserDefinedName(1), "term");
    EXPECT_EQ(app.VocabularyName(), "keys");
    EXPECT_EQ(app.PathName(), "xterm -e top");
    EXPECT_EQ(app.UserName(), "term");

    apps.SetListIndex(0);
    EXPECT_EQ(app.UserDefinedName(0), "");
    EXPECT_EQ(app.VocabularyName(), "");
    EXPECT_EQ(app.PathName(), "");

    // A "$" in the title stays in the title.
    apps.SetListIndex(2);
    EXPECT_EQ(app.UserDefinedName(2), "p");
    EXPECT_EQ(app.PathName(), "x");
    EXPECT_EQ(app.VocabularyName(), "v");

    // With nothing selected there is no record to read: every name comes out empty.
    apps.SetListIndex(-1);
    EXPECT_EQ(app.UserDefinedName(-1), "");
    EXPECT_EQ(app.PathName(), "");
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(CAppRecordsTest, AddUserAppNameReplacesWhatFollowsTheStar) {
    WriteApps({editor + "*old~words$/usr/bin/old", shell + "*"});
    CApp app;
    app.AddUserAppName("edit", "text", "gedit", 0);
    app.AddUserAppName("", "", "", 1);
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*edit~text$gedit", shell + "*~$"}));
    EXPECT_EQ(app.RecordUserName(), shell + "*~$");

    // A name that would hold a separator is refused before anything is written.
    for (const auto& [phrase, vocabulary] :
         {std::pair{"edit*", "text"}, {"edit", "te~xt"}, {"$edit", "text"}}) {
        EXPECT_EQ(ErrorOf([&] { app.AddUserAppName(phrase, vocabulary, "gedit", 0); }), 5);
    }
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*edit~text$gedit", shell + "*~$"}));
    EXPECT_FALSE(DataSlot::Instance().IsOpen());
}

TEST_F(CAppRecordsTest, DeletingTheMiddleApplicationKeepsTheOthersInOrder) {
    WriteApps({editor + "*e~v$a", shell + "*s~v$b", browser + "*w~v$c"});
    WriteBytes(AppFile() + ".new", "another writer's");
    CApp app;
    app.FillVACListBox();
    apps.SetListIndex(1);
    app.DelRunApp();
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*e~v$a", browser + "*w~v$c"}));
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(),
              (std::vector<std::string>{editor, browser}));
    EXPECT_EQ(app.AppRecordCount(), 3);
    EXPECT_TRUE(folder.dialogs().boxes.empty());

    // The rewrite leaves another writer's file beside it alone and none of its own.
    EXPECT_EQ(ReadBytes(AppFile() + ".new"), "another writer's");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"VAppCmd.txt", "VAppCmd.txt.new"}));
}

TEST_F(CAppRecordsTest, DeletingKeepsTheRecordsTheListDoesNotHoldAsTheyWere) {
    CApp app;
    auto deleteFirst = [&] {
        apps.Clear();
        app.FillVACListBox();
        apps.SetListIndex(0);
        app.DelRunApp();
    };
    // From a damaged record on, byte for byte, a copy of the damaged file kept aside (before
    // this run first changes the file).
    std::string damaged = RecordBytes(shell + "*b", 270);
    damaged[1] = '\x7F';  // a byte count longer than the record
    const std::string before =
        RecordBytes(editor + "*a", 270) + damaged + RecordBytes(browser + "*c", 270) + "cut short";
    WriteBytes(AppFile(), before);
    deleteFirst();
    EXPECT_EQ(ReadBytes(AppFile()), before.substr(270));
    EXPECT_EQ(ReadBytes(AppFile() + ".damaged"), before);
    EXPECT_EQ(apps.ListCount(), 0);

    // After an empty record.
    WriteApps({editor + "*a", shell + "*b", "", browser + "*c", editor + "*d"});
    deleteFirst();
    EXPECT_EQ(ReadApps(),
              (std::vector<std::string>{shell + "*b", "", browser + "*c", editor + "*d"}));
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(), std::vector<std::string>{shell});

    // Past the reach of the record positions.
    const RecordPositionLimit lastPosition(3);
    WriteApps({editor + "*1", shell + "*2", browser + "*3", editor + "*4", shell + "*5"});
    deleteFirst();
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{shell + "*2", browser + "*3", editor + "*4",
                                                    shell + "*5"}));
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(),
              (std::vector<std::string>{shell, browser}));
    EXPECT_EQ(folder.dialogs().boxes.size(), 1u);  // the damaged file's copy, told once
}

TEST_F(CAppRecordsTest, DeletingAnIdentityContainedInAnotherKeepsTheOther) {
    const std::string notes = Identity("gedit", "Notes");
    const std::string longer = Identity("gedit", "Notes - draft");
    WriteApps({longer + "*draft~$", notes + "*notes~$", Identity("GEDIT", "notes") + "*again~$"});
    CApp app;
    app.FillVACListBox();
    apps.SetListIndex(2);
    app.DelRunApp();
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{longer + "*draft~$", notes + "*notes~$"}));

    apps.SetListIndex(1);
    app.DelRunApp();
    EXPECT_EQ(ReadApps(), std::vector<std::string>{longer + "*draft~$"});

    apps.SetListIndex(0);
    app.DelRunApp();
    EXPECT_TRUE(ReadApps().empty());
    EXPECT_EQ(apps.ListCount(), 0);
    EXPECT_EQ(app.AppRecordCount(), 1);
}

TEST_F(CAppRecordsTest, DeletingWithNothingSelectedOnlySaysSo) {
    WriteApps({editor + "*"});
    CApp app;
    app.FillVACListBox();
    app.DelRunApp();
    ASSERT_EQ(folder.dialogs().boxes.size(), 1u);
    const auto& box = folder.dialogs().boxes[0];
    EXPECT_EQ(box.text, "You must first select a voice-controlled application to delete.");
    EXPECT_EQ(box.title, "No File Selected.");
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(ReadApps(), std::vector<std::string>{editor + "*"});
    EXPECT_EQ(apps.ListCount(), 1);
}

TEST_F(CAppRecordsTest, AFailedRewriteLosesNothing) {
    WriteApps({editor + "*e~v$a", shell + "*s~v$b"});
    CApp app;
    app.FillVACListBox();
    apps.SetListIndex(0);
    {
        // No byte of the new file can be written.
        const FileSizeLimit limit(0);
        app.DelRunApp();
    }

    EXPECT_EQ(ReadApps(), (std::vector<std::string>{editor + "*e~v$a", shell + "*s~v$b"}));
    EXPECT_EQ(dynamic_cast<InMemoryList&>(apps).Items(), (std::vector<std::string>{editor, shell}));
    ASSERT_EQ(folder.dialogs().boxes.size(), 1u);
    const auto& box = folder.dialogs().boxes[0];
    EXPECT_EQ(box.text.rfind("61 There is no room left on the disk", 0), 0u) << box.text;
    EXPECT_EQ(box.title, "ERROR DELETE VOICE APPLICATION");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
}

TEST_F(CAppRecordsTest, AppCompareDropsOnlyTheSelectedRecord) {
    WriteApps({editor + "*1", shell + "*2", editor + "*3"});
    CApp app;
    app.AppCompare(editor, 3);
    EXPECT_EQ(app.VAppTempRetrieve(1), editor + "*1");
    EXPECT_EQ(app.VAppTempRetrieve(2), shell + "*2");
    // Only the records the list holds are collected.
    EXPECT_EQ(ErrorOf([&] { app.VAppTempRetrieve(3); }), 5);

    // When the selected record does not hold the identity, the first record that does goes.
    app.AppCompare(Identity("XTERM", "Shell"), 1);
    EXPECT_EQ(app.VAppTempRetrieve(1), editor + "*1");
    EXPECT_EQ(app.VAppTempRetrieve(2), editor + "*3");
    EXPECT_EQ(ErrorOf([&] { app.VAppTempRetrieve(0); }), 5);  // the store counts from one
    app.VAppTempClear();
    EXPECT_EQ(ErrorOf([&] { app.VAppTempRetrieve(1); }), 5);
}

TEST_F(CAppRecordsTest, CreateNewFileEmptiesTheApplicationFile) {
    WriteApps({editor + "*"});
    CApp app;
    app.CreateNewFile(false, "VAppCmd");
    EXPECT_TRUE(std::filesystem::exists(AppFile()));
    EXPECT_EQ(std::filesystem::file_size(AppFile()), 0u);
}

}  // namespace
