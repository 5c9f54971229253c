#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/AnsiText.h"

// The list boxes and combo boxes that the data classes fill and read in the windows, seen
// through one small interface so that the data classes never see the GUI. Texts are ANSI.
class IListControl {
public:
    virtual ~IListControl() = default;

    virtual int ListCount() const = 0;
    // The text of item i; the empty text for an index outside the list.
    virtual std::string List(int index) const = 0;
    // Replaces the text of item i, keeping its place, item data and selection; error 381 for
    // an index outside the list.
    virtual void SetList(int index, const std::string& text) = 0;
    // Adds an item at index (at the end when index is -1) and returns where it went.
    virtual int AddItem(const std::string& text, int index = -1) = 0;
    // Removes item i; error 381 for an index outside the list.
    virtual void RemoveItem(int index) = 0;
    virtual void Clear() = 0;

    // The selected item, -1 when none. Setting it from code raises the list's click handler,
    // as a user's selection does.
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;

    // Multi-selection state of item i; error 381 for an index outside the list.
    virtual bool Selected(int index) const = 0;
    virtual void SetSelected(int index, bool selected) = 0;

    // The 32-bit value kept beside item i; error 381 for an index outside the list.
    virtual int32_t ItemData(int index) const = 0;
    virtual void SetItemData(int index, int32_t data) = 0;

    // The text of the control: a combo box's edit text, a list box's selected item.
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;

    // Index of the first item from startAfter + 1 whose whole text equals text ignoring case,
    // searching the whole list (wrapping) when startAfter is -1; -1 when none.
    virtual int FindStringExact(const std::string& text, int startAfter = -1) const = 0;
};

// The exact search of a list box: the first item from startAfter + 1 on, wrapping around the
// list, whose whole text equals text ignoring case; -1 when none. textAt(i) gives item i.
template <class TextAt>
int FindStringExactIn(int count, int startAfter, const std::string& text, TextAt textAt) {
    for (int step = 1; step <= count; ++step) {
        const int i = (startAfter + step) % count;
        if (i >= 0 && Ansi::EqualsIgnoreCase(textAt(i), text)) return i;
    }
    return -1;
}

// A list held in memory: the scratch list of the grammar builder and the lists of tests.
class InMemoryList : public IListControl {
public:
    int ListCount() const override;
    std::string List(int index) const override;
    void SetList(int index, const std::string& text) override;
    int AddItem(const std::string& text, int index = -1) override;
    void RemoveItem(int index) override;
    void Clear() override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    bool Selected(int index) const override;
    void SetSelected(int index, bool selected) override;
    int32_t ItemData(int index) const override;
    void SetItemData(int index, int32_t data) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int FindStringExact(const std::string& text, int startAfter = -1) const override;

    // Called whenever the selected item is set, by code or otherwise.
    std::function<void()> onClick;

    // All item texts in order (for tests and for callers that read the whole list).
    std::vector<std::string> Items() const;

private:
    struct Item {
        std::string text;
        int32_t data = 0;
        bool selected = false;
    };
    const Item& At(int index) const;
    Item& At(int index);

    std::vector<Item> items_;
    int listIndex_ = -1;
    std::string text_;
};

// The lists of the windows that the data classes reach by name.
enum class ListId {
    frmApp_lstVAppCmd,       // voice command applications
    frmApp_lstRunApp,        // running windows
    frmApp_cmbVocabulary,    // vocabulary box of the application window
    frmVocab_lstVocab,       // vocabulary names
    frmVocab_lstDictionary,  // words of the selected vocabulary
    frmTemp_lstTemp,         // scratch list of the grammar builder
};

class IListProvider {
public:
    virtual ~IListProvider() = default;
    // The list; reaching a list of a window that is not loaded loads that window hidden.
    virtual IListControl& Get(ListId id) = 0;
};

// Lists held in memory, one per id; what tests and the window-less parts of the program use.
class InMemoryListProvider : public IListProvider {
public:
    IListControl& Get(ListId id) override { return list(id); }
    InMemoryList& list(ListId id);

private:
    std::vector<std::pair<ListId, std::unique_ptr<InMemoryList>>> lists_;
};

namespace Lists {
// The list of a window by name, from the installed provider (in-memory lists until one is set).
IListControl& Get(ListId id);
// Installs a provider and returns the one it replaces.
std::unique_ptr<IListProvider> Install(std::unique_ptr<IListProvider> provider);
}  // namespace Lists
