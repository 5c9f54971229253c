#include "store/CVocab.h"

#include <cerrno>
#include <string>

#include "common/AppErrors.h"
#include "common/ListControl.h"
#include "common/PlatformErrors.h"
#include "store/FileSlots.h"
#include "store/ListOutOfDate.h"
#include "store/RecordFileReplace.h"
#include "store/RecordPaths.h"
#include "store/RecordScan.h"
#include "store/VocabularyFolder.h"
#include "store/WriteFailure.h"

void CVocab::FillDictionaryListBox(const bool& bVocab, const std::string& sVocabName) {
    IListControl& lstDictionary = Lists::Get(ListId::frmVocab_lstDictionary);
    mFile.InitRecord();
    const OpenRecordFile open(mFile, bVocab, sVocabName);
    ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
        // The read past the last record sets the end mark and adds no item.
        if (!DataFileAtEnd()) lstDictionary.AddItem(text, mFile.RecordNumber() - 1);
        return ScanStep::Next;
    });
    mFile.InitRecord();
}

void CVocab::FillVocabFile(const bool& bCombo) {
    IListControl& lstVocab = Lists::Get(ListId::frmVocab_lstVocab);
    for (const std::string& name : VocabularyFolder::Names()) lstVocab.AddItem(name);
    if (bCombo) return;
    IListControl& cmbVocabulary = Lists::Get(ListId::frmApp_cmbVocabulary);
    for (int i = 0; i < lstVocab.ListCount(); ++i) cmbVocabulary.AddItem(lstVocab.List(i));
}

void CVocab::Bubble_Sort(IListControl& lst, bool bAscending) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        const int count = lst.ListCount();
        for (int i = 0; i <= count - 2; ++i) {
            const std::string a = lst.List(i);
            const std::string b = lst.List(i + 1);
            // std::string compares by unsigned character code.
            if (bAscending ? a > b : a < b) {
                lst.SetList(i, b);
                lst.SetList(i + 1, a);
                swapped = true;
            }
        }
    }
}

void CVocab::VocabularyFileOpen(std::string sVocabName) {
    SetVocabularyName(sVocabName);
    const OpenRecordFile open(mFile, true, sVocabName);
}

namespace {

// A record stored past the one after the last would leave an empty record before it, where
// every listing stops: the entry would be kept where no one sees it. That position is where
// the search for an entry that is no longer in the file (a list not refilled since a change)
// leaves off, so the save is refused and nothing is written.
void RefuseGapBefore(CFile& file, const std::string& vocabulary) {
    const int16_t position = file.RecordNumber();
    if (position <= 1) return;
    file.FileRead(static_cast<int16_t>(position - 1));
    if (!DataFileAtEnd()) return;
    RaiseEntryNoLongerStored(vocabulary);
}

// The characters a vocabulary record holds: its byte count takes two of its bytes.
constexpr std::size_t kEntryRoom = CFile::kVocabRecordLength - 2;

// An entry longer than a record holds is refused with error 5 and a description that gives the
// room there is, before anything is written.
void RefuseTooLong(const std::string& entry) {
    if (entry.size() <= kEntryRoom) return;
    PlatformError::Raise(PlatformError::kInvalidProcedureCall,
                         "This entry is too long to save: a vocabulary entry holds at most " +
                             std::to_string(kEntryRoom) + " characters, and this one holds " +
                             std::to_string(entry.size()) + ".");
}

}  // namespace

void CVocab::AddDictionaryWord(const bool& bVocab, const std::string& sVocabName,
                               const std::string& sDictionaryWord, const std::string& sRoutine) {
    const OpenRecordFile open(mFile, bVocab, sVocabName);
    if (sRoutine == "MenuCopy") {
        if (mFile.RecordNumber() == INT16_MIN) PlatformError::Raise(PlatformError::kOverflow);
        mFile.FileStore(sDictionaryWord, static_cast<int16_t>(mFile.RecordNumber() - 1));
    } else if (sRoutine == "SaveChanges") {
        RefuseTooLong(sDictionaryWord);
        RefuseGapBefore(mFile, sVocabName);
        mFile.FileStore(sDictionaryWord, mFile.RecordNumber());
    } else if (sRoutine == "DictionaryDelete") {
        mFile.FileStore(sDictionaryWord, mFile.RecordNumber());
        mFile.IncrementRecord();
    }
}

std::vector<std::string>& CVocab::CopyBuffer() {
    if (!mCopyBuffer) mCopyBuffer.emplace();
    return *mCopyBuffer;
}

void CVocab::CopyDictionary(std::string sDictionary) {
    CopyBuffer().push_back(std::move(sDictionary));
    mFile.IncrementRecord();
}

