// The vocabulary window changes no entry and no file that the user did not choose: of equal
// entries the edit changes the one loaded, the focus alone makes no entry current, the drop-row
// walk ends with its drag, text a record cannot hold is refused, and New Vocabulary and Delete
// Word touch only what they name.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "UserKeys.h"
#include "VocabWindowFixture.h"
#include "common/MessageBox.h"
#include "forms/AnsiQt.h"

namespace {

using Items = std::vector<std::string>;

const Items kOffice = {"open:^o", "save:^s", "close:^w", "open:^o"};

const char* const kEntryGone =
    "The entry to change is no longer in the vocabulary \"Office\" as its list showed it, so "
    "nothing was saved. The list now shows the entries as they are.";

// Recorded boxes that also run something while a box is open, as the user or a timer may.
class DialogsThatWait : public RecordingDialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override {
        if (whileOpen) whileOpen();
        return RecordingDialogs::MsgBox(text, buttons, icon, title);
    }
    std::function<void()> whileOpen;
};

class VocabUnchosenChangeTest : public VocabWindowFixture {
protected:
    Items ListedEntries() {
        Items items;
        for (int i = 0; i < Entries().ListCount(); ++i) items.push_back(Entries().List(i));
        return items;
    }
    // Replaces the edit box's text by typing, as a user who selects it all first.
    void Retype(const std::string& text) {
        Press(Qt::Key_A, Qt::ControlModifier);
        Type(text);
    }
};

}  // namespace

TEST_F(VocabUnchosenChangeTest, AnEditChangesTheEqualEntryItWasLoadedFromAndNoOther) {
    WriteVocabulary("Office", kOffice);
    Open("Office");
    ClickEntry(3);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("copy:^c");
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "save:^s", "close:^w", "copy:^c"}));

    // Made equal to an earlier entry and saved from the menu, then edited again: the entry
    // changed is still the third.
    ClickEntry(2);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("open:^o");
    Window().mnuSaveChanges->trigger();
    Retype("zip:^z");
    Window().mnuSaveChanges->trigger();
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "save:^s", "zip:^z", "copy:^c"}));

    // An equal entry before the loaded one deleted by the keys: the loaded one moved up.
    frmVocab::Unload();
    WriteVocabulary("Office", kOffice);
    Open("Office");
    ClickEntry(3);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("copy:^c");
    Press(Qt::Key_D, Qt::AltModifier);
    Press(Qt::Key_Home);
    Press(Qt::Key_D, Qt::ControlModifier);
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"save:^s", "close:^w", "copy:^c"}));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabUnchosenChangeTest, AnEditOfADeletedEntryIsRefusedAndChangesNoEqualOne) {
    for (const int loaded : {3, 0}) {
        WriteVocabulary("Office", kOffice);
        Open("Office");
        ClickEntry(loaded);
        Press(Qt::Key_E, Qt::AltModifier);
        Type("copy:^c");
        Press(Qt::Key_D, Qt::ControlModifier);  // deletes the loaded entry
        const std::string deleted = Bytes("Office");
        ClickSave();
        EXPECT_EQ(Bytes("Office"), deleted) << loaded;
        ASSERT_FALSE(dialogs().boxes.empty());
        EXPECT_EQ(dialogs().boxes.back().text, kEntryGone);
        EXPECT_EQ(BoxText(), "copy:^c");
        EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);
        ClickSave();  // again: still refused
        EXPECT_EQ(Bytes("Office"), deleted) << loaded;
        frmVocab::Unload();
    }
    EXPECT_EQ(dialogs().boxes.size(), 4u);

    // The file changed by another hand so that fewer equal entries remain.
    WriteVocabulary("Office", kOffice);
    Open("Office");
    ClickEntry(3);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("copy:^c");
    WriteVocabulary("Office", {"save:^s", "open:^o"});
    const std::string changed = Bytes("Office");
    ClickSave();
    EXPECT_EQ(Bytes("Office"), changed);
    ASSERT_EQ(dialogs().boxes.size(), 5u);
    EXPECT_EQ(dialogs().boxes.back().text, kEntryGone);
}

