// The half of CApp that turns a recognised phrase into keystrokes: the entry of the phrase in
// the vocabulary of the application in front, whose keys are parsed and sent.
#include <optional>

#include "common/ResumeNext.h"
#include "engine/CApp.h"
#include "engine/KeyNotation.h"
#include "engine/KeyStepSender.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "store/AppRecord.h"
#include "store/RecordScan.h"
#include "store/WindowIdentity.h"

namespace {

constexpr int kTextBufferSize = 256;
// Keys typed in one go before the program answers again: a few tens of milliseconds on X11.
constexpr int kKeysPerPortion = 64;

// The window identity text of a window.
std::string WindowIdentityOf(Hwnd hWnd) {
    IWindowSystem& windows = Platform::Windows();
    const std::string title = windows.GetWindowTextA(hWnd, kTextBufferSize);
    return WindowIdentity::Build(windows.GetClassNameA(hWnd, kTextBufferSize), title);
}

}  // namespace

int16_t CApp::VocabCheck(const std::string& sPhrase) {
    int16_t result = 0;
    // A failure ends the check; what was typed stays typed.
    if (!ResumeNext([&] { result = VocabCheckSteps(sPhrase); })) return 0;
    return result;
}

int16_t CApp::VocabCheckSteps(const std::string& sPhrase) {
    IWindowSystem& windows = Platform::Windows();
    struct {
        Hwnd hWnd = 0;
        Hwnd foreground = 0;
    } windowInfo;
    windowInfo.foreground = windows.GetForegroundWindow();

    // The application record of the window in front; a window no record knows (handle 0)
    // matches nothing, so that the fallback below applies.
    bool inFront = false;
    mFile.InitRecord();
    {
        const OpenRecordFile open(mFile);
        ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
            windowInfo.hWnd = RunningApps::RunningAppHwnd(AppRecord::Parse(text).identity);
            inFront = windowInfo.hWnd != 0 && windowInfo.hWnd == windowInfo.foreground;
            return inFront ? ScanStep::Stop : ScanStep::Next;
        });
    }
    if (!inFront) windowInfo.hWnd = mLastAppHwnd;

    // The vocabulary of the first completed record that names that window as it is now.
    const std::string identity = WindowIdentityOf(windowInfo.hWnd);
    std::optional<std::string> vocabulary;
    mFile.InitRecord();
    {
        const OpenRecordFile open(mFile);
        ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& text) {
            const AppRecord record = AppRecord::Parse(text);
            if (!record.completed || record.identity != identity) return ScanStep::Next;
            vocabulary = record.vocabularyName;
            return ScanStep::Stop;
        });
    }
    // An empty name names no vocabulary file; opening it would create one.
    if (!vocabulary || vocabulary->empty()) return 0;

    // The entry whose word is the phrase.
    std::optional<std::string> keys;
    mFile.InitRecord();
    const OpenRecordFile open(mFile, true, *vocabulary);
    ScanRecords(mFile, ScanFailures::Propagate, [&](const std::string& entry) {
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos || entry.substr(0, colon) != sPhrase) return ScanStep::Next;
        keys = entry.substr(colon + 1);
        return ScanStep::Stop;
    });
    // An entry with empty keys types nothing.
    if (!keys || keys->empty()) return 0;

    // Never type into a window of this program.
    const Hwnd front = windows.GetForegroundWindow();
    if (windows.GetWindowTextA(front, kTextBufferSize).find("Vorn") != std::string::npos) {
        return 0;
    }

    // The keys go to the window in front now, after those of the entries matched before.
    mTyping.emplace_back(ParseKeyNotation(*keys), front);
    if (mTyping.size() == 1) TypePortion();
    return 2;
}

bool CApp::TypePortion() {
    while (!mTyping.empty()) {
        bool keysRemain = false;
        try {
            keysRemain = mTyping.front().SendPortion(kKeysPerPortion);
        } catch (...) {
            mTyping.pop_front();
            throw;
        }
        if (keysRemain) return true;
        mTyping.pop_front();
    }
    return false;
}

bool CApp::ContinueTyping() {
    ResumeNext([&] { TypePortion(); });
    return TypingUnfinished();
}
