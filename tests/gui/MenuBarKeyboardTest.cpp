// The configuration windows' menu bars and the keyboard: a menu opened by its keys and closed
// again gives the keyboard back to the control that had it, so the letters typed next go there
// and run no menu command.
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <functional>

#include "UserKeys.h"
#include "VocabWindowFixture.h"
#include "common/ListControl.h"
#include "config/frmApp.h"
#include "engine/CApp.h"
#include "forms/AnsiQt.h"

namespace {

using Items = std::vector<std::string>;

bool MenuOpens() {
    return QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; });
}

// The ways a user leaves a menu bar by its keys without choosing anything.
struct Way {
    const char* name;
    std::function<void()> keys;
};

std::vector<Way> WaysOut() {
    return {
        {"F10, Escape",
         [] {
             Press(Qt::Key_F10);
             ASSERT_TRUE(MenuOpens());
             Press(Qt::Key_Escape);
         }},
        {"Alt+F, Escape",
         [] {
             Press(Qt::Key_F, Qt::AltModifier);
             ASSERT_TRUE(MenuOpens());
             Press(Qt::Key_Escape);
         }},
        {"Alt alone", [] { Press(Qt::Key_Alt, Qt::AltModifier); }},
        {"F10 twice",
         [] {
             Press(Qt::Key_F10);
             ASSERT_TRUE(MenuOpens());
             Press(Qt::Key_F10);
         }},
    };
}

class MenuBarKeyboardTest : public VocabWindowFixture {
protected:
    // After each way out, the keyboard is where it was, no menu is open, and the letters
    // typed next land in the box.
    void EachWayLeavesTheKeyboardIn(QWidget& window, QLineEdit* box, const char* letters) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        for (const Way& way : WaysOut()) {
            box->setFocus(Qt::OtherFocusReason);
            box->clear();
            way.keys();
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << way.name;
            EXPECT_EQ(window.focusWidget(), box) << way.name;
            // Qt's offscreen platform leaves no window active once a menu has closed; a
            // window manager gives the activation back.
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            Type(letters);
            Press(Qt::Key_Space);
            EXPECT_EQ(FromQString(box->text()), std::string(letters) + " ") << way.name;
            if (QApplication::activePopupWidget() != nullptr) Press(Qt::Key_Escape);
        }
    }
};

}  // namespace

TEST_F(MenuBarKeyboardTest, TheVocabularyWindowsMenuBarNeverKeepsTheKeyboardUnseen) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    Entries().SetListIndex(1);
    const std::string before = ReadBytes(folder.File("vocab/Edit.txt"));
    EachWayLeavesTheKeyboardIn(Window(), Window().txtCommand, "ed");
    EXPECT_EQ(ReadBytes(folder.File("vocab/Edit.txt")), before);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MenuBarKeyboardTest, TheApplicationWindowsMenuBarNeverKeepsTheKeyboardUnseen) {
    WriteApps({"XTerm \xA6 shell*shell~Shell$xterm", "gedit \xA6 notes*notes~Edit$gedit"});
    frmApp& app = frmApp::Default();
    app.App().FillVACListBox();
    app.VAppCmdList().SetListIndex(0);
    const std::string before = ReadBytes(folder.File("VAppCmd.txt"));
    EachWayLeavesTheKeyboardIn(app, app.txtVActivate, "fd");
    EXPECT_EQ(ReadBytes(folder.File("VAppCmd.txt")), before);
    EXPECT_TRUE(dialogs().boxes.empty());
}
