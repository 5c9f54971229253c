#include "listening/SingleInstance.h"

#include <chrono>
#include <cstdlib>
#include <ostream>
#include <thread>

#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "store/InstanceLock.h"

namespace SingleInstance {
namespace {

constexpr const char* kMainWindowTitle = "Vorn! Voice Control";
constexpr auto kStartingWait = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(100);

// The display the program runs on, as both instances name it.
std::string CurrentDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display == nullptr ? std::string() : std::string(display);
}

std::optional<InstanceLock::MainWindow> WaitForPublishedWindow(const std::string& folder) {
    const auto deadline = std::chrono::steady_clock::now() + kStartingWait;
    for (;;) {
        auto published = InstanceLock::Published(folder);
        if (published || std::chrono::steady_clock::now() >= deadline) return published;
        std::this_thread::sleep_for(kPoll);
    }
}

}  // namespace

void PublishMainWindow(InstanceLock& lock, uint32_t window) {
    lock.Publish(CurrentDisplay(), window);
}

int BringRunningInstanceToFront(const std::string& folder, std::ostream& messages) {
    messages << kMainWindowTitle << " is already running on the folder \"" << folder << "\"";
    const auto published = WaitForPublishedWindow(folder);
    if (published && published->display != CurrentDisplay()) {
        messages << " on the display \"" << published->display << "\".\n";
        return 1;
    }
    // The window must still be that instance's main window before it is brought forward.
    const auto window = published ? static_cast<Hwnd>(published->window) : 0;
    if (window != 0 && Platform::Windows().GetWindowTextA(window, 256) == kMainWindowTitle &&
        RunningApps::ActivateWindow(window)) {
        messages << ": its window is brought to the front.\n";
        return 0;
    }
    messages << ", but its window could not be brought to the front.\n";
    return 1;
}

}  // namespace SingleInstance
