#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "GuiFixture.h"
#include "common/ListControl.h"
#include "common/StringTable.h"
#include "config/MainWindowAccess.h"
#include "config/WindowLists.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "engine/CApp.h"
#include "forms/Twips.h"
#include "listening/frmVolSet.h"
#include "listening/frmVorn.h"
#include "platform/Keyboard.h"

namespace {

const std::string kNotes = "gedit \xA6 notes.txt";
const std::string kTerm = "XTerm \xA6 shell";

class AppCommandsTest : public GuiFixture {
protected:
    frmApp& Window() { return frmApp::Default(); }
    IListControl& Apps() { return Lists::Get(ListId::frmApp_lstVAppCmd); }
    IListControl& Vocabularies() { return Lists::Get(ListId::frmVocab_lstVocab); }

    // The application list as the main window fills it, with entry i selected (-1: none).
    void FillApps(int selected) {
        Window().App().FillVACListBox();
        if (selected >= 0) Apps().SetListIndex(selected);
    }
    void ShowActive() {
        Window().show();
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }

    // Runs a command that shows a window modally; inside that window's loop, looks at it and
    // then hides the window that was shown, which ends the loop.
    void WhileShown(const std::function<void()>& command, const std::function<QWidget*()>& look) {
        bool looked = false;
        QTimer inside;  // a command that shows nothing leaves no look pending
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] {
            QWidget* shown = look();
            looked = true;
            shown->hide();
        });
        inside.start(0);
        command();
        EXPECT_TRUE(looked);
    }
};

}  // namespace

TEST_F(AppCommandsTest, TheFirstSwitchOfAWindowKeepsTheVocabularyListAndLaterOnesRefillIt) {
    WriteVocabulary("Mail", {});
    Vocabularies().AddItem("Mail");           // as the main window left it
    WriteVocabulary("Editing", {"copy:^C"});  // made since
    Window().show();
    WhileShown([&] { Window().mnuAppSwitch_Click(); },
               [&] {
                   EXPECT_FALSE(Window().isVisible());
                   EXPECT_TRUE(frmVocab::Default().isVisible());
                   EXPECT_TRUE(frmVocab::Default().isModal());
                   EXPECT_EQ(frmVocab::Default().size(), Window().size());
                   EXPECT_EQ(Vocabularies().ListCount(), 1);
                   EXPECT_EQ(Vocabularies().ListIndex(), 0);
                   return &frmVocab::Default();
               });
    WhileShown([&] { Window().tbrApp_ButtonDispatch("AppVoc"); },
               [&] {
                   EXPECT_EQ(Vocabularies().ListCount(), 2);
                   EXPECT_EQ(Vocabularies().List(0), "Editing");
                   EXPECT_EQ(Vocabularies().ListIndex(), 0);
                   return &frmVocab::Default();
               });
    EXPECT_TRUE(dialogs().boxes.empty());

    // A window loaded afresh starts again without a refill.
    frmApp::Unload();
    Vocabularies().Clear();
    Vocabularies().AddItem("Kept");
    WhileShown([&] { Window().mnuAppSwitch_Click(); },
               [&] {
                   EXPECT_EQ(Vocabularies().List(0), "Kept");
                   return &frmVocab::Default();
               });
}

TEST_F(AppCommandsTest, EveryStepOfTheSwitchRunsWhenAnEarlierOneFails) {
    // The vocabulary list cannot be reached: clearing, refilling and selecting in it fail.
    class BrokenVocabularyList : public WindowLists {
    public:
        IListControl& Get(ListId id) override {
            if (id == ListId::frmVocab_lstVocab) throw std::runtime_error("unreachable list");
            return WindowLists::Get(id);
        }
    };
    WhileShown([&] { Window().mnuAppSwitch_Click(); }, [&] { return &frmVocab::Default(); });
    Lists::Install(std::make_unique<BrokenVocabularyList>());
    Window().resize(Window().width() + 40, Window().height() + 30);
    WhileShown([&] { Window().mnuAppSwitch_Click(); },
               [&] {
                   EXPECT_EQ(frmVocab::Default().size(), Window().size());
                   return &frmVocab::Default();
               });
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AppCommandsTest, AltWithALabelsLetterMovesTheFocusInsteadOfSwitching) {
    Window().show();
    desktop->keybd_event(kVkMenu, 0, 0);
    desktop->keybd_event('R', 0, 0);
    Window().cmdToggle_Click();
    EXPECT_EQ(Window().focusWidget(), Window().lstRunApp);
    desktop->keybd_event('R', 0, kKeyEventKeyUp);
    desktop->keybd_event('G', 0, 0);
    Window().cmdToggle_Click();
    EXPECT_EQ(Window().focusWidget(), Window().cmbVocabulary);
    desktop->keybd_event('G', 0, kKeyEventKeyUp);
    desktop->keybd_event(kVkMenu, 0, kKeyEventKeyUp);
    EXPECT_FALSE(frmVocab::IsLoaded());
    EXPECT_TRUE(Window().isVisible());

    desktop->keybd_event('A', 0, 0);  // Alt+A: the button's own access key switches
    desktop->keybd_event(kVkMenu, 0, 0);
    WhileShown([&] { Window().cmdToggle_Click(); }, [&] { return &frmVocab::Default(); });
    desktop->keybd_event(kVkMenu, 0, kKeyEventKeyUp);
    desktop->keybd_event('A', 0, kKeyEventKeyUp);
}

