// Selecting entries of the vocabulary window with the mouse and copying them by dragging them
// onto another vocabulary.
#include <QFontMetrics>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "VocabWindowFixture.h"
#include "common/ListControl.h"
#include "store/CVocab.h"

namespace {

using Items = std::vector<std::string>;

class VocabDragCopyTest : public VocabWindowFixture {
protected:
    // The dragged label released over the named vocabulary's row.
    void DropOn(const std::string& name) {
        const int row = Vocabularies().FindStringExact(name);
        Window().lstVocab_DragOver(row * 180 + 90);
        Window().lstVocab_DragDrop();
    }

    // Empty vocabularies "v10", "v11", ... up to count of them.
    void WriteVocabularies(int count) {
        for (int i = 0; i < count; ++i) WriteVocabulary("v" + std::to_string(10 + i), {});
    }

    int LineHeight() { return QFontMetrics(Window().font()).height(); }
    CVocab& Vocab() { return Window().Vocab(); }
};

}  // namespace

TEST_F(VocabDragCopyTest, PlainAndCtrlClicksDragAtOnceAndTheDropAppendsOnlyWhatTheTargetLacks) {
    WriteVocabulary("Edit", {"open:^o", "save:^s", "Open:^o", "open:%o"});
    WriteVocabulary("Files", {"open:^o"});
    Open("Edit");
    ClickEntry(0);
    EXPECT_TRUE(Window().DragArmed());
    EXPECT_EQ(Window().txtCommand->text(), "open:^o");
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_NEAR(drags[0].height(), LineHeight(), 1);  // one line
    EXPECT_EQ(drags[0].width(), Window().lstDictionary->width());
    const int pressedY =
        Window().lstDictionary->visualItemRect(Window().lstDictionary->item(0)).center().y() +
        Window().lstDictionary->viewport()->y();
    EXPECT_NEAR(drags[0].center().y(), Window().lstDictionary->y() + pressedY, 2);
    for (int i = 1; i <= 3; ++i) ClickEntry(i, Qt::ControlModifier);
    EXPECT_EQ(drags.size(), 4u);
    EXPECT_EQ(Vocab().SelectionNumber(), 4);

    DropOn("Files");
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"open:^o", "save:^s", "Open:^o", "open:%o"}));
    EXPECT_FALSE(Window().DragArmed());
    EXPECT_EQ(Vocab().SelectionNumber(), 0);
    EXPECT_EQ(Vocab().CopyCount(), 0);
    EXPECT_EQ(Entries().List(0), "open:^o");  // the list still shows the source
    EXPECT_EQ(Entries().ListCount(), 4);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(VocabDragCopyTest, AfterADropTheShownVocabularyIsCurrentSoADeletionLeavesTheTargetWhole) {
    WriteVocabulary("Edit", {"open:^o", "save:^s"});
    WriteVocabulary("Files", {"list:^l"});
    Open("Edit");
    ClickEntry(0);
    DropOn("Files");
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"list:^l", "open:^o"}));
    EXPECT_EQ(Vocabularies().Text(), "Edit");
    EXPECT_EQ(Entries().ListCount(), 2);  // still the source's entries, not listed again

    Entries().SetListIndex(0);
    Window().mnuDelete->trigger();  // moving the word: it goes from the source
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"save:^s"}));
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"list:^l", "open:^o"}));
}

TEST_F(VocabDragCopyTest, ADeletionWhileADragIsStillArmedGoesToTheShownVocabulary) {
    WriteVocabulary("Edit", {"open:^o", "save:^s"});
    WriteVocabulary("Files", {"list:^l"});
    Open("Edit");
    ClickEntry(0);
    // Released outside the vocabulary list after passing over "Files": still armed.
    Window().lstVocab_DragOver(Vocabularies().FindStringExact("Files") * 180 + 90);
    EXPECT_TRUE(Window().DragArmed());
    EXPECT_EQ(Vocabularies().Text(), "Files");

    Entries().SetListIndex(1);
    Window().mnuDelete->trigger();
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"open:^o"}));
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"list:^l"}));
    EXPECT_EQ(Vocabularies().Text(), "Edit");
}

