#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FreshLists.h"
#include "RecordPositionLimit.h"
#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "store/CVocab.h"

namespace {

using Items = std::vector<std::string>;

class CVocabTest : public ::testing::Test {
protected:
    void SetUp() override { folder.MakeVocabFolder(); }

    // Writes a vocabulary file record by record.
    void WriteVocab(const std::string& name, const Items& entries) {
        std::string bytes;
        for (const std::string& entry : entries) bytes += RecordBytes(entry, 128);
        WriteBytes(folder.File("vocab/" + name + ".txt"), bytes);
    }

    // Every record of a vocabulary file.
    Items ReadVocab(const std::string& name) {
        return ReadRecords(folder.File("vocab/" + name + ".txt"), 128);
    }

    TempProgramFolder folder;
    FreshLists lists;
    CVocab vocab;
};

}  // namespace

TEST_F(CVocabTest, EntryListingKeepsRecordForRecordAndInsertsByRecordNumber) {
    WriteVocab("Empty", {});
    vocab.FillDictionaryListBox(true, "Empty");
    EXPECT_TRUE(lists.Items(ListId::frmVocab_lstDictionary).empty());

    WriteVocab("Edit", {"Copy:^c", "", "Paste:^v"});
    vocab.PlusRecord();
    vocab.FillDictionaryListBox(true, "Edit");
    EXPECT_EQ(lists.Items(ListId::frmVocab_lstDictionary), (Items{"Copy:^c", "", "Paste:^v"}));
    EXPECT_EQ(vocab.RecordNumber(), 1);

    // On a list that holds items, each insert pushes the items at its index down.
    vocab.FillDictionaryListBox(true, "Edit");
    EXPECT_EQ(lists.Items(ListId::frmVocab_lstDictionary),
              (Items{"Copy:^c", "", "Paste:^v", "Copy:^c", "", "Paste:^v"}));
}

TEST_F(CVocabTest, VocabularyListingTakesNormalTxtFilesByTheirNameBeforeTheFirstDot) {
    WriteVocab("alpha", {});
    WriteVocab("beta.one", {});
    WriteVocab("Gamma", {});
    std::filesystem::rename(folder.File("vocab/Gamma.txt"), folder.File("vocab/Gamma.TXT"));
    std::filesystem::create_directory(folder.File("vocab/folder.txt"));
    WriteBytes(folder.File("vocab/.hidden.txt"), "");
    WriteBytes(folder.File("vocab/readme.md"), "");
    WriteBytes(folder.File("vocab/notes.txt.bak"), "");
    WriteBytes(folder.File("vocab/caf\xC3\xA9.txt"), "");  // UTF-8 file name

    lists[ListId::frmVocab_lstVocab].AddItem("before");
    lists[ListId::frmApp_cmbVocabulary].AddItem("kept");
    vocab.FillVocabFile(true);
    const Items listed{"before", "alpha", "beta", "caf\xE9", "Gamma"};
    EXPECT_EQ(lists.Items(ListId::frmVocab_lstVocab), listed);
    EXPECT_EQ(lists.Items(ListId::frmApp_cmbVocabulary), Items{"kept"});

    // Without bCombo the whole vocabulary list, earlier items included, goes to the combo box.
    lists[ListId::frmVocab_lstVocab].Clear();
    lists[ListId::frmVocab_lstVocab].AddItem("before");
    vocab.FillVocabFile();
    Items combo{"kept"};
    combo.insert(combo.end(), listed.begin(), listed.end());
    EXPECT_EQ(lists.Items(ListId::frmApp_cmbVocabulary), combo);
}

TEST_F(CVocabTest, VocabularyListingOfAMissingFolderIsEmptyAndSilent) {
    std::filesystem::remove_all(folder.File("vocab"));
    vocab.FillVocabFile();
    EXPECT_TRUE(lists.Items(ListId::frmVocab_lstVocab).empty());
    EXPECT_TRUE(lists.Items(ListId::frmApp_cmbVocabulary).empty());
}

TEST_F(CVocabTest, BubbleSortComparesByCharacterCode) {
    InMemoryList& list = lists[ListId::frmVocab_lstDictionary];
    for (const char* text : {"b", "B", "a", "\xE9", "Z"}) list.AddItem(text);
    list.SetItemData(0, 7);
    vocab.Bubble_Sort(list, true);
    EXPECT_EQ(list.Items(), (Items{"B", "Z", "a", "b", "\xE9"}));
    EXPECT_EQ(list.ItemData(0), 7);  // texts move, the items stay where they are
    vocab.Bubble_Sort(list, false);
    EXPECT_EQ(list.Items(), (Items{"\xE9", "b", "a", "Z", "B"}));

    InMemoryList& single = lists[ListId::frmVocab_lstVocab];
    vocab.Bubble_Sort(single, true);
    single.AddItem("only");
    vocab.Bubble_Sort(single, false);
    EXPECT_EQ(single.Items(), Items{"only"});
}

