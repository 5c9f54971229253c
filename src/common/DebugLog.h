#pragma once

#include <string_view>

// Debug messages of the code that uses no Qt. They go nowhere until a sink is installed; the
// program installs one that writes them to its "vorn" logging category.
namespace DebugLog {

using Sink = void (*)(std::string_view message);

// Installs the sink (nullptr for none) and returns the one installed before.
Sink InstallSink(Sink sink) noexcept;

// Hands an ANSI text to the sink, if any.
void Write(std::string_view message) noexcept;

}  // namespace DebugLog
