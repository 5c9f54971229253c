#include "engine/CApp.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include "common/AnsiText.h"
#include "common/AppErrors.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"
#include "common/ResumeNext.h"
#include "store/AppRecord.h"
#include "store/DamagedFile.h"
#include "store/FileSlots.h"
#include "store/RecordFileReplace.h"
#include "store/RecordPaths.h"
#include "store/RecordScan.h"
#include "store/WriteFailure.h"

namespace {

// The records the application list holds, in order: from record 1 up to the first record
// without an identity (a record that cannot be read counts as one, as does the read past the
// last record), as far as the record positions reach. The position stays where the scan ended.
std::vector<std::string> ListedRecords(CFile& file) {
    std::vector<std::string> records;
    file.InitRecord();
    const OpenRecordFile open(file);
    ScanRecords(file, ScanFailures::PassOver, [&](const std::string& text) {
        if (AppRecord::Parse(text).identity.empty()) return ScanStep::Stop;
        records.push_back(text);
        return ScanStep::Next;
    });
    return records;
}

// The index of the record to drop when the application with this identity, standing at index
// selected, is deleted: the selected one when it holds the identity, else the first that does
// (the list and the file disagree then); records.size() when none does.
std::size_t RecordToDrop(const std::vector<std::string>& records, const std::string& identity,
                         std::size_t selected) {
    auto holdsIdentity = [&](std::size_t i) {
        return Ansi::EqualsIgnoreCase(AppRecord::Parse(records[i]).identity, identity);
    };
    if (selected < records.size() && holdsIdentity(selected)) return selected;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (holdsIdentity(i)) return i;
    }
    return records.size();
}

// A phrase or vocabulary name holding a separator would cut its record's fields: it is refused
// with error 5 and a description that says why, before anything is written.
void RefuseSeparators(const std::string& what, const std::string& name) {
    if (!AppRecord::HoldsSeparator(name)) return;
    PlatformError::Raise(PlatformError::kInvalidProcedureCall,
                         "The " + what + " \"" + name +
                             "\" cannot be saved: it may not hold \"*\", \"~\" or \"$\".");
}

// The characters a record holds: its byte count takes two of its bytes.
constexpr std::size_t kTextRoom = CFile::kAppRecordLength - 2;

// A record longer than the file holds is refused with error 5 and a description that gives
// the room there is, before anything is written.
void RefuseTooLong(const AppRecord& record) {
    const std::size_t length = record.Text().size();
    if (length <= kTextRoom) return;
    const std::size_t fields =
        record.userName.size() + record.vocabularyName.size() + record.pathName.size();
    // The window's identity and the separators take the rest.
    const std::size_t taken = length - fields;
    const std::size_t room = kTextRoom > taken ? kTextRoom - taken : 0;
    PlatformError::Raise(PlatformError::kInvalidProcedureCall,
                         "This entry is too long to save: with this window, the activation "
                         "phrase, vocabulary name and path may hold at most " +
                             std::to_string(room) + " characters together, and they hold " +
                             std::to_string(fields) + ".");
}

// A window whose identity leaves no room for a phrase and a vocabulary name of one character
// each could be added but never completed: it is refused with error 5 and a description that
// says why, before anything is written.
void RefuseIdentityWithoutRoom(const std::string& identity) {
    constexpr std::size_t kLeastFields = 2;
    AppRecord record;
    record.identity = identity;
    // The identity as stored, with its separators and the phrase's and vocabulary's ends.
    const std::size_t taken = record.Text().size();
    if (taken + kLeastFields <= kTextRoom) return;
    std::string description =
        "This window's title is too long to keep: an application entry holds " +
        std::to_string(kTextRoom) + " characters, and this window's class name and title take " +
        std::to_string(taken) +
        " of them, which leaves no room for both an activation phrase and a vocabulary name.";
    if (identity.find('*') != std::string::npos)
        description += " Each \"*\" in the title counts twice.";
    PlatformError::Raise(PlatformError::kInvalidProcedureCall, description);
}

IListControl& AppList() {
    return Lists::Get(ListId::frmApp_lstVAppCmd);
}

}  // namespace

CApp::CApp() = default;

CApp::~CApp() {
    mTempStore.reset();
}

void CApp::FillVACListBox() {
    const std::vector<std::string> records = ListedRecords(mFile);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string identity = AppRecord::Parse(records[i]).identity;
        ResumeNext([&] { AppList().AddItem(identity, static_cast<int>(i)); });
    }
}

void CApp::UserCopy(const std::string& sCopy) {
    SetUserName(sCopy);
}

void CApp::KeepAlive() {
    mFile.SetAppStart(true);
}

void CApp::VAppAdd(const std::string& sAppName, int16_t, bool bCreateFromNew) {
    if (!bCreateFromNew) RefuseIdentityWithoutRoom(sAppName);
    const OpenRecordFile open(mFile);
    mFile.InitRecord();
    while (!mFile.FileRead(mFile.RecordNumber()).empty()) mFile.IncrementRecord();
    mFile.FileStore(bCreateFromNew ? sAppName : AppRecord::Fresh(sAppName), mFile.RecordNumber());
    mFile.IncrementRecord();
}

