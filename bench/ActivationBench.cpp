// Times window activation and the running-window list on a live X11 desktop. Run it under a
// window manager, e.g.: tests/x11/run-with-openbox.sh build/bench/vorn_activation_bench
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "TestClient.h"
#include "common/ListControl.h"
#include "common/ProgramFolder.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("%-52s n=%3zu  median %7.2f ms  mean %7.2f ms  p95 %7.2f ms  max %7.2f ms\n", what,
                ms.size(), ms[ms.size() / 2], sum / static_cast<double>(ms.size()),
                ms[ms.size() * 95 / 100], ms.back());
}

std::vector<double> TimeRuns(int runs, const std::function<void(int)>& step,
                             const std::function<void(int)>& prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare(i);
        const auto start = Clock::now();
        step(i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ms;
}

}  // namespace

int main() {
    X11Backend::Install();
    IWindowSystem& windows = Platform::Windows();
    Display* display = XOpenDisplay(nullptr);

    std::vector<std::string> requests;
    for (int i = 0; i < 30; ++i)
        requests.push_back("VornBench" + std::to_string(i) + "|Window " + std::to_string(i) + "|");
    TestClient client(requests);
    WaitFor([&] { return windows.EnumWindows().size() >= requests.size(); });
    WaitFor([&] { return windows.IsWindowVisible(client.Window(requests.size() - 1)); });
    const Hwnd a = client.Window(0);
    const Hwnd b = client.Window(1);

    int failures = 0;
    Report("ActivateWindow, switching between two windows", TimeRuns(200, [&](int i) {
               failures += RunningApps::ActivateWindow(i % 2 == 0 ? a : b) ? 0 : 1;
           }));

    Report("ActivateWindow of a minimised window (restores it)",
           TimeRuns(
               50, [&](int) { failures += RunningApps::ActivateWindow(b) ? 0 : 1; },
               [&](int) {
                   RunningApps::ActivateWindow(a);
                   XIconifyWindow(display, static_cast<Window>(b), DefaultScreen(display));
                   XFlush(display);
                   WaitFor([&] { return windows.IsIconic(b); });
               }));

    InMemoryList list;
    Report("FillRunAppListBox with 30 windows",
           TimeRuns(50, [&](int) { RunningApps::FillRunAppListBox(list); }));

    // A whole phrase: the record scan, FindWindow among 30 windows and the activation.
    char folder[] = "/tmp/vorn-bench-XXXXXX";
    SetProgramFolder(mkdtemp(folder));
    CApp app;
    app.VAppAdd("VornBench20 \xA6 Window 20");
    app.AddUserAppName("twenty", "", "", 0);
    app.VAppAdd("VornBench21 \xA6 Window 21");
    app.AddUserAppName("twenty one", "", "", 1);
    Report("AppCheck of a phrase whose window is open",
           TimeRuns(100, [&](int i) { app.AppCheck(i % 2 == 0 ? "twenty" : "twenty one"); }));

    std::printf("activations that failed: %d\n", failures);
    XCloseDisplay(display);
    std::remove((std::string(folder) + "/VAppCmd.txt").c_str());
    std::remove(folder);
    return failures == 0 ? 0 : 1;
}
