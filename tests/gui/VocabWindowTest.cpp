// The vocabulary window's commands: listing, sorting, editing, new words, deletions,
// vocabularies, the focus keys and closing.
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "RecordPositionLimit.h"
#include "ResourceLimits.h"
#include "VocabWindowFixture.h"
#include "common/ListControl.h"
#include "config/frmApp.h"
#include "forms/AnsiQt.h"
#include "store/CFile.h"

namespace {

using Items = std::vector<std::string>;

class VocabWindowTest : public VocabWindowFixture {};

Items ListItems(IListControl& list) {
    Items items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

}  // namespace

TEST_F(VocabWindowTest, EachLabelSortsItsOwnListAscendingFirstThenInTurns) {
    WriteVocabulary("beta", {"b:1", "B:2", "a:3"});
    WriteVocabulary("Alpha", {});
    WriteVocabulary("gamma", {});
    ListVocabularies();
    Vocabularies().SetListIndex(1);  // beta
    ASSERT_EQ(ListItems(Entries()), (Items{"b:1", "B:2", "a:3"}));

    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);
    EXPECT_EQ(ListItems(Entries()), (Items{"B:2", "a:3", "b:1"}));  // upper case first
    QTest::mouseDClick(Window().lblVocabList, Qt::LeftButton);      // a sequence of its own
    EXPECT_EQ(ListItems(Vocabularies()), (Items{"Alpha", "beta", "gamma"}));
    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);
    EXPECT_EQ(ListItems(Entries()), (Items{"b:1", "a:3", "B:2"}));
    QTest::mouseDClick(Window().lblVocabList, Qt::LeftButton);
    EXPECT_EQ(ListItems(Vocabularies()), (Items{"gamma", "beta", "Alpha"}));
    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);
    EXPECT_EQ(ListItems(Entries()), (Items{"B:2", "a:3", "b:1"}));
    EXPECT_EQ(ReadVocabulary("beta"), (Items{"b:1", "B:2", "a:3"}));  // only the list is sorted

    // A window loaded afresh starts again with ascending.
    frmVocab::Unload();
    ListVocabularies();
    Vocabularies().SetListIndex(1);
    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);
    EXPECT_EQ(ListItems(Entries()), (Items{"B:2", "a:3", "b:1"}));
}

TEST_F(VocabWindowTest, AltWithALabelLetterMovesTheFocusWithoutSwitching) {
    WriteVocabulary("Edit", {"copy:^c"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    // The switch button clicked while Alt and a letter are held.
    const std::pair<uint8_t, QWidget*> moves[] = {
        {'D', Window().lstDictionary}, {'E', Window().txtCommand}, {'V', Window().lstVocab}};
    for (const auto& [letter, target] : moves) {
        Hold({kVkMenu, letter});
        Window().cmdToggle_Click();
        Release({letter, kVkMenu});
        EXPECT_EQ(QApplication::focusWidget(), target) << letter;
        EXPECT_TRUE(Window().isVisible());
    }

    // The labels' access keys themselves.
    QTest::keyClick(&Window(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Window().lstDictionary);
    QTest::keyClick(&Window(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Window().lstVocab);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_FALSE(frmApp::IsLoaded() && frmApp::Default().isVisible());
}

TEST_F(VocabWindowTest, AltEAlwaysFocusesTheEditBoxAndF10StillReachesTheMenus) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    QListWidget* list = Window().lstDictionary;
    const auto clickEntry = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    };
    // Keys go where a user's keys would: to an open menu, else to the focused control.
    const auto type = [](const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            QWidget* popup = QApplication::activePopupWidget();
            QTest::keyClick(popup != nullptr ? popup : QApplication::focusWidget(), *c);
        }
    };
    const auto altE = [&](const char* when) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand) << when;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << when;
    };
    clickEntry(2);
    altE("after a click");
    type("save:^+s");
    QTest::mouseClick(Window().cmdSaveChanges, Qt::LeftButton);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o", "save:^+s"}));
    clickEntry(1);
    altE("after a click and a save");
    altE("twice in a row");
    type("delete:{DEL}");
    EXPECT_EQ(FromQString(Window().txtCommand->text()), "delete:{DEL}");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o", "save:^+s"}));

    // The menu stays reachable from the keyboard: F10, then the arrow keys.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QApplication::activePopupWidget() == Window().mnuEdit; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

