// Save Changes in the vocabulary window, driven by keys and clicks: it stores the edit box's
// text over the entry the box was loaded from, or as a new word of the vocabulary on screen,
// and nowhere else. Every other save stores nothing, says why and keeps the text.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "UserKeys.h"
#include "VocabWindowFixture.h"
#include "common/ListControl.h"
#include "config/frmApp.h"
#include "forms/AnsiQt.h"

namespace {

using Items = std::vector<std::string>;

const char* const kEmptyBox =
    "The edit box is empty, so nothing was saved. To remove an entry, use Delete Word.";

class VocabSaveTest : public VocabWindowFixture {
protected:
    std::vector<std::string> Told() {
        std::vector<std::string> texts;
        for (const auto& box : dialogs().boxes) texts.push_back(box.text);
        return texts;
    }
};

}  // namespace

TEST_F(VocabSaveTest, ASecondSaveOrOneAfterAVocabularyClickStoresNothing) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    WriteVocabulary("Files", {"list:^l"});
    Open("Edit");
    ClickEntry(1);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("open:^+o");
    ClickSave();
    ASSERT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o", "save:^s"}));
    const std::string saved = Bytes("Edit");

    ClickSave();  // again, the box emptied by the first
    ClickSave();  // a double click
    ClickSave();
    Press(Qt::Key_Escape);  // no drag pending: a vocabulary clicked lists its entries
    ClickVocabulary("Files");
    ClickVocabulary("Edit");
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), saved);
    EXPECT_EQ(ReadVocabulary("Files"), Items{"list:^l"});
    ASSERT_EQ(Told(), (Items(4, kEmptyBox)));
    EXPECT_EQ(dialogs().boxes.back().title, "Save Word");
    EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);
}

TEST_F(VocabSaveTest, AfterADragOrAClickOnAnotherVocabularyAnEditGoesToItsOwnEntry) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    WriteVocabulary("Files", {"list:^l", "find:^f", "grep:^g"});
    Open("Edit");
    const std::string edit = Bytes("Edit");

    // Dragged onto another vocabulary, then saved: the entry is stored over itself.
    ClickEntry(1);
    Window().lstVocab_DragOver(Vocabularies().FindStringExact("Files") * 180 + 90);
    Window().lstVocab_DragDrop();
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"list:^l", "find:^f", "grep:^g", "open:^o"}));
    EXPECT_EQ(Bytes("Edit"), edit);
    const std::string files = Bytes("Files");

    // Dragged onto its own vocabulary, which stores nothing, then saved: not appended.
    ClickEntry(2);
    Window().lstVocab_DragOver(Vocabularies().FindStringExact("Edit") * 180 + 90);
    Window().lstVocab_DragDrop();
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), edit);

    // Edited, then another vocabulary clicked while the drag is pending (the list is not
    // refilled): the edit goes to the entry it came from.
    ClickEntry(1);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("open:^+o");
    ClickVocabulary("Files");
    ASSERT_EQ(Entries().List(1), "open:^o");
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o", "save:^s"}));
    EXPECT_EQ(Bytes("Files"), files);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabSaveTest, AnEditKeptThroughTheSwitchToTheApplicationWindowGoesToItsOwnEntry) {
    WriteVocabulary("Alpha", {"a:1", "b:2", "c:3"});
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    const std::string alpha = Bytes("Alpha");
    Open("Edit");
    ClickEntry(1);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("open:^+o");
    bool back = false;
    bool closed = false;
    QTimer::singleShot(0, [&] {      // in the application window
        QTimer::singleShot(0, [&] {  // in the vocabulary window again: Alpha is current, the
                                     // typed text still in the box
            back = Vocabularies().Text() == "Alpha" && BoxText() == "open:^+o";
            ClickSave();
            Window().cmdCloseVocab->click();
            closed = true;
        });
        frmApp::Default().cmdToggle_Click();
    });
    // The toolbar's switch, which leaves the focus in the edit box.
    QAction* toggle = Window().tbrVocab->findChild<QAction*>("Switch");
    QTest::mouseClick(Window().tbrVocab->widgetForAction(toggle), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }));
    EXPECT_TRUE(back);
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^+o", "save:^s"}));
    EXPECT_EQ(Bytes("Alpha"), alpha);
}

