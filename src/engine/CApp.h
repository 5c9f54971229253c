#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/KeyStepSender.h"
#include "platform/WindowSystem.h"
#include "store/CFile.h"

// The voice command application manager: the records of "VAppCmd.txt" (one per application:
// window identity, activation phrase, vocabulary, program or document to start), the
// application list of the application window that mirrors them, and turning a recognised
// phrase into that application's window in front. Each window that works with applications
// owns one instance; all of them work on the same file. Texts are ANSI.
class CApp {
public:
    CApp();
    ~CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // Adds the identity part of every record, up to the first record without one, to the
    // application list at the index of its record. Does not clear the list.
    void FillVACListBox();
    void UserCopy(const std::string& sCopy);
    void KeepAlive();
    // Writes a record into the first free record: sAppName and "*", or sAppName unchanged when
    // bCreateFromNew. iRecNumber is not used. An identity whose record would have no room for
    // a phrase and a vocabulary name is refused with error 5, and nothing is written.
    void VAppAdd(const std::string& sAppName, int16_t iRecNumber = 0, bool bCreateFromNew = false);
    // Reads the record of the selected application-list entry into the properties and returns
    // its activation phrase. iRecord is not used.
    std::string UserDefinedName(int16_t iRecord);
    // Rewrites the phrase, vocabulary and path of the record of list entry iPosition.
    void AddUserAppName(const std::string& sAppName, const std::string& sVocabName,
                        const std::string& sPathName, int16_t iPosition);
    // Collects in the temporary store every record to keep when the application with identity
    // sSearchString, standing at record iSelectedRecord, is deleted: all but that one.
    void AppCompare(const std::string& sSearchString, int16_t iSelectedRecord);
    int16_t PlaceHolder(bool bRead, int16_t iListItem = 0);
    void InitRecord();
    void VAppTempStore(const std::string& sTemp);
    // The text at position iDataValue (from 1); error 5 for a position outside the store.
    std::string VAppTempRetrieve(int16_t iDataValue);
    void VAppTempClear();
    // The position of the first free record counted on from the record position: the number
    // of records + 1 when the position stands at or before it.
    int16_t AppRecordCount();
    // Deletes the named file and creates it again empty.
    void CreateNewFile(bool bVocabulary, const std::string& sName);

    bool PBClickState() const { return mPBClickState; }
    void SetPBClickState(bool bState) { mPBClickState = bState; }
    const std::string& VocabularyName() const { return mVocabularyName; }
    void SetVocabularyName(const std::string& sName) { mVocabularyName = sName; }
    const std::string& UserName() const { return mUserName; }
    void SetUserName(const std::string& sName) { mUserName = sName; }
    const std::string& PathName() const { return mPathName; }
    void SetPathName(const std::string& sName) { mPathName = sName; }

    // Looks sPhrase up among the activation phrases; on a match brings the application's
    // window to the front or starts it. 1 on a match, else 0. Never fails.
    int16_t AppCheck(const std::string& sPhrase);
    // Starts PathName (a program, else a document); application error 13001 on failure.
    void ShellApp();
    // Opens a document with the desktop's default application: -1 on success, else the
    // shell's error code (2: the file does not exist).
    int32_t LaunchDocument2(Hwnd lnghWnd, const std::string& strDocument,
                            const std::string& strStartIn, int32_t eShowStyle = 0);
    // Opens a folder the same way: -1 on success, else the shell's error code.
    int32_t Explore(Hwnd lnghWnd, const std::string& strFolder, int32_t eShowStyle = 0);
    // Types the keys of the entry whose word is sPhrase in the vocabulary of the application in
    // front (else of the one activated last) into the window that has the focus. 2 when keys
    // were typed or are left to ContinueTyping, else 0. Never fails. The keys go only to the
    // window in front now; an entry too long to type at once, or matched while an earlier one
    // is still being typed, is left to ContinueTyping.
    int16_t VocabCheck(const std::string& sPhrase);
    // Whether keys of matched entries remain to be typed.
    bool TypingUnfinished() const { return !mTyping.empty(); }
    // Types the next portion of what remains, the entries in the order they matched; true while
    // keys remain. A failure drops the entry it happened in.
    bool ContinueTyping();
    // Drops every entry still to be typed; no key stays held down.
    void StopTyping() { mTyping.clear(); }
    // Deletes the application selected in the application list, from the list and the file.
    void DelRunApp();
    // Brings the window named by a window identity text to the front; always false.
    bool SetForeground(const std::string& sComputer);

    const std::string& ClassName() const { return mClassName; }
    void SetClassName(const std::string& sName) { mClassName = sName; }
    const std::string& WindowText() const { return mWindowText; }
    void SetWindowText(const std::string& sText) { mWindowText = sText; }

    // The window in front right after the last matched phrase acted; 0 until then.
    Hwnd LastAppHwnd() const { return mLastAppHwnd; }
    // The record text this instance parsed or built last.
    const std::string& RecordUserName() const { return mRecordUserName; }
    // The file layer of this instance (its record position is the class's record position).
    CFile& File() { return mFile; }

private:
    // Starts a program from a command line; true when it started.
    bool StartProcess(const std::string& commandLine);

    // Keystrokes of a vocabulary entry (CAppKeys.cpp).
    int16_t VocabCheckSteps(const std::string& sPhrase);
    // Sends the next portion of the entries to type; an entry that ends, stops or fails is
    // dropped. True while keys remain. A failure propagates.
    bool TypePortion();

    CFile mFile;
    std::optional<std::vector<std::string>> mTempStore;
    bool mPBClickState = false;
    std::string mVocabularyName;
    std::string mUserName;
    std::string mClassName;
    std::string mWindowText;
    std::string mPathName;
    std::string mRecordUserName;
    Hwnd mLastAppHwnd = 0;
    // The entries still to be typed, the first one being typed.
    std::deque<KeyStepSender> mTyping;
    int32_t mhInstApp = 0;
    int32_t mhProcess = 0;
};
