#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "GuiFixture.h"
#include "ResourceLimits.h"
#include "common/ListControl.h"
#include "config/ConfigGlobals.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "engine/CApp.h"
#include "forms/AnsiQt.h"

namespace {

const std::string kNotes = "gedit \xA6 notes.txt";
const std::string kTerm = "XTerm \xA6 shell";

class AppWindowTest : public GuiFixture {
protected:
    frmApp& Window() { return frmApp::Default(); }
    IListControl& Apps() { return Lists::Get(ListId::frmApp_lstVAppCmd); }
    IListControl& Running() { return Lists::Get(ListId::frmApp_lstRunApp); }

    // The application list as start-up fills it.
    void FillApps() { Window().App().FillVACListBox(); }

    // A running window selected in the running list, then dropped on the application list.
    void Drop(const std::string& identity) {
        if (Running().FindStringExact(identity) < 0) Running().AddItem(identity);
        Running().SetListIndex(Running().FindStringExact(identity));
        Window().lstVAppCmd_DragDrop();
    }
};

}  // namespace

TEST_F(AppWindowTest, ADroppedWindowIsAppendedUnselectedAndStoredWithAStarOrSaysWhyNot) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps();
    Running().AddItem(kNotes);
    Window().lstVAppCmd_DragDrop();  // nothing selected in the running list: nothing happens
    EXPECT_EQ(Apps().ListCount(), 1);

    Drop("xterm \xA6 SHELL");  // the listed one in other letter case
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "You Already Have An Entry With This Name!");
    EXPECT_EQ(dialogs().boxes[0].title, "Vorn! Voice Command");
    {
        const FileSizeLimit fullDisk(270 + 100);
        Drop(kNotes);
    }
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text.rfind("There is no room left on the disk to write", 0), 0u);
    EXPECT_EQ(dialogs().boxes[1].title, "Add Application");
    EXPECT_EQ(Apps().ListCount(), 1);
    EXPECT_EQ(ReadApps(), std::vector<std::string>{kTerm + "*shell~Editing$xterm"});

    Drop(kNotes);
    EXPECT_EQ(Apps().ListCount(), 2);
    EXPECT_EQ(Apps().List(1), kNotes);
    EXPECT_EQ(Apps().ListIndex(), -1);
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{kTerm + "*shell~Editing$xterm", kNotes + "*"}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

TEST_F(AppWindowTest, AWindowWhoseTitleLeavesNoRoomForTheFieldsIsNotAdded) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps();
    // Titles come in at most 255 characters long.
    Drop("Gnome-terminal \xA6 " + std::string(255, 'a'));
    Drop("XTerm \xA6 " + std::string(200, '*'));
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    for (const auto& box : dialogs().boxes) {
        EXPECT_EQ(box.title, "Add Application");
        EXPECT_EQ(box.text.rfind("This window's title is too long to keep", 0), 0u) << box.text;
    }
    EXPECT_NE(dialogs().boxes[1].text.find("Each \"*\" in the title counts twice."),
              std::string::npos);
    EXPECT_EQ(Apps().ListCount(), 1);
    EXPECT_EQ(ReadApps(), std::vector<std::string>{kTerm + "*shell~Editing$xterm"});
    Window().cmdCloseApp_Click();  // nothing incomplete was left to stop the close
    EXPECT_FALSE(frmApp::IsLoaded());
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

TEST_F(AppWindowTest, SelectingAnEntryShowsItsStoredFields) {
    WriteApps({kTerm + "*shell~Editing$xterm -e top", kNotes + "*"});
    FillApps();
    Apps().SetListIndex(0);
    EXPECT_EQ(Window().txtVActivate->text(), "shell");
    EXPECT_EQ(Window().cmbVocabulary->currentText(), "Editing");
    EXPECT_EQ(Window().txtPath->text(), "xterm -e top");
    Apps().SetListIndex(1);  // a fresh entry: nothing stored after the star
    EXPECT_EQ(Window().txtVActivate->text(), "");
}