TEST_F(VocabDragCopyTest, ARangeDragsAtTheNextKeyReleaseAndOntoItsOwnVocabularyStoresNothing) {
    WriteVocabulary("Edit", {"copy:^c", "cut:^x", "paste:^v"});
    Open("Edit");
    ClickEntry(2);
    ClickEntry(0, Qt::ShiftModifier);
    EXPECT_EQ(drags.size(), 1u);  // the range itself starts none
    EXPECT_EQ(Vocab().SelectionNumber(), 3);
    EXPECT_EQ(Vocab().CopyCount(), 3);
    EXPECT_EQ(Vocab().RetrieveDictionary(1), "copy:^c");  // in list order
    Hold({kVkShift});
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Shift);
    EXPECT_EQ(drags.size(), 1u);  // the click changed the box's text: no drag

    ClickEntry(0, Qt::ShiftModifier);  // the box keeps its text this time
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Shift);
    Release({kVkShift});
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_NEAR(drags[1].height(), 3 * LineHeight(), 2);  // three lines

    DropOn("Edit");
    EXPECT_EQ(ReadVocabulary("Edit"), (Items{"copy:^c", "cut:^x", "paste:^v"}));
    EXPECT_FALSE(Window().DragArmed());
}

TEST_F(VocabDragCopyTest, ATargetHoldingAnEntryTwiceOrWithAGapKeepsEveryEntry) {
    WriteVocabulary("Edit", {"a:1", "b:2", "c:3"});
    WriteVocabulary("Twice", {"a:1", "a:1"});
    WriteVocabulary("Gap", {"x:9", "", "y:8"});
    Open("Edit");
    ClickEntry(0);
    ClickEntry(1, Qt::ControlModifier);
    DropOn("Twice");
    EXPECT_EQ(ReadVocabulary("Twice"), (Items{"a:1", "a:1", "b:2"}));

    ClickEntry(1);
    ClickEntry(2, Qt::ControlModifier);
    DropOn("Gap");  // entries after the empty record are kept, the new ones go after them
    EXPECT_EQ(ReadVocabulary("Gap"), (Items{"x:9", "", "y:8", "b:2", "c:3"}));
}

TEST_F(VocabDragCopyTest, ADeselectingCtrlClickCountsAndTheDropStopsAtTheMissingEntry) {
    WriteVocabulary("Edit", {"a:1", "b:2"});
    WriteVocabulary("Files", {});
    Open("Edit");
    ClickEntry(0);
    ClickEntry(1, Qt::ControlModifier);
    ClickEntry(1, Qt::ControlModifier);  // deselects b:2, still counted
    EXPECT_FALSE(Entries().Selected(1));
    EXPECT_EQ(Vocab().SelectionNumber(), 3);
    DropOn("Files");
    EXPECT_EQ(ReadVocabulary("Files"), (Items{"a:1", "b:2"}));
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_EQ(dialogs().boxes[0].text, "You Must Select A Dictionary Word!");
    EXPECT_EQ(dialogs().boxes[0].title, "Vorn! Voice Command");
    EXPECT_EQ(Vocab().SelectionNumber(), 3);
    EXPECT_EQ(Vocab().CopyCount(), 2);
    EXPECT_TRUE(Window().DragArmed());
    EXPECT_FALSE(Window().tmrExtend->isActive());
}

TEST_F(VocabDragCopyTest, AnArmedWindowKeepsItsEntriesUntilAKeyCancels) {
    WriteVocabulary("Edit", {"a:1"});
    WriteVocabulary("Files", {"f:1"});
    Open("Edit");
    Window().lstDictionary->setFocus();
    ClickEntry(0);  // armed; a drag released outside the vocabulary list keeps it so
    Vocabularies().SetListIndex(1);
    EXPECT_EQ(Entries().List(0), "a:1");

    Window().tmrExtend->start();
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Down);
    EXPECT_FALSE(Window().DragArmed());
    EXPECT_FALSE(Window().tmrExtend->isActive());
    EXPECT_EQ(Vocab().SelectionNumber(), 1);  // kept until the next plain press
    Vocabularies().SetListIndex(1);
    EXPECT_EQ(Entries().List(0), "f:1");

    // Alt+D and Alt+V cancel too; D alone does not.
    ClickEntry(0);
    QTest::keyRelease(Window().lstDictionary, Qt::Key_D);
    EXPECT_TRUE(Window().DragArmed());
    QTest::keyRelease(Window().lstDictionary, Qt::Key_V, Qt::AltModifier);
    EXPECT_FALSE(Window().DragArmed());
}