int16_t CVocab::CopyCount() {
    const std::size_t count = CopyBuffer().size();
    if (count > static_cast<std::size_t>(INT16_MAX)) PlatformError::Raise(PlatformError::kOverflow);
    return static_cast<int16_t>(count);
}

std::string CVocab::RetrieveDictionary(const int16_t& iRecNumber) {
    try {
        const std::vector<std::string>& buffer = CopyBuffer();
        if (iRecNumber < 1 || static_cast<std::size_t>(iRecNumber) > buffer.size()) {
            PlatformError::Raise(PlatformError::kInvalidArrayIndex);
        }
        std::string item = buffer[static_cast<std::size_t>(iRecNumber) - 1];
        mFile.IncrementRecord();
        return item;
    } catch (...) {
        RunningApps::RaiseAppError(AppError::kBadDictionaryIndex);
    }
}

void CVocab::DictionaryInitialize() {
    mCopyBuffer.reset();
}

void CVocab::CopyAll() {
    IListControl& lstDictionary = Lists::Get(ListId::frmVocab_lstDictionary);
    for (int i = 1; i <= lstDictionary.ListCount(); ++i) CopyDictionary(lstDictionary.List(i - 1));
}

void CVocab::SelectionIncrement() {
    if (mSelectionNumber == INT16_MAX) PlatformError::Raise(PlatformError::kOverflow);
    SetSelectionNumber(static_cast<int16_t>(mSelectionNumber + 1));
}

void CVocab::SelectInitialize() {
    SetSelectionNumber(0);
}

void CVocab::SelectionDecrement() {
    if (mSelectionNumber == INT16_MIN) PlatformError::Raise(PlatformError::kOverflow);
    SetSelectionNumber(static_cast<int16_t>(mSelectionNumber - 1));
}

void CVocab::CreateNewVocab(const std::string& sVocabName) {
    mFile.FileNew(true, sVocabName);
    mFile.FileClose();
}

void CVocab::DeleteVocabFile(const std::string& sDeletedFile) {
    const int error = mFile.FileDelete(true, sDeletedFile);
    if (error == 0 || error == ENOENT) return;
    if (const auto path = RecordPaths::VocabFile(sDeletedFile)) WriteFailure::Raise(*path, error);
}

int16_t CVocab::DictionaryRecordCount(const std::string& sName) {
    mFile.RecordCount(true, sName);
    return mFile.RecordNumber();
}

void CVocab::InitRecord() {
    mFile.InitRecord();
}
void CVocab::MinusRecord() {
    mFile.DecrementRecord();
}
void CVocab::PlusRecord() {
    mFile.IncrementRecord();
}

std::string CVocab::ReadDictionary(const int16_t& iRecord, const std::string& sName) {
    const OpenRecordFile open(mFile, true, sName);
    return mFile.FileRead(iRecord);
}

void CVocab::DictionarySelect(const std::string& sVocName, const std::string& sDicName,
                              int earlier) {
    const OpenRecordFile open(mFile, true, sVocName);
    mFile.InitRecord();
    ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
        if (text != sDicName || earlier-- > 0) return ScanStep::Next;
        SetTrackDictionary(mFile.RecordNumber());
        return ScanStep::Stop;
    });
}

int CVocab::DictionaryOccurrence(const std::string& sVocName, const std::string& sDicName,
                                 int16_t iRecord) {
    const int16_t position = mFile.RecordNumber();
    int found = 0;
    {
        const OpenRecordFile open(mFile, true, sVocName);
        mFile.InitRecord();
        ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
            if (mFile.RecordNumber() >= iRecord) return ScanStep::Stop;
            if (text == sDicName) ++found;
            return ScanStep::Next;
        });
    }
    mFile.SetRecordNumber(position);
    return found;
}

void CVocab::ReplaceDictionary(const std::string& sVocabName,
                               const std::vector<std::string>& listed,
                               const std::vector<std::string>& entries) {
    if (entries.size() >= static_cast<std::size_t>(CFile::sLastPosition)) {
        PlatformError::Raise(PlatformError::kOverflow);
    }
    const auto path = RecordPaths::VocabFile(sVocabName);
    if (!path) PlatformError::Raise(PlatformError::kPathFileAccess);
    const std::size_t records =
        ReplaceRecordFile(*path, CFile::kVocabRecordLength, listed, entries);
    // A save that follows without a record found for it appends, and never overwrites a record
    // kept after the entries; beyond the positions' reach it cannot write at all.
    mFile.SetRecordNumber(records < static_cast<std::size_t>(CFile::sLastPosition)
                              ? static_cast<int16_t>(records + 1)
                              : int16_t{0});
}