TEST_F(VocabWindowTest, SwitchingBackAndForthNestsAndClosingUnwindsEveryWindow) {
    WriteApps({"XTerm \xA6 shell*shell~Shell$xterm"});
    WriteVocabulary("Shell", {"list:ls~"});
    WriteVocabulary("Edit", {"copy:^c"});
    std::vector<std::string> seen;
    auto shown = [&] {
        return std::string(frmApp::Default().isVisible() ? "app" : "") +
               (frmVocab::IsLoaded() && Window().isVisible() ? "vocab" : "");
    };
    QTimer::singleShot(0, [&] {      // in the application window
        QTimer::singleShot(0, [&] {  // in the vocabulary window
            seen.push_back(shown());
            EXPECT_EQ(Entries().List(0), "copy:^c");  // its first vocabulary listed
            QTimer::singleShot(0, [&] {               // in the application window again
                seen.push_back(shown());
                EXPECT_EQ(Lists::Get(ListId::frmApp_lstVAppCmd).ListCount(), 1);
                EXPECT_EQ(ListItems(Lists::Get(ListId::frmApp_cmbVocabulary)),
                          (Items{"Edit", "Shell"}));
                QTimer::singleShot(0, [&] {  // in the vocabulary window again
                    seen.push_back(shown());
                    Window().cmdCloseVocab->click();
                });
                frmApp::Default().cmdToggle_Click();
                seen.push_back("app switch returned");
            });
            Window().tbrVocab_ButtonDispatch("Switch");
            seen.push_back("vocab switch returned");
        });
        frmApp::Default().cmdToggle_Click();
        seen.push_back("app switch returned");
    });
    ListVocabularies();
    frmApp::Default().ShowModal();
    EXPECT_EQ(seen, (Items{"vocab", "app", "vocab", "app switch returned", "vocab switch returned",
                           "app switch returned"}));
    EXPECT_FALSE(frmVocab::IsLoaded());
    EXPECT_FALSE(frmApp::Default().isVisible());
    EXPECT_NE(ReadBytes(folder.File("temp.txt")).find("<start>=copy"), std::string::npos);
}

TEST_F(VocabWindowTest, NewVocabulariesAreCheckedThenCreatedAndListed) {
    WriteVocabulary("work", {});
    ListVocabularies();
    Window().move(3000 / 15, 900 / 15);
    dialogs().inputAnswers = {"Work",       "my words", "",    "a/b",  "..",
                              "Notes v1.2", "phrase*",  "x~y", "cost$"};
    Window().mnuNewVocab->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "You Already Have A Vocabulary With That Name!");
    EXPECT_EQ(dialogs().boxes[0].title, "Vorn! Voice Command");
    EXPECT_EQ(dialogs().inputPrompts[0].text, "Enter Name of New Vocabulary: ");
    EXPECT_EQ(dialogs().inputPrompts[0].title, "New Vocabulary");
    ASSERT_TRUE(dialogs().inputPositions[0].has_value());
    EXPECT_NEAR(dialogs().inputPositions[0]->x, 3000 + 600, 15);
    EXPECT_NEAR(dialogs().inputPositions[0]->y, 900 - 1700, 15);

    Window().mnuNewVocab->trigger();
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/my words.txt")));
    EXPECT_EQ(ListItems(Vocabularies()), (Items{"my words", "work"}));
    EXPECT_EQ(Vocabularies().ListIndex(), -1);

    Window().mnuNewVocab->trigger();  // cancelled: nothing at all
    EXPECT_EQ(dialogs().boxes.size(), 1u);

    // Names that would leave the folder, be listed under another name (up to the first "."),
    // or break the application records.
    for (int i = 0; i < 6; ++i) Window().mnuNewVocab->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 7u);
    EXPECT_EQ(dialogs().boxes[1].title, "New Vocabulary");
    EXPECT_NE(dialogs().boxes[1].text.find("cannot hold"), std::string::npos);
    EXPECT_EQ(ListItems(Vocabularies()), (Items{"my words", "work"}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/a")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("vocab")),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(VocabWindowTest, ANewVocabularyNameTooLongForItsFileIsRefusedBeforeAnythingIsWritten) {
    ListVocabularies();
    // 240 characters leave room for ".txt" and an aside file's ending; "\xE9" takes two bytes
    // in a file name.
    const std::string longest(240, 'n');
    dialogs().inputAnswers = {longest + "n", std::string(121, '\xE9'), longest};
    for (int i = 0; i < 3; ++i) Window().mnuNewVocab->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "This vocabulary name is too long to name its file. Please choose a shorter one.");
    EXPECT_EQ(dialogs().boxes[1].title, "New Vocabulary");
    EXPECT_EQ(ListItems(Vocabularies()), Items{longest});
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/" + longest + ".txt")));
}

