// End of speech -> keys received: the real program on a display of its own with a private
// PulseAudio; a synthesised word of the key logger's vocabulary is spoken again and again, and
// the time from the end of the speech to the logger's first key press is printed.
// Run it as: tests/x11/run-with-openbox.sh build/bench/vorn_end_to_end_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "VornSession.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    X11Backend::Install();
    VornSession session;
    for (int attempt = 0; attempt < 3; ++attempt) {
        session.Say("key logger");
        if (WaitFor(
                [&] { return Platform::Windows().GetForegroundWindow() == session.LoggerWindow(); },
                std::chrono::seconds(5))) {
            break;
        }
    }
    std::vector<double> latencies;
    int missed = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto saying = session.StartSaying("hello");
        // The logger's lines are read as they come, while the phrase is still playing.
        std::string line;
        std::chrono::steady_clock::time_point pressed{};
        for (line = session.Logger().NextLine(std::chrono::seconds(4)); !line.empty();
             line = session.Logger().NextLine(std::chrono::milliseconds(600))) {
            if (line.rfind("press ", 0) == 0 &&
                pressed == std::chrono::steady_clock::time_point{}) {
                pressed = std::chrono::steady_clock::now();
            }
        }
        saying.player->Wait();
        if (pressed == std::chrono::steady_clock::time_point{}) {
            ++missed;
            continue;
        }
        latencies.push_back(
            std::chrono::duration<double, std::milli>(pressed - saying.speechEnd).count());
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::printf("no word was typed in %d rounds\n", rounds);
        return 1;
    }
    auto at = [&](double q) {
        return latencies[static_cast<std::size_t>(q * static_cast<double>(latencies.size() - 1))];
    };
    std::printf("end of speech -> first key received, %zu of %d rounds (%d missed)\n",
                latencies.size(), rounds, missed);
    std::printf("  min %.0f ms  median %.0f ms  p90 %.0f ms  max %.0f ms\n", latencies.front(),
                at(0.5), at(0.9), latencies.back());
    return 0;
}