TEST_F(AppWindowTest, SavingWritesTheFieldsIntoTheSelectedRecordOnly) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*"});
    FillApps();
    Apps().SetListIndex(1);
    Window().txtVActivate->setText("notes");
    Window().cmbVocabulary->setEditText("Writing");
    Window().txtPath->setText("gedit");
    Window().cmdSaveVocab_Click();
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{kTerm + "*shell~Editing$xterm",
                                                    kNotes + "*notes~Writing$gedit"}));
    EXPECT_TRUE(dialogs().boxes.empty());

    Window().txtVActivate->setText("notes ~ draft");
    Window().cmdSaveVocab_Click();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "The activation phrase \"notes ~ draft\" cannot be saved: it may not hold \"*\", "
              "\"~\" or \"$\".");
    EXPECT_EQ(ReadApps()[1], kNotes + "*notes~Writing$gedit");

    // The record holds 268 characters: here the identity and separators take 20 of them.
    Window().txtVActivate->setText(QString(339, 'a'));
    Window().cmdSaveVocab_Click();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text,
              "This entry is too long to save: with this window, the activation phrase, "
              "vocabulary name and path may hold at most 248 characters together, and they "
              "hold 351.");
    Window().txtVActivate->setText(QString(248 - 12, 'a'));
    Window().cmdSaveVocab_Click();
    EXPECT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(ReadApps()[1], kNotes + "*" + std::string(236, 'a') + "~Writing$gedit");
}

TEST_F(AppWindowTest, SavingWithoutASelectionShowsEntryZeroOrSaysThereIsNothing) {
    Window().cmdSaveVocab_Click();  // empty list
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "There is nothing to save!");
    EXPECT_EQ(dialogs().boxes[0].title, "No item to save");

    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps();
    Window().txtVActivate->setText("typed but not saved");
    Window().cmdSaveVocab_Click();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text, "You must select a Voice Application!");
    EXPECT_EQ(Apps().ListIndex(), 0);
    EXPECT_EQ(Window().txtVActivate->text(), "shell");  // entry 0 shown
    EXPECT_EQ(ReadApps(), (std::vector<std::string>{kTerm + "*shell~Editing$xterm"}));
}

TEST_F(AppWindowTest, TheCloseCheckStopsAtTheFirstIncompleteEntryWithItsStoredValues) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~$gedit"});
    FillApps();
    Apps().SetListIndex(1);
    Window().cmbVocabulary->setEditText("unsaved edit");
    Window().cmdCloseApp_Click();
    ASSERT_TRUE(frmApp::IsLoaded());
    EXPECT_EQ(Apps().ListIndex(), 1);
    EXPECT_EQ(Window().cmbVocabulary->currentText(), "");
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Insufficient Control Parameters");
    EXPECT_EQ(dialogs().boxes[0].icon, MsgIcon::Information);
    EXPECT_FALSE(std::filesystem::exists(folder.File("temp.txt")));
}

TEST_F(AppWindowTest, ClosingACompleteListUnloadsRebuildsTheGrammarAndSavesThePlacement) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    WriteVocabulary("Editing", {"copy:^c"});
    FillApps();
    Lists::Get(ListId::frmVocab_lstVocab).AddItem("Editing");
    Window().show();
    Window().cmdCloseApp_Click();
    EXPECT_FALSE(frmApp::IsLoaded());
    EXPECT_EQ(ReadBytes(folder.File("temp.txt")),
              "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n"
              "<start>=shell\r\n<start>=copy\r\n");
    EXPECT_EQ(Lists::Get(ListId::frmVocab_lstVocab).ListCount(), 0);  // cleared at unload
    const QSettings placement("Ostrelworks", "Vorn! Voice Control");
    EXPECT_EQ(placement.value("frmApp/State").toString(), "Normal");
    EXPECT_FALSE(placement.value("frmApp/Location").toString().isEmpty());
}

TEST_F(AppWindowTest, ARestoredPlacementIsWhereTheVocabularyWindowOpens) {
    gAppLeft = gAppTop = 0;
    {
        QSettings placement("Ostrelworks", "Vorn! Voice Control");
        placement.setValue("frmApp/Location", "1500,900,9600,6000");
        placement.setValue("frmApp/State", "Normal");
    }
    frmApp::Default();
    EXPECT_NE(gAppLeft, 0);
    EXPECT_NE(gAppTop, 0);
    frmVocab::Default();
    EXPECT_EQ(frmVocab::Default().x(), frmApp::Default().x());
}

TEST_F(AppWindowTest, APlacementBeyondTheSixteenBitRangeIsHeldAtItsEdge) {
    desktop->workArea = {0, 0, 4000, 3000};  // a very wide screen: 60,000 twips
    {
        QSettings placement("Ostrelworks", "Vorn! Voice Control");
        placement.setValue("frmApp/Location", "40000,900,9600,6000");
        placement.setValue("frmApp/State", "Normal");
    }
    frmApp::Default();
    EXPECT_EQ(gAppLeft, 32767);
}

