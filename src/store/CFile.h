#pragma once

#include <cstdint>
#include <string>

#include "store/FileSlots.h"

// The file layer over the record files (the voice command application file "VAppCmd.txt"
// and the vocabulary files) and the speech grammar file. Every instance keeps its own record
// position; all instances share the two process-wide slots of FileSlots.h. Texts are ANSI.
class CFile {
public:
    // Record lengths of the two kinds of record file.
    static constexpr int kAppRecordLength = 270;
    static constexpr int kVocabRecordLength = 128;

    // The highest record position, the top of the signed 16-bit range. Tests lower it, so that
    // a file with more records than the positions reach needs only a few.
    static inline int16_t sLastPosition = INT16_MAX;

    CFile();

    // Reads record iRecNumber of the open data file; application error 13011 on any failure.
    std::string FileRead(const int16_t& iRecNumber);
    // Opens the vocabulary file sVocabName (bVocab) or "VAppCmd.txt" on the data slot for
    // record access, creating it when missing. A file that may only be read opens for reading.
    // Failures are ignored (the slot stays closed).
    void FileOpen(bool bVocab = false, const std::string& sVocabName = {});
    // "VAppCmd.txt", read only, 128-byte records; failures pass to the caller.
    void VAppCmdOpen();
    // The vocabulary file, read only, 128-byte records; failures ignored.
    void VocabFileRead(std::string sVocab);
    // "VAppCmd.txt", read only, 128-byte records; failures ignored.
    void VAppCmdFileRead();
    // "temp.txt" on the grammar slot for appending; failures pass to the caller.
    void TempFileOpen();
    void FileClose();
    void TempFileClose();
    // Writes sStoreValue as record iRecNumber; on failure closes the data slot and raises
    // 13012, or, when the file could not be written, the failure that says where and why
    // (WriteFailure.h).
    void FileStore(std::string sStoreValue, int16_t iRecNumber);
    // Appends the text and CR LF to the grammar file; failures pass to the caller.
    void TempFileStore(const std::string& sStoreValue);
    // Creates the file empty and leaves it open for output; 13013 on failure.
    void FileNew(const bool& bVocab, const std::string& sFileName);
    // Deletes the file; an open file is not deleted and a message says so. Every other failure
    // is passed over; its system error is returned (0 when the file was deleted, or when the
    // message was shown).
    int FileDelete(const bool& bVocab, const std::string& sFileName);
    // Deletes "temp.txt"; failures (also a missing file) pass to the caller.
    void TempDelete();

    int16_t RecordNumber() const { return mRecordNumber; }
    void SetRecordNumber(int16_t iRecNum) { mRecordNumber = iRecNum; }
    void InitRecord();
    // Position +/- 1; error 6 (overflow) past sLastPosition or INT16_MIN leaves the position
    // unchanged.
    void IncrementRecord();
    void DecrementRecord();
    // Counts the non-empty records from the current position on; the result is the new
    // position. Traps nothing.
    int16_t RecordCount(bool bVocab = false, const std::string& sVocabName = {});
    // bRead: returns CurrentApp; otherwise stores iRecord as CurrentApp and returns 0.
    int16_t FileType(bool bRead = false, const int16_t& iRecord = 0);
    int16_t CurrentApp() const { return mCurrentApp; }
    void SetCurrentApp(int16_t iNewAppRecord) { mCurrentApp = iNewAppRecord; }
    bool AppStart() const { return mAppStart; }
    void SetAppStart(const bool& bNewStart) { mAppStart = bNewStart; }

    // The last text FileRead read.
    const std::string& Record() const { return mRecord; }

    // Rebuilds the speech grammar file "temp.txt": the header, one line per activation phrase
    // of the voice command application file, one line per distinct vocabulary word. A step
    // that fails is skipped; the file is replaced only once the new one is wholly on the disk,
    // and a file that cannot be written is reported (once, however many rebuilds fail).
    void TempLoad();

private:
    std::string mRecord;
    int16_t mRecordNumber = 1;
    int16_t mCurrentApp = 0;
    bool mAppStart = false;
    std::string mRecordTemplate;
};
