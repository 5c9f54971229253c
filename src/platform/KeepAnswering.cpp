#include "platform/KeepAnswering.h"

#include <thread>

namespace KeepAnswering {
namespace {

constexpr std::chrono::milliseconds kLookEvery{20};

Hook& Installed() {
    static Hook hook;
    return hook;
}

}  // namespace

void Install(Hook hook) {
    Installed() = std::move(hook);
}

void Until(const std::function<bool()>& done, std::chrono::milliseconds time) {
    if (Installed()) {
        Installed()(done, time);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kLookEvery);
    }
}

}  // namespace KeepAnswering