TEST_F(VocabWindowTest, AtMostThirtyVocabularies) {
    for (int i = 0; i < 29; ++i) WriteVocabulary("v" + std::to_string(100 + i), {});
    ListVocabularies();
    dialogs().inputAnswers = {"thirtieth", "one more"};
    Window().tbrVocab_ButtonDispatch("NewVocab");
    EXPECT_EQ(Vocabularies().ListCount(), 30);
    EXPECT_TRUE(dialogs().boxes.empty());
    Window().tbrVocab_ButtonDispatch("NewVocab");
    EXPECT_EQ(Vocabularies().ListCount(), 30);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "You Have Too Many Vocabularies Already!  The Maximum is 30.");
    EXPECT_EQ(dialogs().boxes[0].title, "Vocabulary Overload");
    EXPECT_EQ(dialogs().boxes[0].icon, MsgIcon::Information);
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/one more.txt")));
}

TEST_F(VocabWindowTest, DeletingAVocabularyAsksFirstAndNeedsOneCurrent) {
    WriteVocabulary("Edit", {"copy:^c"});
    WriteVocabulary("Shell", {});
    ListVocabularies();
    dialogs().answers = {MsgAnswer::Cancel, MsgAnswer::OK, MsgAnswer::OK, MsgAnswer::Cancel,
                         MsgAnswer::OK};
    Window().mnuDeleteVocab->trigger();  // Cancel with none current: nothing more
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "Warning!  You Are About to Remove A File From Your Hard Drive!");
    EXPECT_EQ(dialogs().boxes[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(dialogs().boxes[0].title, "Vocabulary File Deletion");
    Window().mnuDeleteVocab->trigger();  // OK with none current
    ASSERT_EQ(dialogs().boxes.size(), 3u);
    EXPECT_EQ(dialogs().boxes[2].text, "You Must Select A Vocabulary First!");
    EXPECT_EQ(dialogs().boxes[2].title, "Vocabulary Deletion");

    Vocabularies().SetListIndex(0);
    Window().tbrVocab_ButtonDispatch("DelVocab");  // Cancel
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/Edit.txt")));
    Window().tbrVocab_ButtonDispatch("DelVocab");  // OK
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/Edit.txt")));
    EXPECT_EQ(ListItems(Vocabularies()), (Items{"Shell"}));
    EXPECT_EQ(Vocabularies().ListIndex(), -1);
    EXPECT_EQ(ListItems(Entries()), (Items{"copy:^c"}));  // still shown until another is listed
}

TEST_F(VocabWindowTest, AVocabularyWhoseFileCannotBeDeletedStaysListedAndTheUserIsToldWhy) {
    // A folder in the file's place cannot be deleted as a file, as no file in a folder that is
    // not writable can.
    const std::string stuck = folder.File("vocab/Stuck.txt");
    std::filesystem::create_directories(stuck + "/inside");
    Vocabularies().AddItem("Stuck");
    Vocabularies().SetListIndex(0);
    dialogs().boxes.clear();
    dialogs().answers = {MsgAnswer::OK};
    Window().mnuDeleteVocab->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(
        dialogs().boxes[1].text,
        "The file \"" + stuck + "\" could not be written (Is a directory), so nothing was saved.");
    EXPECT_EQ(dialogs().boxes[1].title, "Vocabulary File Deletion");
    EXPECT_EQ(ListItems(Vocabularies()), Items{"Stuck"});
}

TEST_F(VocabWindowTest, AnEditIsSavedInPlaceByTheButtonAndByTheMenu) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    Entries().SetListIndex(1);
    Window().txtCommand->setFocus();  // loads the entry for editing, wholly selected
    EXPECT_EQ(Window().txtCommand->text(), "open:^o");
    EXPECT_EQ(Window().txtCommand->selectedText(), "open:^o");
    QTest::keyClicks(Window().txtCommand, "open:^+o");
    QTest::mouseClick(Window().cmdSaveChanges, Qt::LeftButton);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o", "save:^s"}));
    EXPECT_EQ(ListItems(Entries()), (Items{"copy:^c", "open:^+o", "save:^s"}));
    EXPECT_EQ(Window().txtCommand->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), Window().lstDictionary);

    Entries().SetListIndex(2);
    Window().txtCommand->setFocus();
    Window().txtCommand->setText("save:^+s");
    Window().mnuSaveChanges->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o", "save:^+s"}));
    EXPECT_EQ(Entries().List(2), "save:^s");  // the list is not refreshed
    EXPECT_EQ(Window().txtCommand->text(), "save:^+s");
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabWindowTest, ANewWordIsAppendedAfterTheLastEntry) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    Entries().SetListIndex(0);
    Window().mnuPopNew->trigger();
    EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);
    QTest::keyClicks(Window().txtCommand, "close:^w");
    Window().tbrVocab_ButtonDispatch("SvCh");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o", "save:^s", "close:^w"}));
    EXPECT_EQ(ListItems(Entries()).back(), "close:^w");

    // The next save overwrites again: new-word mode ended with the save.
    Entries().SetListIndex(3);
    Window().txtCommand->setFocus();
    Window().txtCommand->setText("close:^F4");
    Window().cmdSaveChanges_Click();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o", "save:^s", "close:^F4"}));
}

