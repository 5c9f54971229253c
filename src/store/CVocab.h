#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/CFile.h"

class IListControl;

// The vocabulary manager: lists the vocabularies and the entries of one vocabulary into the
// configuration windows' lists, sorts a list, creates and deletes vocabulary files, reads,
// finds and stores entries through its own CFile, and keeps the copy buffer and counters of a
// drag copy. Its record position is that of its CFile, and callers rely on how each member
// moves it. Texts are ANSI.
class CVocab {
public:
    // Lists the entries of vocabulary sVocabName into frmVocab.lstDictionary, item i holding
    // record i + 1. The list is not cleared. Position 1 afterwards.
    void FillDictionaryListBox(const bool& bVocab, const std::string& sVocabName);
    // Appends the vocabulary names to frmVocab.lstVocab and, when bCombo is false, every item
    // of lstVocab to frmApp.cmbVocabulary. Neither list is cleared.
    void FillVocabFile(const bool& bCombo = false);
    // Sorts the list in place by character code, case-sensitive; equal items keep their order.
    void Bubble_Sort(IListControl& lst, bool bAscending);
    // Sets VocabularyName, then opens and closes the vocabulary file (creating it when missing).
    void VocabularyFileOpen(std::string sVocabName);
    // Stores one entry at the record that sRoutine chooses: "MenuCopy" position - 1,
    // "SaveChanges" the position, "DictionaryDelete" the position and then position + 1; any
    // other text stores nothing. "SaveChanges" refuses with error 5, writing nothing, a text
    // longer than a record holds (126 characters), and a position past the one after the last
    // record (ListOutOfDate).
    void AddDictionaryWord(const bool& bVocab, const std::string& sVocabName,
                           const std::string& sDictionaryWord, const std::string& sRoutine);
    const std::string& VocabularyName() const { return mVocabularyName; }
    void SetVocabularyName(std::string sVocabName) { mVocabularyName = std::move(sVocabName); }
    // Appends to the copy buffer; position + 1.
    void CopyDictionary(std::string sDictionary);
    int16_t CopyCount();
    // Copy-buffer item iRecNumber (from 1); position + 1. Application error 13021 when there is
    // no such item, the position then unchanged.
    std::string RetrieveDictionary(const int16_t& iRecNumber);
    // Drops the copy buffer.
    void DictionaryInitialize();
    // Copies every item of frmVocab.lstDictionary into the copy buffer.
    void CopyAll();
    int16_t SelectionNumber() const { return mSelectionNumber; }
    void SetSelectionNumber(int16_t vNewValue) { mSelectionNumber = vNewValue; }
    // SelectionNumber + 1, 0, - 1; error 6 (overflow) leaves it unchanged.
    void SelectionIncrement();
    void SelectInitialize();
    void SelectionDecrement();
    int16_t TrackDictionary() const { return mTrackDictionary; }
    void SetTrackDictionary(const int16_t& sNewValue) { mTrackDictionary = sNewValue; }
    // Creates the vocabulary file empty; application error 13013 when it cannot.
    void CreateNewVocab(const std::string& sVocabName);
    // Deletes the vocabulary file. A file that is there and cannot be deleted raises the write
    // failure that says why (WriteFailure.h).
    void DeleteVocabFile(const std::string& sDeletedFile);
    // Counts the non-empty records from the current position; returns the position reached.
    int16_t DictionaryRecordCount(const std::string& sName);
    void InitRecord();
    void MinusRecord();
    void PlusRecord();
    // The text of record iRecord of vocabulary sName; the position does not change.
    std::string ReadDictionary(const int16_t& iRecord, const std::string& sName);
    // Finds the record whose text is exactly sDicName, passing over the first `earlier` records
    // that hold it too: TrackDictionary and the position become its number. When none matches,
    // TrackDictionary keeps its value and the position is left one past the read past the end
    // (n + 2 for n records).
    void DictionarySelect(const std::string& sVocName, const std::string& sDicName,
                          int earlier = 0);
    // How many records before record iRecord of vocabulary sVocName hold exactly sDicName; the
    // position does not change.
    int DictionaryOccurrence(const std::string& sVocName, const std::string& sDicName,
                             int16_t iRecord);
    // Rewrites vocabulary sVocabName after a change to the list it was listed into: the records
    // the list held (listed, the list's items before the change, in any order) become these
    // entries, in order, and the records after them stay as they were. Leaves the position
    // after the file's last record (after the last entry, as storing them one by one from
    // record 1 would, when nothing follows them), or 0 when that lies beyond the positions'
    // reach. The old file stays whole until the new one is complete; a rewrite that fails
    // raises what ReplaceRecordFile raises (RecordFileReplace.h).
    void ReplaceDictionary(const std::string& sVocabName, const std::vector<std::string>& listed,
                           const std::vector<std::string>& entries);
    bool DeleteOp() const { return mDeleteOp; }
    void SetDeleteOp(bool bNewOp) { mDeleteOp = bNewOp; }

    // The record position (that of the instance's CFile).
    int16_t RecordNumber() const { return mFile.RecordNumber(); }

private:
    std::vector<std::string>& CopyBuffer();

    CFile mFile;
    std::string mVocabularyName;
    std::optional<std::vector<std::string>> mCopyBuffer;
    int16_t mSelectionNumber = 0;
    int16_t mTrackDictionary = 0;
    bool mDeleteOp = false;
};
