#include "common/ListControl.h"

#include "common/PlatformErrors.h"

int InMemoryList::ListCount() const {
    return static_cast<int>(items_.size());
}

std::string InMemoryList::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[static_cast<std::size_t>(index)].text;
}

void InMemoryList::SetList(int index, const std::string& text) {
    At(index).text = text;
}

int InMemoryList::AddItem(const std::string& text, int index) {
    if (index < -1 || index > ListCount()) PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    if (index == -1) index = ListCount();
    items_.insert(items_.begin() + index, Item{text, 0, false});
    if (listIndex_ >= index) ++listIndex_;
    return index;
}

void InMemoryList::RemoveItem(int index) {
    At(index);
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
}

void InMemoryList::Clear() {
    items_.clear();
    listIndex_ = -1;
}

int InMemoryList::ListIndex() const {
    return listIndex_;
}

void InMemoryList::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    listIndex_ = index;
    if (onClick) onClick();
}

bool InMemoryList::Selected(int index) const {
    return At(index).selected;
}
void InMemoryList::SetSelected(int index, bool selected) {
    At(index).selected = selected;
}
int32_t InMemoryList::ItemData(int index) const {
    return At(index).data;
}
void InMemoryList::SetItemData(int index, int32_t data) {
    At(index).data = data;
}

std::string InMemoryList::Text() const {
    if (!text_.empty() || listIndex_ < 0) return text_;
    return List(listIndex_);
}

void InMemoryList::SetText(const std::string& text) {
    text_ = text;
}

int InMemoryList::FindStringExact(const std::string& text, int startAfter) const {
    return FindStringExactIn(ListCount(), startAfter, text, [this](int i) { return List(i); });
}

std::vector<std::string> InMemoryList::Items() const {
    std::vector<std::string> texts;
    texts.reserve(items_.size());
    for (const auto& item : items_) texts.push_back(item.text);
    return texts;
}

const InMemoryList::Item& InMemoryList::At(int index) const {
    if (index < 0 || index >= ListCount()) PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    return items_[static_cast<std::size_t>(index)];
}

InMemoryList::Item& InMemoryList::At(int index) {
    return const_cast<Item&>(static_cast<const InMemoryList&>(*this).At(index));
}

InMemoryList& InMemoryListProvider::list(ListId id) {
    for (auto& [key, value] : lists_) {
        if (key == id) return *value;
    }
    lists_.emplace_back(id, std::make_unique<InMemoryList>());
    return *lists_.back().second;
}

namespace Lists {
namespace {
std::unique_ptr<IListProvider>& Current() {
    static std::unique_ptr<IListProvider> provider = std::make_unique<InMemoryListProvider>();
    return provider;
}
}  // namespace

IListControl& Get(ListId id) {
    return Current()->Get(id);
}

std::unique_ptr<IListProvider> Install(std::unique_ptr<IListProvider> provider) {
    auto previous = std::move(Current());
    Current() = std::move(provider);
    return previous;
}

}  // namespace Lists