TEST_F(VocabWindowTest, WithoutACurrentVocabularyNothingIsStoredAndNoNamelessFileMade) {
    WriteVocabulary("Edit", {"copy:^c"});
    ListVocabularies();
    ShowActive();
    Window().txtCommand->setFocus();
    Window().txtCommand->setText("typed");
    Window().cmdSaveChanges_Click();
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "You must select a Vocabulary!");
    // An entry of no listed vocabulary is deleted from no file: it stays, and a box says why.
    Entries().AddItem("left over");
    Entries().SetListIndex(0);
    Window().mnuDelete->trigger();
    EXPECT_EQ(Entries().ListCount(), 1);
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].title, "Delete Word");
    dialogs().inputAnswers = {""};  // New Word asks for a vocabulary first; cancelled
    Window().mnuPopNew->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 3u);
    EXPECT_EQ(dialogs().boxes[2].text, "You must select or create a vocabulary first!");
    EXPECT_EQ(dialogs().boxes[2].title, "No Vocabulary Selection");
    EXPECT_EQ(dialogs().inputPrompts.size(), 1u);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c"}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/.txt")));
}

TEST_F(VocabWindowTest, DeletingAnEntryRewritesTheFileFromTheList) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    Entries().SetListIndex(1);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "save:^s"}));
    EXPECT_EQ(Entries().ListIndex(), 1);  // the entry that moved up
    Window().mnuDelete->trigger();        // the last one: the new last is selected
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c"}));
    EXPECT_EQ(Entries().ListIndex(), 0);

    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    Vocabularies().SetListIndex(0);
    Window().mnuDelete->trigger();  // none current: nothing deleted, the last selected
    EXPECT_EQ(ReadVocabulary("Edit").size(), 3u);
    EXPECT_EQ(Entries().ListIndex(), 2);

    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);
    QTest::mouseDClick(Window().lblDictionary, Qt::LeftButton);  // descending
    Entries().SetListIndex(0);                                   // save:^s
    Window().tbrVocab_ButtonDispatch("DelDict");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"open:^o", "copy:^c"}));
    EXPECT_EQ(Entries().ListIndex(), -1);  // the toolbar does not reselect
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabWindowTest, ADeletionOrSaveThatCannotWriteSaysWhyAndKeepsTheFileAndTheList) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    const std::string noRoom = "There is no room left on the disk to write \"" +
                               folder.File("vocab/Edit.txt") + "\", so nothing was saved.";
    {
        const FileSizeLimit fullDisk(0);
        Entries().SetListIndex(0);
        Window().mnuDelete->trigger();
        Entries().SetListIndex(1);
        Window().txtCommand_GotFocus();  // the entry loaded for editing, as the focus does
        Window().txtCommand->setText("open:^+o");
        Window().mnuSaveChanges->trigger();
    }
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[0].text, noRoom);
    EXPECT_EQ(dialogs().boxes[0].title, "Delete Word");
    EXPECT_EQ(dialogs().boxes[1].text, noRoom);
    EXPECT_EQ(dialogs().boxes[1].title, "Save Word");
    EXPECT_EQ(dialogs().boxes[1].icon, MsgIcon::Critical);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o"}));
    EXPECT_EQ(ListItems(Entries()), (Items{"copy:^c", "open:^o"}));

    // The next deletion starts afresh: nothing of the failed one is carried over.
    Entries().SetListIndex(0);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"open:^o"}));
}

