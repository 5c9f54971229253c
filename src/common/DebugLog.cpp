#include "common/DebugLog.h"

#include <atomic>

namespace {

// Read by any thread, installed once at start-up (and by tests).
std::atomic<DebugLog::Sink> installedSink{nullptr};

}  // namespace

DebugLog::Sink DebugLog::InstallSink(Sink sink) noexcept {
    return installedSink.exchange(sink);
}

void DebugLog::Write(std::string_view message) noexcept {
    const Sink sink = installedSink.load();
    if (sink == nullptr) return;
    try {
        sink(message);
    } catch (...) {
        // A message the sink could not take is lost; the program goes on.
    }
}
