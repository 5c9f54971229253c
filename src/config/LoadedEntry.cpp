#include "config/LoadedEntry.h"

#include <utility>

#include "common/ListControl.h"
#include "store/CVocab.h"
#include "store/ListOutOfDate.h"

namespace {

// How many rows before the row hold the same text as it.
int EqualRowsBefore(const IListControl& entries, int row) {
    const std::string text = entries.List(row);
    int equal = 0;
    for (int i = 0; i < row; ++i) equal += entries.List(i) == text ? 1 : 0;
    return equal;
}

}  // namespace

LoadedEntry::LoadedEntry(std::string vocabulary, std::string text, int earlier)
    : vocabulary_(std::move(vocabulary)), text_(std::move(text)), earlier_(earlier) {}

LoadedEntry LoadedEntry::AtRow(std::string vocabulary, const IListControl& entries, int row) {
    // Sorting the list keeps equal entries in their order, so the count holds for the file.
    return LoadedEntry(std::move(vocabulary), entries.List(row), EqualRowsBefore(entries, row));
}

LoadedEntry LoadedEntry::Stored(CVocab& vocab, std::string vocabulary, std::string text) {
    const int earlier = vocab.DictionaryOccurrence(vocabulary, text, vocab.RecordNumber());
    return LoadedEntry(std::move(vocabulary), std::move(text), earlier);
}

void LoadedEntry::RowDeleted(const std::string& vocabulary, const IListControl& entries, int row) {
    if (vocabulary != vocabulary_ || entries.List(row) != text_) return;
    const int earlier = EqualRowsBefore(entries, row);
    if (earlier == earlier_) {
        deleted_ = true;
    } else if (earlier < earlier_) {
        --earlier_;
    }
}

void LoadedEntry::Select(CVocab& vocab) const {
    if (!deleted_) {
        vocab.DictionarySelect(vocabulary_, text_, earlier_);
        if (vocab.ReadDictionary(vocab.RecordNumber(), vocabulary_) == text_) return;
    }
    RaiseEntryNoLongerStored(vocabulary_);
}