TEST_F(VocabDragCopyTest, AnEditedBoxBlocksTheKeyDragUntilAShiftOrCtrlPress) {
    WriteVocabulary("Edit", {"a:1", "b:2"});
    Open("Edit");
    ClickEntry(0);  // the box changes to a:1: edited
    Hold({kVkControl});
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Control);
    EXPECT_EQ(drags.size(), 1u);  // only the click's own drag

    ClickEntry(1, Qt::ControlModifier);  // clears the flag, but the click sets it again
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Control);
    EXPECT_EQ(drags.size(), 2u);
    ClickEntry(1, Qt::ControlModifier);  // deselecting changes no text
    QTest::keyRelease(Window().lstDictionary, Qt::Key_Control);
    EXPECT_EQ(drags.size(), 4u);  // the click's drag and the key release's
    EXPECT_NEAR(drags[3].height(), 3 * LineHeight(), 2);
    Release({kVkControl});
}

TEST_F(VocabDragCopyTest, TheDropRowFollowsFixedBandsAndBelowThemTheTimer) {
    WriteVocabularies(13);
    Open("v15");
    const std::pair<double, int> bands[] = {{0, 0},     {180, 0},    {181, 1},   {360, 1},
                                            {1800, 9},  {1801, 10},  {1980, 10}, {1981, 11},
                                            {2000, 11}, {180.5, 11}, {-15, 11}};
    for (const auto& [y, row] : bands) {
        Window().lstVocab_DragOver(y);
        EXPECT_EQ(Vocabularies().ListIndex(), row) << y;
    }
    EXPECT_FALSE(Window().tmrExtend->isActive());
    Window().lstVocab_DragOver(2001);
    EXPECT_EQ(Vocabularies().ListIndex(), 11);
    EXPECT_TRUE(Window().tmrExtend->isActive());
    Window().lstVocab_DragOver(90);  // moving up again leaves the timer running
    EXPECT_TRUE(Window().tmrExtend->isActive());
}

TEST_F(VocabDragCopyTest, TheTimerJumpsToRowTwelveOnceIfItExistsThenStepsDown) {
    WriteVocabularies(12);
    Open("v12");
    Window().tmrExtend_Timer();  // twelve: no row 12, every tick falls back to row 0
    EXPECT_EQ(Vocabularies().ListIndex(), 0);
    Vocabularies().SetListIndex(3);
    Window().tmrExtend_Timer();
    EXPECT_EQ(Vocabularies().ListIndex(), 0);

    frmVocab::Unload();
    WriteVocabularies(13);
    Open("v12");
    Window().tmrExtend_Timer();
    EXPECT_EQ(Vocabularies().ListIndex(), 12);
    Window().tmrExtend_Timer();  // the last row: nothing changes
    EXPECT_EQ(Vocabularies().ListIndex(), 12);
    Vocabularies().SetListIndex(4);
    Window().tmrExtend_Timer();  // no second jump in this window
    EXPECT_EQ(Vocabularies().ListIndex(), 5);
}

TEST_F(VocabDragCopyTest, RightClicksOpenThePopupMenusOnlyOverACurrentEntry) {
    WriteVocabulary("Edit", {"a:1"});
    Open("Edit");
    Entries().SetListIndex(-1);
    ClickEntry(0, Qt::NoModifier, Qt::RightButton);  // no current entry: no menu, not armed
    EXPECT_FALSE(Window().DragArmed());
    EXPECT_EQ(Entries().ListIndex(), -1);

    Entries().SetListIndex(0);
    QMenu* shown = nullptr;
    QTimer::singleShot(50, [&] {
        shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (shown != nullptr) shown->close();
    });
    ClickEntry(0, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(shown, Window().mnuEdit);
    EXPECT_TRUE(Window().DragArmed());
    EXPECT_TRUE(drags.empty());
}