TEST_F(VocabUnchosenChangeTest, TheFocusAloneMakesNoEntryOrVocabularyCurrent) {
    WriteVocabulary("Games", {"jump:^j"});
    WriteVocabulary("Office", kOffice);
    ListVocabularies();
    ShowActive();
    ClickVocabulary("Office");
    Press(Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), Window().lstDictionary);
    EXPECT_EQ(Entries().ListIndex(), -1);
    Press(Qt::Key_D, Qt::ControlModifier);  // nothing current: nothing deleted, the last made so
    EXPECT_EQ(ReadVocabulary("Office"), kOffice);
    EXPECT_EQ(Entries().ListIndex(), 3);

    // The button's save gives the list the focus, with no entry current.
    ClickEntry(1);
    Press(Qt::Key_E, Qt::AltModifier);
    Type("save:^+s");
    ClickSave();
    ASSERT_EQ(QApplication::focusWidget(), Window().lstDictionary);
    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "save:^+s", "close:^w", "open:^o"}));

    // New Vocabulary leaves none current; the focus back in the list lists none.
    dialogs().inputAnswers = {"Fresh"};
    Press(Qt::Key_N, Qt::ControlModifier);
    Press(Qt::Key_V, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), Window().lstVocab);
    EXPECT_EQ(Vocabularies().ListIndex(), -1);
    EXPECT_EQ(ListedEntries(), (Items{"open:^o", "save:^+s", "close:^w", "open:^o"}));
    // Arrow keys still pick a row.
    Press(Qt::Key_Down);
    EXPECT_EQ(Vocabularies().Text(), "Fresh");
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabUnchosenChangeTest, TheDropRowWalkEndsWithItsDragAndDeleteVocabularyKeepsItsChoice) {
    for (const char* name : {"Editor", "Games", "Office"}) WriteVocabulary(name, {"a:1"});
    Open("Editor");
    // Dragged below the list's bands, then released outside it.
    duringDrag = [this] { Window().lstVocab_DragOver(2001); };
    ClickEntry(0);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_FALSE(Window().tmrExtend->isActive());

    // Whatever becomes current while the question is open, the one chosen is deleted.
    auto waiting = std::make_unique<DialogsThatWait>();
    DialogsThatWait& boxes = *waiting;
    auto previous = Dialogs::Install(std::move(waiting));
    Press(Qt::Key_Escape);
    ClickVocabulary("Games");
    boxes.whileOpen = [this] { Vocabularies().SetListIndex(0); };
    Press(Qt::Key_L, Qt::ControlModifier);
    Dialogs::Install(std::move(previous));
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/Games.txt")));
    EXPECT_EQ(ReadVocabulary("Editor"), Items{"a:1"});
    EXPECT_EQ(Vocabularies().FindStringExact("Games"), -1);
    EXPECT_EQ(Vocabularies().ListCount(), 2);
}

TEST_F(VocabUnchosenChangeTest, TextARecordCannotHoldIsRefusedNamedAndKeptUntilMended) {
    WriteVocabulary("Office", {"open:^o"});
    Open("Office");
    const std::string before = Bytes("Office");
    Press(Qt::Key_W, Qt::ControlModifier);
    for (const QChar c : QString::fromUtf8("Łódź:^l")) {
        QTest::sendKeyEvent(QTest::Click, KeyTarget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    ClickSave();
    EXPECT_EQ(Bytes("Office"), before);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].title, "Save Word");
    EXPECT_EQ(dialogs().boxes[0].text,
              "Nothing was saved: the entry holds characters outside the Western European "
              "(Windows-1252) set (U+0141, U+017A). Only one line of Western European "
              "(Windows-1252) characters can be stored.");
    EXPECT_EQ(Window().txtCommand->text(), QString::fromUtf8("Łódź:^l"));
    EXPECT_EQ(QApplication::focusWidget(), Window().txtCommand);

    // Pasted lines and a tab, saved from the menu.
    QApplication::clipboard()->setText("two\r\nwords:^w\tthree\n");
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_V, Qt::ControlModifier);
    Window().mnuSaveChanges->trigger();
    EXPECT_EQ(Bytes("Office"), before);
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_NE(dialogs().boxes[1].text.find("holds line breaks and a tab."), std::string::npos)
        << dialogs().boxes[1].text;

    // Mended, it goes where the first save would have put it.
    Retype("Lodz:^l");
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "Lodz:^l"}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