TEST_F(VocabWindowTest, DeletingAWordKeepsTheRecordsTheListCouldNotHold) {
    // From a damaged record on, byte for byte, a copy of the damaged file kept aside.
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "cut:^x", "save:^s"});
    const std::string path = folder.File("vocab/Edit.txt");
    std::string before = ReadBytes(path);
    before[256] = '\x7F';  // record 3 claims more than a record holds
    WriteBytes(path, before);
    // Past the reach of the record positions.
    WriteVocabulary("Keys", {"a:1", "b:2", "c:3", "d:4", "e:5"});
    const RecordPositionLimit lastPosition(3);
    ListVocabularies();

    Vocabularies().SetListIndex(0);
    ASSERT_EQ(ListItems(Entries()), (Items{"copy:^c", "open:^o"}));
    Entries().SetListIndex(1);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadBytes(path), before.substr(0, 128) + before.substr(256));
    EXPECT_EQ(ReadBytes(path + ".damaged"), before);
    EXPECT_EQ(ListItems(Entries()), Items{"copy:^c"});

    Vocabularies().SetListIndex(1);
    ASSERT_EQ(ListItems(Entries()), (Items{"a:1", "b:2", "c:3"}));
    Entries().SetListIndex(1);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Keys"), (Items{"a:1", "c:3", "d:4", "e:5"}));

    ASSERT_EQ(dialogs().boxes.size(), 3u);
    EXPECT_NE(dialogs().boxes[0].text.find("13011"), std::string::npos);
    EXPECT_EQ(dialogs().boxes[1].title, "Damaged File");
    EXPECT_EQ(dialogs().boxes[2].text, "Error 6: Overflow");
}

TEST_F(VocabWindowTest, WordsSavedFromTheMenuOutliveADeletion) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    // A new word saved from the menu is not listed, yet stays in the file.
    Entries().SetListIndex(0);
    Window().mnuPopNew->trigger();
    Window().txtCommand->setText("close:^w");
    Window().mnuSaveChanges->trigger();
    Entries().SetListIndex(0);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"open:^o", "close:^w"}));

    // An edit saved from the menu leaves the list showing the old text: a deletion from that
    // list would put the old text back, so it is refused, and the list shows the file again.
    Entries().SetListIndex(0);
    Window().lstDictionary->setFocus();
    Window().txtCommand->setFocus();
    Window().txtCommand->setText("open:^+o");
    Window().mnuSaveChanges->trigger();
    Entries().SetListIndex(0);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"open:^+o", "close:^w"}));
    EXPECT_EQ(ListItems(Entries()), (Items{"open:^+o", "close:^w"}));
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "The file \"" + folder.File("vocab/Edit.txt") +
                                           "\" no longer holds what its list shows, so it was "
                                           "not changed.");
    EXPECT_EQ(dialogs().boxes[0].title, "Delete Word");
}

TEST_F(VocabWindowTest, AnEntryEditedAgainFromAListNotRefilledIsNotStoredOutOfSight) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    const auto editFromTheMenu = [&](const char* typed) {
        Entries().SetListIndex(1);
        Window().lstDictionary->setFocus();
        Window().txtCommand->setFocus();
        Window().txtCommand->setText(typed);
        Window().mnuSaveChanges->trigger();
    };
    editFromTheMenu("open:^+o");
    ASSERT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o"}));
    // The list still shows "open:^o", which the file no longer holds: the second edit has no
    // record to overwrite and is not stored behind an empty record where no list shows it.
    editFromTheMenu("open:^+p");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o"}));
    EXPECT_EQ(ReadBytes(folder.File("vocab/Edit.txt")).size(), 2u * CFile::kVocabRecordLength);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "The entry to change is no longer in the vocabulary \"Edit\" as its list showed "
              "it, so nothing was saved. The list now shows the entries as they are.");
    EXPECT_EQ(dialogs().boxes[0].title, "Save Word");
    // Clicking the vocabulary that is already current lists nothing anew: the refusal does,
    // and leaves the typed text in the box. The entry as listed now takes the edit.
    EXPECT_EQ(ListItems(Entries()), (Items{"copy:^c", "open:^+o"}));
    EXPECT_EQ(FromQString(Window().txtCommand->text()), "open:^+p");
    editFromTheMenu("open:^+p");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+p"}));
    // The current entry "open:^+o" is again no longer stored: a new word still goes after the
    // last entry.
    Window().lstDictionary->setFocus();
    Window().mnuPopNew->trigger();
    Window().txtCommand->setText("close:^w");
    Window().mnuSaveChanges->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+p", "close:^w"}));
    EXPECT_EQ(dialogs().boxes.size(), 1u);
}