std::string CApp::UserDefinedName(int16_t) {
    std::string text;
    {
        const OpenRecordFile open(mFile);
        ResumeNext([&] { text = mFile.FileRead(static_cast<int16_t>(AppList().ListIndex() + 1)); });
    }
    const AppRecord record = AppRecord::Parse(text);
    mRecordUserName = record.userName;
    SetVocabularyName(record.vocabularyName);
    SetPathName(record.pathName);
    SetUserName(record.userName);
    return UserName();
}

void CApp::AddUserAppName(const std::string& sAppName, const std::string& sVocabName,
                          const std::string& sPathName, int16_t iPosition) {
    RefuseSeparators("activation phrase", sAppName);
    RefuseSeparators("vocabulary name", sVocabName);
    const auto position = static_cast<int16_t>(iPosition + 1);
    const OpenRecordFile open(mFile);
    AppRecord record = AppRecord::Parse(mFile.FileRead(position));
    record.userName = sAppName;
    record.vocabularyName = sVocabName;
    record.pathName = sPathName;
    RefuseTooLong(record);
    mRecordUserName = record.Text();
    mFile.FileStore(mRecordUserName, position);
}

void CApp::AppCompare(const std::string& sSearchString, int16_t iSelectedRecord) {
    const std::vector<std::string> records = ListedRecords(mFile);
    VAppTempClear();
    const std::size_t drop =
        RecordToDrop(records, sSearchString, static_cast<std::size_t>(iSelectedRecord - 1));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i != drop) VAppTempStore(records[i]);
    }
}

int16_t CApp::PlaceHolder(bool bRead, int16_t iListItem) {
    if (bRead) return mFile.RecordNumber();
    mFile.SetRecordNumber(iListItem);
    return 0;
}

void CApp::InitRecord() {
    mFile.InitRecord();
}

void CApp::VAppTempStore(const std::string& sTemp) {
    if (!mTempStore) mTempStore.emplace();
    mTempStore->push_back(sTemp);
}

std::string CApp::VAppTempRetrieve(int16_t iDataValue) {
    if (!mTempStore) mTempStore.emplace();
    if (iDataValue < 1 || static_cast<std::size_t>(iDataValue) > mTempStore->size()) {
        PlatformError::Raise(PlatformError::kInvalidProcedureCall);
    }
    return (*mTempStore)[static_cast<std::size_t>(iDataValue - 1)];
}

void CApp::VAppTempClear() {
    mTempStore.reset();
}

int16_t CApp::AppRecordCount() {
    return mFile.RecordCount(false);
}

void CApp::CreateNewFile(bool bVocabulary, const std::string& sName) {
    // The file is made again from what was read of it: a damaged one is copied aside first.
    const auto path = bVocabulary ? RecordPaths::VocabFile(sName) : RecordPaths::ProgramFile(sName);
    const int recordLength = bVocabulary ? CFile::kVocabRecordLength : CFile::kAppRecordLength;
    if (path && !DamagedFile::KeepCopyBeforeChange(*path, recordLength))
        WriteFailure::Raise(*path, errno);
    mFile.FileDelete(bVocabulary, sName);
    mFile.FileNew(bVocabulary, sName);
    mFile.FileClose();
}

void CApp::DelRunApp() {
    IListControl& list = AppList();
    const int selected = list.ListIndex();
    if (selected == -1) {
        Dialogs::MsgBox("You must first select a voice-controlled application to delete.",
                        MsgButtons::OK, MsgIcon::Information, "No File Selected.");
        return;
    }
    std::string identity;
    bool removed = false;
    try {
        identity = list.List(selected);
        list.RemoveItem(selected);
        removed = true;
        // The records the list holds lose the selected one; those after them stay as they are.
        const std::vector<std::string> listed = ListedRecords(mFile);
        const std::string path = RecordPaths::ProgramFile(RecordPaths::kAppFileName);
        const std::size_t drop = RecordToDrop(listed, identity, static_cast<std::size_t>(selected));
        if (drop == listed.size()) RaiseListOutOfDate(path);
        std::vector<std::string> kept = listed;
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(drop));
        ReplaceRecordFile(path, CFile::kAppRecordLength, listed, kept);
        mFile.SetRecordNumber(static_cast<int16_t>(kept.size() + 1));
    } catch (const ErrorRecord& error) {
        // The file is unchanged: put the entry back so that the list still mirrors it.
        if (removed) ResumeNext([&] { list.AddItem(identity, selected); });
        Dialogs::MsgBox(std::to_string(error.Number()) + " " + error.Description(), MsgButtons::OK,
                        MsgIcon::Critical, "ERROR DELETE VOICE APPLICATION");
    }
}