TEST_F(VocabUnchosenChangeTest, NewVocabularyEmptiesNoFileThatIsThereThoughNotListed) {
    WriteVocabulary("Office", {"open:^o"});
    Open("Office");
    WriteVocabulary("Extra", {"x:1", "y:2"});  // copied in while the window is open
    const std::string extra = Bytes("Extra");
    for (const char* name : {"Extra", "EXTRA"}) {
        dialogs().inputAnswers = {name};
        Press(Qt::Key_N, Qt::ControlModifier);
    }
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    for (const auto& box : dialogs().boxes) {
        EXPECT_EQ(box.text, "You Already Have A Vocabulary With That Name!");
    }
    EXPECT_EQ(Bytes("Extra"), extra);
    EXPECT_EQ(Vocabularies().FindStringExact("Extra"), -1);  // the list is as it was

    // A name holding a line break would make a file and a grammar line of two lines.
    dialogs().inputAnswers = {"two\nlines"};
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(dialogs().boxes.size(), 3u);
    EXPECT_EQ(dialogs().boxes[2].title, "New Vocabulary");
    EXPECT_EQ(Vocabularies().ListCount(), 1);
}

TEST_F(VocabUnchosenChangeTest, DeleteWordWithNoCurrentVocabularyKeepsTheFileAndTheListAlike) {
    WriteVocabulary("Office", {"open:^o", "save:^s", "close:^w"});
    Open("Office");
    dialogs().inputAnswers = {"Fresh"};
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(Vocabularies().ListIndex(), -1);
    ClickEntry(1);
    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "close:^w"}));
    EXPECT_EQ(ListedEntries(), ReadVocabulary("Office"));
    EXPECT_EQ(ReadVocabulary("Fresh"), Items{});

    // The vocabulary on screen deleted: its entries stay on screen, and no deletion from them
    // makes its file again.
    dialogs().answers = {MsgAnswer::OK};
    ClickVocabulary("Office");
    Press(Qt::Key_L, Qt::ControlModifier);
    ASSERT_FALSE(std::filesystem::exists(folder.File("vocab/Office.txt")));
    ClickEntry(0);
    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/Office.txt")));
    EXPECT_EQ(ListedEntries(), (Items{"open:^o", "close:^w"}));
    ASSERT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[1].text,
              "The vocabulary \"Office\" is no longer listed, so nothing was deleted.");
    EXPECT_EQ(dialogs().boxes[1].title, "Delete Word");
}

TEST_F(VocabUnchosenChangeTest, WhatADragPassedOverOrAClickDuringItChoseIsNotWhereTextGoes) {
    for (const char* name : {"Editor", "Games"}) WriteVocabulary(name, {"a:1"});
    WriteVocabulary("Office", {"open:^o", "save:^s"});
    Open("Office");
    // Over Editor, then released outside the list: Office, on screen, is current again.
    duringDrag = [this] { Window().lstVocab_DragOver(90); };
    ClickEntry(1);
    EXPECT_EQ(Vocabularies().Text(), "Office");
    duringDrag = nullptr;

    // Games clicked while the drag is pending lists nothing; the new word goes to Office, and
    // the list then shows it there.
    ClickVocabulary("Games");
    ASSERT_EQ(Vocabularies().Text(), "Games");
    Press(Qt::Key_W, Qt::ControlModifier);
    Type("word:^q");
    ClickSave();
    EXPECT_EQ(ReadVocabulary("Office"), (Items{"open:^o", "save:^s", "word:^q"}));
    EXPECT_EQ(ReadVocabulary("Games"), Items{"a:1"});
    EXPECT_EQ(Vocabularies().Text(), "Office");
    EXPECT_EQ(ListedEntries(), ReadVocabulary("Office"));
}