TEST_F(VocabWindowTest, ADamagedRecordIsReportedAndTheWindowGoesOn) {
    WriteVocabulary("Edit", {"copy:^c"});
    std::string bytes = ReadBytes(folder.File("vocab/Edit.txt"));
    bytes[0] = '\xFF';  // a byte count longer than the record
    bytes[1] = '\x7F';
    WriteBytes(folder.File("vocab/Edit.txt"), bytes);
    WriteVocabulary("Shell", {"list:ls~"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_NE(dialogs().boxes[0].text.find("13011"), std::string::npos);
    Vocabularies().SetListIndex(1);
    EXPECT_EQ(ListItems(Entries()), (Items{"list:ls~"}));
}

TEST_F(VocabWindowTest, AVocabularyClickedWithTheMouseListsItsEntries) {
    WriteVocabulary("Edit", {"copy:^c"});
    WriteVocabulary("Shell", {"list:ls~", "quit:exit~"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    ShowActive();
    QListWidget* list = Window().lstVocab;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(Vocabularies().ListIndex(), 1);
    EXPECT_EQ(ListItems(Entries()), (Items{"list:ls~", "quit:exit~"}));
    QTest::keyClick(list, Qt::Key_Up);  // the keys move the current vocabulary too
    EXPECT_EQ(ListItems(Entries()), (Items{"copy:^c"}));
}

TEST_F(VocabWindowTest, ClosingRebuildsTheGrammarFromTheListedVocabularies) {
    WriteApps({"XTerm \xA6 shell*shell~Shell$xterm"});
    WriteVocabulary("Shell", {"list:ls~", "quit:exit~"});
    WriteVocabulary("Unlisted", {"hidden:x"});
    Lists::Get(ListId::frmApp_lstVAppCmd).AddItem("XTerm \xA6 shell");
    Vocabularies().AddItem("Shell");
    Window().cmdCloseVocab->click();
    EXPECT_FALSE(frmVocab::IsLoaded());
    EXPECT_EQ(ReadBytes(folder.File("temp.txt")),
              "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n"
              "<start>=shell\r\n<start>=list\r\n<start>=quit\r\n");
    EXPECT_EQ(Lists::Get(ListId::frmApp_lstVAppCmd).ListCount(), 0);
}

TEST_F(VocabWindowTest, SaveChangesChosenFromTheMenuByKeyboardOrMouseStoresTheEdit) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    ListVocabularies();
    Vocabularies().SetListIndex(0);
    QListWidget* list = Window().lstDictionary;
    QLineEdit* box = Window().txtCommand;
    const auto byKeyboard = [&] {
        QTest::keyClick(&Window(), Qt::Key_F, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    };
    const auto byMouse = [&] {
        QMenuBar* bar = Window().menuBar;
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(Window().mnuFile->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::mouseClick(Window().mnuFile, Qt::LeftButton, Qt::NoModifier,
                          Window().mnuFile->actionGeometry(Window().mnuSaveChanges).center());
    };
    // Click an entry, move into the edit box, type over the entry, File > Save Changes.
    const auto edit = [&](int row, const char* typed, const std::function<void()>& save) {
        ShowActive();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        box->setFocus(Qt::ShortcutFocusReason);  // as its label's access key gives it
        QTest::keyClicks(box, typed);
        save();
        EXPECT_EQ(ReadVocabulary("Edit").at(static_cast<std::size_t>(row)), typed);
        // The menu bar giving the focus back does not load the entry again.
        EXPECT_EQ(FromQString(box->text()), typed);
    };
    edit(1, "open:^+o", byKeyboard);
    edit(2, "save:^+s", byMouse);
    edit(0, "copy:^+c", byKeyboard);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^+c", "open:^+o", "save:^+s"}));
}