TEST_F(CVocabTest, StoringModesWriteWhereTheRecordPositionSays) {
    WriteVocab("Edit", {"Paste:^v", "Copy:^c"});
    vocab.PlusRecord();                                           // position 2
    vocab.AddDictionaryWord(true, "Edit", "x:1", "savechanges");  // not a mode name
    vocab.AddDictionaryWord(true, "Edit", "x:1", "");
    EXPECT_EQ(ReadVocab("Edit"), (Items{"Paste:^v", "Copy:^c"}));
    EXPECT_EQ(vocab.RecordNumber(), 2);

    vocab.AddDictionaryWord(true, "Edit", "Copy:^C", "SaveChanges");
    EXPECT_EQ(vocab.RecordNumber(), 2);
    vocab.AddDictionaryWord(true, "Edit", "Paste:^V", "MenuCopy");
    EXPECT_EQ(vocab.RecordNumber(), 2);
    EXPECT_EQ(ReadVocab("Edit"), (Items{"Paste:^V", "Copy:^C"}));

    vocab.AddDictionaryWord(true, "Edit", "Cut:^x", "DictionaryDelete");
    EXPECT_EQ(vocab.RecordNumber(), 3);
    EXPECT_EQ(ReadVocab("Edit"), (Items{"Paste:^V", "Cut:^x"}));

    // "MenuCopy" at position 1 writes record 0, which the store refuses.
    vocab.InitRecord();
    EXPECT_EQ(ErrorOf([&] { vocab.AddDictionaryWord(true, "Edit", "y:2", "MenuCopy"); }), 13012);
    EXPECT_EQ(ReadVocab("Edit"), (Items{"Paste:^V", "Cut:^x"}));
}

TEST_F(CVocabTest, DictionarySelectFindsExactTextsOnly) {
    WriteVocab("Edit", {"Paste:^v", "Copy:^c"});
    vocab.DictionarySelect("Edit", "Copy:^c");
    EXPECT_EQ(vocab.TrackDictionary(), 2);
    EXPECT_EQ(vocab.RecordNumber(), 2);

    vocab.DictionarySelect("Edit", "copy:^c");
    EXPECT_EQ(vocab.TrackDictionary(), 2);
    EXPECT_EQ(vocab.RecordNumber(), 4);

    vocab.DictionarySelect("Edit", "");
    EXPECT_EQ(vocab.TrackDictionary(), 3);
    EXPECT_EQ(vocab.RecordNumber(), 3);
}

TEST_F(CVocabTest, EqualEntriesAreFoundAndCountedOneByOne) {
    WriteVocab("Office", {"open:^o", "save:^s", "open:^o", "open:^o"});
    vocab.DictionarySelect("Office", "open:^o", 1);
    EXPECT_EQ(vocab.RecordNumber(), 3);
    vocab.DictionarySelect("Office", "open:^o", 2);
    EXPECT_EQ(vocab.RecordNumber(), 4);
    vocab.DictionarySelect("Office", "open:^o", 3);  // no fourth: past the end, as for none
    EXPECT_EQ(vocab.TrackDictionary(), 4);
    EXPECT_EQ(vocab.RecordNumber(), 6);

    vocab.InitRecord();
    vocab.PlusRecord();
    EXPECT_EQ(vocab.DictionaryOccurrence("Office", "open:^o", 1), 0);
    EXPECT_EQ(vocab.DictionaryOccurrence("Office", "open:^o", 4), 2);
    EXPECT_EQ(vocab.DictionaryOccurrence("Office", "open:^o", 5), 3);
    EXPECT_EQ(vocab.DictionaryOccurrence("Office", "save:^s", 4), 1);
    EXPECT_EQ(vocab.RecordNumber(), 2);
}

TEST_F(CVocabTest, CopyBufferAndItsBadIndexes) {
    EXPECT_EQ(vocab.CopyCount(), 0);
    vocab.CopyDictionary("A:1");
    vocab.CopyDictionary("B:2");
    EXPECT_EQ(vocab.RecordNumber(), 3);
    EXPECT_EQ(vocab.CopyCount(), 2);
    EXPECT_EQ(vocab.RetrieveDictionary(2), "B:2");
    EXPECT_EQ(vocab.RecordNumber(), 4);

    for (const int16_t bad : {int16_t{0}, int16_t{3}, int16_t{-1}}) {
        try {
            vocab.RetrieveDictionary(bad);
            ADD_FAILURE() << "no error for item " << bad;
        } catch (const ErrorRecord& e) {
            EXPECT_EQ(e.Number(), 13021);
            EXPECT_TRUE(e.Source().ends_with(".CVocab")) << e.Source();
            EXPECT_EQ(e.Description(),
                      "No Valid Dictionary Selection:  You Must Select A Dictionary Word!!");
        }
    }
    EXPECT_EQ(vocab.RecordNumber(), 4);

    vocab.DictionaryInitialize();
    EXPECT_EQ(ErrorOf([&] { vocab.RetrieveDictionary(1); }), 13021);
    EXPECT_EQ(vocab.CopyCount(), 0);

    for (const char* entry : {"x:1", "", "y:2"})
        lists[ListId::frmVocab_lstDictionary].AddItem(entry);
    vocab.InitRecord();
    vocab.CopyAll();
    EXPECT_EQ(vocab.CopyCount(), 3);
    EXPECT_EQ(vocab.RetrieveDictionary(2), "");
    EXPECT_EQ(vocab.RecordNumber(), 5);
}