TEST_F(AppCommandsTest, HelpOfBothWindowsOpensTheProgramsHelpFileInTheViewer) {
    Window().mnuVornHelp->trigger();
    frmVocab::Default().mnuVornHelp->trigger();
    const std::string viewer = "xchm \"" + folder.File("vornhelp.chm") + "\"";
    ASSERT_EQ(desktop->startRequests.size(), 2u);
    EXPECT_EQ(desktop->startRequests[0].file, viewer);
    EXPECT_EQ(desktop->startRequests[1].file, viewer);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AppCommandsTest, ToolbarActivateAndShellNeedASelectionAndTheirKeysAreExact) {
    const Hwnd term = desktop->AddWindow({.className = "XTerm", .title = "shell"});
    const Hwnd other = desktop->AddWindow({.className = "Other", .title = "other"});
    desktop->foreground = other;
    WriteApps({kTerm + "*shell~Editing$xterm"});
    FillApps(-1);
    Window().tbrApp_ButtonDispatch("Activate");
    Window().tbrApp_ButtonDispatch("Shell");
    EXPECT_TRUE(dialogs().boxes.empty());
    EXPECT_TRUE(desktop->startRequests.empty());
    Window().mnuActivate_Click();  // the menu item asks the engine, which says why not
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "No Application Selected");

    Apps().SetListIndex(0);
    Window().tbrApp_ButtonDispatch("activate");
    Window().tbrApp_ButtonDispatch("SHELL");
    EXPECT_EQ(desktop->foreground, other);
    EXPECT_TRUE(desktop->startRequests.empty());
    Window().tbrApp_ButtonDispatch("Activate");
    EXPECT_EQ(desktop->foreground, term);
    Window().tbrApp_ButtonDispatch("Shell");
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].file, "xterm");
    EXPECT_EQ(dialogs().boxes.size(), 1u);
}

TEST_F(AppCommandsTest, ToolbarShellOfAProgramThatCannotStartShowsError13001) {
    WriteApps({kTerm + "*shell~Editing$/nonexistent/vorn-program"});
    FillApps(0);
    desktop->refuseStart = true;
    Window().tbrApp_ButtonDispatch("Shell");
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "Error 13001 - " + LoadResString(13001));
    EXPECT_EQ(dialogs().boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs().boxes[0].title, "Could Not Find Explorer Window");
}

TEST_F(AppCommandsTest, RunStartsThePathLoadedLastNotTheEditedOne) {
    WriteApps({kTerm + "*shell~Editing$xterm -e top", kNotes + "*notes~Writing$"});
    FillApps(0);
    Window().txtPath->setText("edited but not saved");
    Window().mnuRun_Click();
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].file, "xterm -e top");
    EXPECT_TRUE(dialogs().boxes.empty());

    Apps().SetListIndex(1);  // an empty stored path
    Window().txtPath->setText("gedit");
    Window().lstVAppCmd_DblClick();
    EXPECT_EQ(desktop->startRequests.size(), 1u);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "You must enter a valid Path/Filename!");
    EXPECT_EQ(dialogs().boxes[0].title, "Invalid Path/Filename");
}

TEST_F(AppCommandsTest, DeleteAlwaysAsksAndOnlyOKDeletes) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~Writing$gedit"});
    FillApps(-1);
    dialogs().answers = {MsgAnswer::OK};
    Window().mnuDelete_Click();  // nothing selected: asked, then told
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "Warning!  You are about to delete a voice-controlled application are you sure you "
              "want to proceed?");
    EXPECT_EQ(dialogs().boxes[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(dialogs().boxes[0].title, "Delete Voice-Controlled Application");
    EXPECT_EQ(dialogs().boxes[1].title, "No File Selected.");

    Apps().SetListIndex(0);
    dialogs().answers = {MsgAnswer::Cancel};
    Window().tbrApp_ButtonDispatch("DelApp");
    EXPECT_EQ(ReadApps().size(), 2u);
    EXPECT_EQ(Apps().ListCount(), 2);

    dialogs().answers = {MsgAnswer::OK};
    Window().tbrApp_ButtonDispatch("DelApp");
    EXPECT_EQ(ReadApps(), std::vector<std::string>{kNotes + "*notes~Writing$gedit"});
    EXPECT_EQ(Apps().ListCount(), 1);
    EXPECT_EQ(Apps().List(0), kNotes);
}

TEST_F(AppCommandsTest, MenuShortcutsActWhileATextBoxHasTheFocus) {
    WriteApps({kTerm + "*~$xterm"});  // no phrase: the close check stops
    FillApps(0);
    ShowActive();
    Window().txtPath->setFocus();
    Window().txtPath->selectAll();
    QTest::keyClick(Window().txtPath, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Window().txtPath->text(), "xterm");  // not cut
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Insufficient Control Parameters");

    dialogs().answers = {MsgAnswer::Cancel};
    Window().txtVActivate->setFocus();
    QTest::keyClick(Window().txtVActivate, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].title, "Delete Voice-Controlled Application");
    EXPECT_EQ(ReadApps().size(), 1u);
}

