#pragma once

#include <functional>

#include "common/ListControl.h"

class QComboBox;
class QListWidget;

// The list-control seam over a real list box. Setting the selected item from code raises the
// click handler, as a user's selection does.
class QtListControl : public IListControl {
public:
    // Which changes of the current item raise the click handler: all of them, or only those
    // made from code (the window then raises it itself after its mouse-down handler).
    enum class ClickSource { AnySelection, CodeOnly };

    QtListControl(QListWidget* list, std::function<void()> onClick,
                  ClickSource source = ClickSource::AnySelection);

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

private:
    void Check(int index) const;

    QListWidget* list_;
    std::function<void()> onClick_;
};

// The list-control seam over a combo box with an editable text field.
class QtComboControl : public IListControl {
public:
    explicit QtComboControl(QComboBox* combo);

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

private:
    void Check(int index) const;

    QComboBox* combo_;
};
