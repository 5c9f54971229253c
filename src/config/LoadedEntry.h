#pragma once

#include <string>

class CVocab;
class IListControl;

// The entry that the vocabulary window's edit box was loaded from: the vocabulary whose entries
// the list showed, the entry's text, and which of that vocabulary's entries of the same text it
// is. A save finds that record again, so that of equal entries the one chosen is changed.
class LoadedEntry {
public:
    // The entry on a row of the list that shows the entries of the vocabulary.
    static LoadedEntry AtRow(std::string vocabulary, const IListControl& entries, int row);
    // The entry just stored, at the vocabulary manager's record position.
    static LoadedEntry Stored(CVocab& vocab, std::string vocabulary, std::string text);

    const std::string& Vocabulary() const { return vocabulary_; }

    // A row of the list that shows the entries of the vocabulary is about to be deleted: an
    // equal entry before this one moves it up, and this one itself is then stored no more.
    void RowDeleted(const std::string& vocabulary, const IListControl& entries, int row);

    // Leaves the vocabulary manager's record position on this entry's record. An entry that is
    // no longer stored (deleted, or its file changed so that fewer equal entries remain) is
    // refused with ListOutOfDate, and nothing is to be written.
    void Select(CVocab& vocab) const;

private:
    LoadedEntry(std::string vocabulary, std::string text, int earlier);

    std::string vocabulary_;
    std::string text_;
    // The entries of the same text stored before it.
    int earlier_;
    bool deleted_ = false;
};
