// The half of CApp that turns a recognised phrase into an application in front.
#include <filesystem>
#include <string>

#include "common/AnsiText.h"
#include "common/AppErrors.h"
#include "common/ErrorRecord.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"
#include "common/ResumeNext.h"
#include "engine/CApp.h"
#include "engine/MainWindowLink.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "store/AppRecord.h"
#include "store/RecordScan.h"
#include "store/WindowIdentity.h"

namespace {

constexpr int32_t kSucceeded = -1;
constexpr int32_t kLastShellErrorCode = 32;

std::string ErrorText(const ErrorRecord& error) {
    return "Error: " + std::to_string(error.Number()) + ". " + error.Description();
}

std::string CurrentDirectory() {
    std::error_code ec;
    return Ansi::FromUtf8(std::filesystem::current_path(ec).string());
}

}  // namespace

int16_t CApp::AppCheck(const std::string& sPhrase) {
    int16_t result = 0;
    ResumeNext([&] { mFile.FileClose(); });
    mFile.InitRecord();
    const OpenRecordFile open(mFile);

    // Every step that fails is passed over; the scan ends at the end of the file, or when the
    // file cannot be read at all.
    ScanRecords(mFile, ScanFailures::PassOver, [&](const std::string& text) {
        const AppRecord record = AppRecord::Parse(text);
        mRecordUserName = record.userName;
        SetVocabularyName(record.vocabularyName);
        SetPathName(record.pathName);
        if (sPhrase.empty()) return ScanStep::Stop;
        if (record.userName != sPhrase) return ScanStep::Next;

        ResumeNext([] { MainWindowLink::RunOnApplicationMatched(); });
        ResumeNext([&] { mFile.FileType(false, mFile.RecordNumber()); });
        const WindowIdentity::Parts window = WindowIdentity::Split(record.identity);
        SetClassName(window.className);
        SetWindowText(window.title);
        Hwnd found = 0;
        ResumeNext([&] { found = Platform::Windows().FindWindowA(ClassName(), WindowText()); });
        bool activated = false;
        ResumeNext([&] { activated = RunningApps::ActivateWindow(found); });
        if (!activated) ResumeNext([&] { ShellApp(); });
        ResumeNext([&] { mLastAppHwnd = Platform::Windows().GetForegroundWindow(); });
        result = 1;
        return ScanStep::Stop;
    });
    return result;
}

void CApp::ShellApp() {
    bool started = true;
    const bool completed = ResumeNext([&] {
        if (Ansi::ContainsIgnoreCase(mRecordUserName, "explorer")) {
            started = Platform::Processes().Shell(PathName(), kSwShowNormal) != 0;
        } else if (!PathName().empty() && !StartProcess(PathName())) {
            started = LaunchDocument2(MainWindowLink::WindowHandle(), PathName(),
                                      CurrentDirectory(), kSwShowNormal) == kSucceeded;
        }
    });
    if (!completed || !started) RunningApps::RaiseAppError(AppError::kShellFailed);
}

int32_t CApp::LaunchDocument2(Hwnd lnghWnd, const std::string& strDocument,
                              const std::string& strStartIn, int32_t eShowStyle) {
    (void)lnghWnd;  // the desktop opens documents without an owner window
    mhInstApp = 0;
    mhProcess = 0;
    try {
        const ShellExecuteResult opened = Platform::Processes().ShellExecuteExA(
            "Open", strDocument, "", strStartIn, eShowStyle, true);
        mhInstApp = opened.hInstApp;
        mhProcess = opened.hProcess;
        return opened.hInstApp <= kLastShellErrorCode ? opened.hInstApp : kSucceeded;
    } catch (const ErrorRecord& error) {
        Dialogs::MsgBox(ErrorText(error), MsgButtons::OK, MsgIcon::None, "LaunchDocument");
        return 0;
    }
}

int32_t CApp::Explore(Hwnd lnghWnd, const std::string& strFolder, int32_t eShowStyle) {
    (void)lnghWnd;
    mhInstApp = 0;
    mhProcess = 0;
    try {
        const int32_t code = Platform::Processes().ShellExecuteA("explore", strFolder, eShowStyle);
        return code <= kLastShellErrorCode ? code : kSucceeded;
    } catch (const ErrorRecord& error) {
        Dialogs::MsgBox(ErrorText(error), MsgButtons::OK, MsgIcon::None, "Explore");
        return 0;
    }
}

bool CApp::SetForeground(const std::string& sComputer) {
    ResumeNext([&] {
        try {
            const WindowIdentity::Parts window = WindowIdentity::Split(sComputer);
            if (window.className.empty() && window.title.empty()) {
                PlatformError::Raise(PlatformError::kInvalidProcedureCall);
            }
            RunningApps::ActivateWindow(
                Platform::Windows().FindWindowA(window.className, window.title));
        } catch (const ErrorRecord& error) {
            if (error.Number() != PlatformError::kInvalidProcedureCall) throw;
            Dialogs::MsgBox("No application selected to activate.", MsgButtons::OK,
                            MsgIcon::Information, "No Application Selected");
        }
    });
    return false;
}

bool CApp::StartProcess(const std::string& commandLine) {
    return Platform::Processes().CreateProcessA(commandLine);
}