TEST_F(CVocabTest, CountersAndPositionOverflowLeaveTheirValues) {
    vocab.SetSelectionNumber(32766);
    vocab.SelectionIncrement();
    EXPECT_EQ(ErrorOf([&] { vocab.SelectionIncrement(); }), 6);
    EXPECT_EQ(vocab.SelectionNumber(), 32767);
    vocab.SelectInitialize();
    EXPECT_EQ(vocab.SelectionNumber(), 0);
    vocab.SetSelectionNumber(-32768);
    EXPECT_EQ(ErrorOf([&] { vocab.SelectionDecrement(); }), 6);
    EXPECT_EQ(vocab.SelectionNumber(), -32768);

    vocab.MinusRecord();
    EXPECT_EQ(vocab.RecordNumber(), 0);
    vocab.PlusRecord();
    vocab.PlusRecord();
    EXPECT_EQ(vocab.RecordNumber(), 2);
}

TEST_F(CVocabTest, FilesAreCreatedReadAndDeleted) {
    vocab.VocabularyFileOpen("New");
    EXPECT_EQ(vocab.VocabularyName(), "New");
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/New.txt")));

    WriteVocab("Edit", {"a:1", "b:2"});
    vocab.PlusRecord();
    EXPECT_EQ(vocab.ReadDictionary(2, "edit"), "b:2");  // names match files ignoring case
    EXPECT_EQ(vocab.RecordNumber(), 2);
    vocab.DeleteVocabFile("Edit");
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/Edit.txt")));
    vocab.DeleteVocabFile("Edit");  // a missing file is no failure
    EXPECT_TRUE(folder.dialogs().boxes.empty());
}

TEST_F(CVocabTest, AMissingVocabularyFolderFailsToTheCaller) {
    std::filesystem::remove_all(folder.File("vocab"));
    EXPECT_EQ(ErrorOf([&] { vocab.CreateNewVocab("Edit"); }), 13013);
    EXPECT_EQ(ErrorOf([&] { vocab.FillDictionaryListBox(true, "Edit"); }), 52);
    EXPECT_EQ(ErrorOf([&] { vocab.DictionarySelect("Edit", "x"); }), 52);
    EXPECT_EQ(ErrorOf([&] { vocab.ReadDictionary(1, "Edit"); }), 13011);
}

TEST_F(CVocabTest, ARewriteReplacesTheFileWholeOrNotAtAll) {
    WriteVocab("edit", {"copy:^c", "cut:^x", "paste:^v"});
    // The file matched ignoring case; the listed entries in another order (a sorted list).
    vocab.ReplaceDictionary("Edit", {"paste:^v", "cut:^x", "copy:^c"}, {"paste:^v", "copy:^c"});
    EXPECT_EQ(ReadVocab("edit"), (Items{"paste:^v", "copy:^c"}));
    EXPECT_EQ(vocab.RecordNumber(), 3);  // after the last entry, as stores one by one leave it

    // A text too long for a record, or a list that no longer shows what the file holds, fails
    // the rewrite: the old file stays whole and no aside file is left behind.
    const Items listed = {"paste:^v", "copy:^c"};
    EXPECT_EQ(ErrorOf([&] {
                  vocab.ReplaceDictionary("edit", listed, {"undo:^z", std::string(127, 'x')});
              }),
              13012);
    for (const Items& stale : {Items{"paste:^v", "copy:^C"}, Items{"paste:^v", "copy:^c", ""}}) {
        EXPECT_EQ(ErrorOf([&] { vocab.ReplaceDictionary("edit", stale, {"paste:^v"}); }), 5);
    }
    EXPECT_EQ(ReadVocab("edit"), (Items{"paste:^v", "copy:^c"}));
    EXPECT_EQ(vocab.RecordNumber(), 3);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("vocab"))) {
        EXPECT_EQ(entry.path().filename(), "edit.txt");
        ++files;
    }
    EXPECT_EQ(files, 1u);

    vocab.ReplaceDictionary("edit", listed, {});
    EXPECT_EQ(std::filesystem::file_size(folder.File("vocab/edit.txt")), 0u);
    EXPECT_EQ(vocab.RecordNumber(), 1);

    // Records after the listed ones stay; the position goes after them, where a save appends,
    // or, beyond the positions' reach, nowhere.
    WriteVocab("edit", {"a:1", "b:2", "c:3", "d:4"});
    vocab.ReplaceDictionary("edit", {"a:1", "b:2"}, {"b:2"});
    EXPECT_EQ(ReadVocab("edit"), (Items{"b:2", "c:3", "d:4"}));
    EXPECT_EQ(vocab.RecordNumber(), 4);
    const RecordPositionLimit lastPosition(2);
    vocab.ReplaceDictionary("edit", {"b:2"}, {});
    EXPECT_EQ(ReadVocab("edit"), (Items{"c:3", "d:4"}));
    EXPECT_EQ(vocab.RecordNumber(), 0);
}
