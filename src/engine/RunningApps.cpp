#include "engine/RunningApps.h"

#include <map>
#include <memory>

#include "common/AnsiText.h"
#include "common/ResumeNext.h"
#include "platform/Platform.h"
#include "store/WindowIdentity.h"

namespace RunningApps {
namespace {

// Orders identity texts ignoring case, so that texts differing only in case are one key.
struct IgnoreCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return Ansi::ToLower(a) < Ansi::ToLower(b);
    }
};

using RunningAppTable = std::map<std::string, Hwnd, IgnoreCaseLess>;

// The running-window table: created on first use, only ever grows while the program runs.
std::unique_ptr<RunningAppTable>& mRunningApps() {
    static std::unique_ptr<RunningAppTable> table;
    return table;
}

RunningAppTable& Table() {
    auto& table = mRunningApps();
    if (!table) table = std::make_unique<RunningAppTable>();
    return *table;
}

// Scratch record of the enumeration callback.
struct EnumInfo {
    std::string Text;
    std::string ClassName;
    int32_t TextLength = 0;
    int32_t ClassLength = 0;
};
EnumInfo mEnumInfo;

constexpr int kNameBufferSize = 256;
constexpr int32_t kTrue = -1;

}  // namespace

bool ListItemExists(const IListControl& lst, const std::string& sText) {
    return lst.FindStringExact(sText, -1) > -1;
}

int32_t FillRunAppListBox(IListControl& lst) {
    lst.Clear();
    for (const Hwnd hWnd : Platform::Windows().EnumWindows()) RunAppEnumProc(hWnd, lst);
    return lst.ListCount();
}

int32_t RunAppEnumProc(Hwnd hWnd, IListControl& lst) {
    IWindowSystem& windows = Platform::Windows();
    if (!windows.IsWindowVisible(hWnd)) return kTrue;
    if (windows.GetParent(hWnd) != 0) return kTrue;
    if (windows.GetOwner(hWnd) != 0) return kTrue;

    mEnumInfo.Text = windows.GetWindowTextA(hWnd, kNameBufferSize);
    mEnumInfo.TextLength = static_cast<int32_t>(mEnumInfo.Text.size());
    mEnumInfo.ClassName = windows.GetClassNameA(hWnd, kNameBufferSize);
    mEnumInfo.ClassLength = static_cast<int32_t>(mEnumInfo.ClassName.size());
    if (mEnumInfo.TextLength == 0) return kTrue;

    mEnumInfo.Text = WindowIdentity::Build(mEnumInfo.ClassName, mEnumInfo.Text);
    mEnumInfo.TextLength = lst.AddItem(mEnumInfo.Text);
    lst.SetItemData(mEnumInfo.TextLength, hWnd);
    RunAppCollectionAdd(hWnd, mEnumInfo.Text);
    return kTrue;
}

void RunAppCollectionAdd(Hwnd hWnd, const std::string& sKey) {
    ResumeNext([&] { Table().emplace(sKey, hWnd); });
}

Hwnd RunningAppHwnd(const std::string& sKey) {
    Hwnd handle = 0;
    ResumeNext([&] {
        const RunningAppTable& table = Table();
        const auto found = table.find(sKey);
        if (found != table.end()) handle = found->second;
    });
    return handle;
}

void ReleaseRunningApps() {
    mRunningApps().reset();
}

bool ActivateWindow(Hwnd hWnd) {
    IWindowSystem& windows = Platform::Windows();
    // Handle 0 names no window, also when no window is in front.
    if (hWnd != 0 && hWnd == windows.GetForegroundWindow()) return true;

    const uint32_t foregroundThread =
        windows.GetWindowThreadProcessId(windows.GetForegroundWindow());
    const uint32_t windowThread = windows.GetWindowThreadProcessId(hWnd);
    bool brought = false;
    if (foregroundThread != windowThread) {
        windows.AttachThreadInput(foregroundThread, windowThread, true);
        brought = windows.SetForegroundWindow(hWnd);
        windows.AttachThreadInput(foregroundThread, windowThread, false);
    } else {
        brought = windows.SetForegroundWindow(hWnd);
    }

    windows.ShowWindow(hWnd, windows.IsIconic(hWnd) ? kSwRestore : kSwShow);
    return brought;
}

}  // namespace RunningApps