TEST_F(VocabSaveTest, AnEntryDeletedOrNoLongerShownIsNotSavedBackAndTheTextStays) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o", "save:^s"});
    WriteVocabulary("Files", {});
    Open("Edit");
    ClickEntry(1);
    Press(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "save:^s"}));
    const std::string deleted = Bytes("Edit");
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), deleted);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "The entry to change is no longer in the vocabulary \"Edit\" as its list showed "
              "it, so nothing was saved. The list now shows the entries as they are.");
    EXPECT_EQ(BoxText(), "open:^o");
    EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);

    // Ctrl-clicking an entry away leaves the box with the entry loaded before: a save stores
    // it over that entry, not over the one clicked away.
    ClickEntry(0);
    ClickEntry(1, Qt::ControlModifier);
    ClickEntry(0, Qt::ControlModifier);
    ASSERT_EQ(BoxText(), "save:^s");
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), deleted);

    // A box typed into with no entry chosen, outside new-word mode, stores nothing.
    Press(Qt::Key_Escape);
    ClickVocabulary("Files");
    ClickVocabulary("Edit");
    QTest::mouseClick(Window().txtCommand, Qt::LeftButton);
    ASSERT_EQ(BoxText(), "");
    Type("cut:^x");
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), deleted);
    EXPECT_EQ(dialogs().boxes.back().text,
              "No entry of the list was chosen to change, so nothing was saved. Click the entry "
              "to change, or choose New Word to add one.");
    EXPECT_EQ(BoxText(), "cut:^x");
}

TEST_F(VocabSaveTest, SortingTheVocabulariesKeepsTheCurrentOneWhichTakesTheNewWordAndDeletion) {
    WriteVocabulary("alpha", {"a:1", "c:3"});
    WriteVocabulary("Zed", {"z:1"});
    const std::string zed = Bytes("Zed");
    Open("alpha");
    ClickEntry(1);  // a drag left pending across the sort
    QTest::mouseDClick(Window().lblVocabList, Qt::LeftButton);
    ASSERT_EQ(Vocabularies().List(0), "Zed");  // upper case first
    EXPECT_EQ(Vocabularies().Text(), "alpha");
    EXPECT_EQ(Entries().ListCount(), 2);

    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(ReadVocabulary("alpha"), Items{"a:1"});
    Press(Qt::Key_W, Qt::ControlModifier);
    Type("b:2");
    ClickSave();
    EXPECT_EQ(ReadVocabulary("alpha"), (Items{"a:1", "b:2"}));
    EXPECT_EQ(Bytes("Zed"), zed);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabSaveTest, ATooLongEntryIsRefusedAndOnceShortenedStoredWhereItWouldHaveBeen) {
    WriteVocabulary("Edit", {"copy:^c", "open:^o"});
    Open("Edit");
    const std::string before = Bytes("Edit");
    const std::string newWord = "long:" + std::string(125, 'w');  // 130 characters
    Press(Qt::Key_W, Qt::ControlModifier);
    Type(newWord);
    ClickSave();
    EXPECT_EQ(Bytes("Edit"), before);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text,
              "This entry is too long to save: a vocabulary entry holds at most 126 characters, "
              "and this one holds 130.");
    EXPECT_EQ(dialogs().boxes[0].title, "Save Word");
    EXPECT_EQ(BoxText(), newWord);
    EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);
    for (int i = 0; i < 4; ++i) Press(Qt::Key_Backspace);
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "open:^o", newWord.substr(0, 126)}));

    const std::string edit = "copy:^" + std::string(121, 'c');  // 127 characters
    ClickEntry(0);
    Press(Qt::Key_E, Qt::AltModifier);
    Type(edit);
    Window().mnuSaveChanges->trigger();
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_NE(dialogs().boxes[1].text.find("this one holds 127"), std::string::npos);
    Press(Qt::Key_Backspace);
    Window().mnuSaveChanges->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"),
              (Items{edit.substr(0, 126), "open:^o", newWord.substr(0, 126)}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}
