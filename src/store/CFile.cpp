#include "store/CFile.h"

#include <unistd.h>

#include <cerrno>
#include <optional>

#include "common/AppErrors.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"
#include "store/RecordPaths.h"
#include "store/RecordScan.h"
#include "store/WriteFailure.h"

namespace {

// The path of a record file: a vocabulary in the vocabulary folder, or a file of the
// program's folder.
std::optional<std::string> RecordFilePath(bool bVocab, const std::string& name) {
    if (bVocab) return RecordPaths::VocabFile(name);
    return RecordPaths::ProgramFile(name);
}

}  // namespace

CFile::CFile() {
    InitRecord();
    mRecordTemplate = std::string(5 * 54, ' ');
}

std::string CFile::FileRead(const int16_t& iRecNumber) {
    std::optional<std::string> text = DataSlot::Instance().Read(iRecNumber);
    if (!text) RunningApps::RaiseAppError(AppError::kFileCorrupt);
    mRecord = std::move(*text);
    return mRecord;
}

void CFile::FileOpen(bool bVocab, const std::string& sVocabName) {
    if (bVocab) {
        const auto path = RecordPaths::VocabFile(sVocabName);
        if (!path) {
            DataSlot::Instance().Close();
            return;
        }
        DataSlot::Instance().Open(*path, DataSlot::Mode::RecordReadWrite, kVocabRecordLength);
    } else {
        DataSlot::Instance().Open(RecordPaths::ProgramFile(RecordPaths::kAppFileName),
                                  DataSlot::Mode::RecordReadWrite,
                                  static_cast<int>(mRecordTemplate.size()));
    }
}

void CFile::VAppCmdOpen() {
    if (!DataSlot::Instance().Open(RecordPaths::ProgramFile(RecordPaths::kAppFileName),
                                   DataSlot::Mode::RecordReadOnly, kVocabRecordLength)) {
        PlatformError::Raise(PlatformError::kFileNotFound);
    }
}

void CFile::VocabFileRead(std::string sVocab) {
    const auto path = RecordPaths::VocabFile(sVocab);
    if (!path) return;
    DataSlot::Instance().Open(*path, DataSlot::Mode::RecordReadOnly, kVocabRecordLength);
}

void CFile::VAppCmdFileRead() {
    DataSlot::Instance().Open(RecordPaths::ProgramFile(RecordPaths::kAppFileName),
                              DataSlot::Mode::RecordReadOnly, kVocabRecordLength);
}

void CFile::TempFileOpen() {
    GrammarSlot::Instance().OpenAppend(RecordPaths::GrammarFile());
}

void CFile::FileClose() {
    DataSlot::Instance().Close();
}

void CFile::TempFileClose() {
    GrammarSlot::Instance().Close();
}

void CFile::FileStore(std::string sStoreValue, int16_t iRecNumber) {
    DataSlot& slot = DataSlot::Instance();
    if (!slot.Write(iRecNumber, sStoreValue)) {
        const int error = slot.WriteError();
        const std::string path = slot.Path();
        FileClose();
        // A file that cannot be written says where and why; other failures (a text too long
        // for its record, a bad position, no file open) are the store failure.
        if (error != 0) WriteFailure::Raise(path, error);
        RunningApps::RaiseAppError(AppError::kStoreFailed);
    }
}

void CFile::TempFileStore(const std::string& sStoreValue) {
    GrammarSlot::Instance().WriteLine(sStoreValue);
}

void CFile::FileNew(const bool& bVocab, const std::string& sFileName) {
    DataSlot& slot = DataSlot::Instance();
    const auto path = RecordFilePath(bVocab, sFileName);
    if (slot.IsOpen() || !path) RunningApps::RaiseAppError(AppError::kNoVocabDirectory);
    if (!slot.Open(*path, DataSlot::Mode::Output, bVocab ? kVocabRecordLength : kAppRecordLength)) {
        // A folder that exists but refuses the file, or a full disk, is said as such; any
        // other failure, a missing folder among them, is the missing vocabulary folder.
        const int error = errno;
        if (error == EACCES || error == EPERM || error == EROFS || error == ENOSPC)
            WriteFailure::Raise(*path, error);
        RunningApps::RaiseAppError(AppError::kNoVocabDirectory);
    }
}

int CFile::FileDelete(const bool& bVocab, const std::string& sFileName) {
    const auto path = RecordFilePath(bVocab, sFileName);
    if (!path) return 0;
    // An open file cannot be deleted: report it as the access failure it is.
    if (DataSlot::Instance().Holds(*path) || GrammarSlot::Instance().Holds(*path)) {
        FileClose();
        Dialogs::MsgBox("A fatal error has occurred. Please try running the program again.",
                        MsgButtons::OK, MsgIcon::None, "Fatal File-Access Error!");
        return 0;
    }
    return ::unlink(path->c_str()) == 0 ? 0 : errno;
}

void CFile::TempDelete() {
    const std::string path = RecordPaths::GrammarFile();
    if (GrammarSlot::Instance().Holds(path) || DataSlot::Instance().Holds(path)) {
        PlatformError::Raise(PlatformError::kPermissionDenied);
    }
    if (::unlink(path.c_str()) != 0) {
        PlatformError::Raise(errno == ENOENT ? PlatformError::kFileNotFound
                                             : PlatformError::kPathFileAccess);
    }
}

void CFile::InitRecord() {
    SetRecordNumber(1);
}

void CFile::IncrementRecord() {
    if (RecordNumber() >= sLastPosition) PlatformError::Raise(PlatformError::kOverflow);
    SetRecordNumber(static_cast<int16_t>(RecordNumber() + 1));
}

void CFile::DecrementRecord() {
    if (RecordNumber() == INT16_MIN) PlatformError::Raise(PlatformError::kOverflow);
    SetRecordNumber(static_cast<int16_t>(RecordNumber() - 1));
}

int16_t CFile::RecordCount(bool bVocab, const std::string& sVocabName) {
    const OpenRecordFile open(*this, bVocab, sVocabName);
    while (!FileRead(mRecordNumber).empty()) IncrementRecord();
    return RecordNumber();
}

int16_t CFile::FileType(bool bRead, const int16_t& iRecord) {
    if (bRead) return CurrentApp();
    SetCurrentApp(iRecord);
    return 0;
}