TEST_F(AppCommandsTest, TheRightButtonPopsUpTheEditMenuOnlyOverASelectedEntry) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~Writing$gedit"});
    FillApps(-1);
    ShowActive();
    QWidget* rows = Window().lstVAppCmd->viewport();
    const QPoint secondRow =
        Window().lstVAppCmd->visualItemRect(Window().lstVAppCmd->item(1)).center();
    QTest::mouseClick(rows, Qt::RightButton, {}, secondRow);
    EXPECT_FALSE(Window().mnuEdit->isVisible());
    EXPECT_EQ(Apps().ListIndex(), -1);

    Apps().SetListIndex(0);
    QTest::mouseClick(rows, Qt::RightButton, {}, secondRow);
    EXPECT_TRUE(Window().mnuEdit->isVisible());
    EXPECT_EQ(Apps().ListIndex(), 0);  // the right button selects nothing
    Window().mnuEdit->hide();
}

TEST_F(AppCommandsTest, CornersPutTheMainWindowInTheWorkAreaAndThisWindowAboveIt) {
    // A panel on the left and one on the right: the work area is narrower than the screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    desktop->workArea = {40, 0, screen.width() - 60, screen.height() - 30};
    frmVorn& main = frmVorn::Default();
    main.show();
    Window().show();
    const int gap = Twips::ToPixels(50);

    Window().mnuBottomLeft_Click();
    EXPECT_EQ(main.frameGeometry().left(), 40);
    EXPECT_EQ(main.frameGeometry().bottom() + 1, screen.height() - 30);
    EXPECT_EQ(Window().frameGeometry().left(), 40);
    EXPECT_NEAR(Window().frameGeometry().bottom() + 1, main.frameGeometry().top() - gap, 1);

    Window().mnuBottomRight_Click();
    EXPECT_EQ(main.frameGeometry().right() + 1, screen.width() - 60);
    EXPECT_NEAR(Window().frameGeometry().right() + 1, screen.width(), 1);  // the screen's edge
    EXPECT_NEAR(Window().frameGeometry().bottom() + 1, main.frameGeometry().top() - gap, 1);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AppCommandsTest, AMinimisedMainWindowStaysAndThisWindowStillLandsOnTheScreen) {
    frmVorn& main = frmVorn::Default();
    main.move(0, 0);
    main.showMinimized();
    Window().show();
    Window().mnuBottomLeft_Click();
    EXPECT_EQ(main.pos(), QPoint(0, 0));
    EXPECT_EQ(Window().frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AppCommandsTest, SoundMeterStartsListeningAndShowsTheMeterScaleModally) {
    frmVorn& main = frmVorn::Default();
    main.DirectSR1->StopListening();
    WhileShown([&] { Window().mnuMeter_Click(); },
               [&] {
                   EXPECT_TRUE(main.DirectSR1->IsListening());
                   EXPECT_TRUE(frmVolSet::Default().isModal());
                   return &frmVolSet::Default();
               });

    // Escape closes the dialog as Done does: listening stops and the meter falls to 0.
    bool closed = false;
    QTimer::singleShot(0, [&] {
        frmVolSet& dialog = frmVolSet::Default();
        main.VUMeter->SetLevel(1000);
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        closed = !frmVolSet::IsLoaded();
        if (!closed) dialog.hide();  // ends the test's wait
    });
    Window().mnuMeter_Click();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(main.DirectSR1->IsListening());
    EXPECT_FLOAT_EQ(main.VUMeter->Level(), 0.0f);
}

TEST_F(AppCommandsTest, ACommandThatFailsShowsItsErrorAndTheWindowGoesOn) {
    MainWindowAccess::Install({});  // the main window is not there to be placed
    Window().show();
    Window().mnuBottomRight->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].icon, MsgIcon::Critical);
    EXPECT_NE(dialogs().boxes[0].text.find("main window"), std::string::npos);
    EXPECT_TRUE(Window().isVisible());
}
