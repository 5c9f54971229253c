#include "WaitFor.h"

#include <algorithm>
#include <thread>

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    // Conditions usually ask the X server; polling it ever faster would slow the very client
    // whose window is awaited, so the pause grows from 10 to 100 ms.
    std::chrono::milliseconds pause(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
    }
    return true;
}