TEST_F(AppWindowTest, ALabelsAccessKeyGivesTheFocusToTheControlItNames) {
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    QSignalSpy clicks(Window().cmdToggle, &QPushButton::clicked);
    QTest::keyClick(&Window(), Qt::Key_V, Qt::AltModifier);  // "&Voice Command Applications:"
    EXPECT_EQ(QApplication::focusWidget(), Window().lstVAppCmd);
    QTest::keyClick(&Window(), Qt::Key_P, Qt::AltModifier);  // "File/&Path Name:"
    EXPECT_EQ(QApplication::focusWidget(), Window().txtPath);
    QTest::qWait(50);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(AppWindowTest, TheFocusAloneShowsNoEntryOverWhatWasTyped) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~Writing$gedit"});
    FillApps();
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Window().txtVActivate->setText("typed");
    QTest::keyClick(&Window(), Qt::Key_V, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), Window().lstVAppCmd);
    EXPECT_EQ(Apps().ListIndex(), -1);
    EXPECT_EQ(Window().txtVActivate->text(), "typed");
    QTest::keyClick(Window().lstVAppCmd, Qt::Key_Down);  // a row picked by the keys is shown
    EXPECT_EQ(Window().txtVActivate->text(), "shell");
}

TEST_F(AppWindowTest, TextARecordCannotHoldIsRefusedAndTheBoxHoldingItGetsTheFocus) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps();
    const std::vector<std::string> stored = ReadApps();
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Apps().SetListIndex(0);
    Window().txtVActivate->setText(QString::fromUtf8("Łódź"));
    QTest::mouseClick(Window().cmdSaveVocab, Qt::LeftButton);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Save Command");
    EXPECT_EQ(dialogs().boxes[0].text,
              "Nothing was saved: the activation phrase holds characters outside the Western "
              "European (Windows-1252) set (U+0141, U+017A). Only one line of Western European "
              "(Windows-1252) characters can be stored.");
    EXPECT_TRUE(Window().txtVActivate->hasFocus());
    EXPECT_EQ(Window().txtVActivate->text(), QString::fromUtf8("Łódź"));

    // A line break in the phrase, a tab in the vocabulary name, a control character in the
    // path: each box in turn.
    const std::pair<QWidget*, std::string> refused[] = {
        {Window().txtVActivate, "the activation phrase holds a line break."},
        {Window().cmbVocabulary, "the vocabulary name holds a tab."},
        {Window().txtPath, "the path holds a control character (U+0007)."},
    };
    Window().txtVActivate->setText("alpha\none");
    Window().cmbVocabulary->setEditText("Edit\ting");
    Window().txtPath->setText("xterm\a");
    for (const auto& [box, said] : refused) {
        Window().mnuSaveCmd->trigger();
        EXPECT_NE(dialogs().boxes.back().text.find(said), std::string::npos)
            << dialogs().boxes.back().text;
        EXPECT_TRUE(box->hasFocus()) << said;
        EXPECT_EQ(ReadApps(), stored);
        if (box == Window().txtVActivate) Window().txtVActivate->setText("alpha");
        if (box == Window().cmbVocabulary) Window().cmbVocabulary->setEditText("Editing");
    }
    Window().txtPath->setText("xterm");
    Window().mnuSaveCmd->trigger();
    EXPECT_EQ(ReadApps(), std::vector<std::string>{kTerm + "*alpha~Editing$xterm"});
    EXPECT_EQ(dialogs().boxes.size(), 4u);
}

TEST_F(AppWindowTest, TheVocabularyBoxStoresWhatIsTypedWithNothingCompleted) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps();
    Lists::Get(ListId::frmApp_cmbVocabulary).AddItem("Office");
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Apps().SetListIndex(0);
    QTest::keyClick(&Window(), Qt::Key_G, Qt::AltModifier);  // "Assi&gned Vocabulary:"
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "Of");
    EXPECT_EQ(Window().cmbVocabulary->currentText(), "Of");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Window().cmbVocabulary->currentText(), "Of");
    Window().cmdSaveVocab_Click();
    EXPECT_EQ(ReadApps(), std::vector<std::string>{kTerm + "*shell~Of$xterm"});
}
