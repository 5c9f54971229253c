#pragma once

#include <functional>

// Runs an event handler that traps nothing. A failure that reaches it shows its message and
// the program goes on: a voice tool living in the background must not die on one bad record.
void RunHandler(const std::function<void()>& handler) noexcept;
