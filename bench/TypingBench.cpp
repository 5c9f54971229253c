// Times typing a vocabulary entry's keys with the X11 keyboard, per key, and the check of the
// keyboard focus that guards each key. Run it under a window manager, e.g.:
//   tests/x11/run-with-openbox.sh build/bench/typing_bench
#include <benchmark/benchmark.h>

#include "TestClient.h"
#include "engine/KeyNotation.h"
#include "engine/KeyStepSender.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

namespace {

Hwnd target = 0;

// What guards each key that goes down: the focus held, and asked while it is held.
void BM_FocusCheck(benchmark::State& state) {
    IWindowSystem& windows = Platform::Windows();
    for (auto _ : state) {
        const auto hold = windows.HoldKeyboardFocus();
        if (!windows.HasKeyboardFocus(target)) {
            state.SkipWithError("the focus moved");
            break;
        }
    }
}
BENCHMARK(BM_FocusCheck)->Unit(benchmark::kMicrosecond);

// The full answer, for comparison.
void BM_GetForegroundWindow(benchmark::State& state) {
    IWindowSystem& windows = Platform::Windows();
    for (auto _ : state) {
        if (windows.GetForegroundWindow() != target) state.SkipWithError("the window changed");
    }
}
BENCHMARK(BM_GetForegroundWindow)->Unit(benchmark::kMicrosecond);

void TypeKeys(benchmark::State& state, const char* keys, int keyCount) {
    const std::vector<KeyStep> steps = ParseKeyNotation(keys);
    for (auto _ : state) KeyStepSender(steps, target).SendPortion(keyCount);
    if (!Platform::Windows().HasKeyboardFocus(target)) state.SkipWithError("the focus moved");
    state.counters["per key"] =
        benchmark::Counter(static_cast<double>(keyCount) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// A named key repeated: the case of a long entry.
BENCHMARK_CAPTURE(TypeKeys, NamedKey, "{BKSP 100}", 100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// An ordinary short entry: a key with a modifier.
BENCHMARK_CAPTURE(TypeKeys, Shortcut, "^s", 2)->Unit(benchmark::kMicrosecond)->UseRealTime();
// Characters as the layout types them, some with Shift, and a modifier group.
BENCHMARK_CAPTURE(TypeKeys, Text, "Hello, World!^s", 15)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    X11Backend::Install();
    TestClient client({"VornTypingBench|Typing bench|"});
    target = client.Window(0);
    if (!WaitFor([] { return RunningApps::ActivateWindow(target); })) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
