#include <gtest/gtest.h>

#include "common/ErrorRecord.h"
#include "common/ListControl.h"

TEST(InMemoryList, FindStringExactMatchesWholeItemsIgnoringCase) {
    InMemoryList list;
    EXPECT_EQ(list.FindStringExact("x"), -1);  // empty list
    list.AddItem("Notepad \xA6 Untitled");
    list.AddItem("gedit \xA6 notes");
    EXPECT_EQ(list.FindStringExact("GEDIT \xA6 NOTES"), 1);
    EXPECT_EQ(list.FindStringExact("gedit"), -1);  // only the beginning of an item
    EXPECT_EQ(list.FindStringExact("notepad \xA6 untitled", 0), 0);  // search wraps
}

TEST(InMemoryList, InsertRemoveAndSelectionKeepTheirPlaces) {
    InMemoryList list;
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.AddItem("b");
    list.AddItem("a", 0);
    list.AddItem("c");
    list.SetItemData(2, 77);
    list.SetListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Text(), "b");
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(list.ItemData(1), 77);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(list.List(5), "");
    try {
        list.RemoveItem(2);
        FAIL();
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 381);
    }
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}
