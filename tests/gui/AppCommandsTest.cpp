#include <QTimer>
#include <functional>

#include "GuiFixture.h"
#include "common/ListControl.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "engine/CApp.h"
#include "platform/Keyboard.h"

namespace {

const std::string kNotes = "gedit \xA6 notes.txt";
const std::string kTerm = "XTerm \xA6 shell";

class AppCommandsTest : public GuiFixture {
protected:
    frmApp& Window() { return frmApp::Default(); }
    IListControl& Apps() { return Lists::Get(ListId::frmApp_lstVAppCmd); }
    IListControl& Vocabularies() { return Lists::Get(ListId::frmVocab_lstVocab); }

    // Runs a command that shows a window modally; inside that window's loop, looks at it and
    // then hides the window that was shown, which ends the loop.
    void WhileShown(const std::function<void()>& command, const std::function<QWidget*()>& look) {
        bool looked = false;
        QTimer::singleShot(0, [&] {
            QWidget* shown = look();
            looked = true;
            shown->hide();
        });
        command();
        EXPECT_TRUE(looked);
    }
};

}  // namespace

TEST_F(AppCommandsTest, TheFirstSwitchKeepsTheVocabularyListAndLaterOnesRefillIt) {
    WriteVocabulary("Editing", {"copy:^C"});
    WriteVocabulary("Mail", {});
    Vocabularies().AddItem("Listed at Configure");  // as the main window left it
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
    WhileShown([&] { Window().cmdToggle_Click(); },
               [&] {
                   EXPECT_EQ(Vocabularies().ListCount(), 2);
                   EXPECT_EQ(Vocabularies().List(0), "Editing");
                   EXPECT_EQ(Vocabularies().ListIndex(), 0);
                   return &frmVocab::Default();
               });
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(AppCommandsTest, AFreshlyLoadedWindowStartsAgainWithoutARefill) {
    WriteVocabulary("Editing", {});
    WhileShown([&] { Window().tbrApp_ButtonDispatch("AppVoc"); },
               [&] { return &frmVocab::Default(); });
    frmApp::Unload();
    Vocabularies().Clear();
    Vocabularies().AddItem("Kept");
    WhileShown([&] { Window().mnuAppSwitch_Click(); },
               [&] {
                   EXPECT_EQ(Vocabularies().List(0), "Kept");
                   return &frmVocab::Default();
               });
}

TEST_F(AppCommandsTest, SwitchingBackAndForthNestsAndClosingTheVocabularyWindowEndsIt) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    std::vector<std::string> seen;
    QTimer::singleShot(0, [&] {
        // The vocabulary window switches back: the application window is shown modally again.
        frmVocab::Default().hide();
        QTimer::singleShot(0, [&] {
            seen.push_back(Window().isVisible() ? "application window" : "none");
            QTimer::singleShot(0, [&] {
                seen.push_back(frmVocab::Default().isVisible() ? "vocabulary window" : "none");
                frmVocab::Unload();
            });
            Window().mnuAppSwitch_Click();  // and on to the vocabulary window once more
        });
        Window().ShowModal();
    });
    Window().show();
    Window().mnuAppSwitch_Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"application window", "vocabulary window"}));
    EXPECT_FALSE(frmVocab::IsLoaded());
    EXPECT_FALSE(Window().isVisible());  // hidden, not shown again
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

TEST_F(AppCommandsTest, HelpOpensTheProgramsHelpFileInTheViewer) {
    Window().mnuVornHelp->trigger();
    ASSERT_EQ(desktop->startRequests.size(), 1u);
    EXPECT_EQ(desktop->startRequests[0].file, "xchm \"" + folder.File("vornhelp.chm") + "\"");
    EXPECT_TRUE(dialogs().boxes.empty());
}
