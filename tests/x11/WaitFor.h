#pragma once

#include <chrono>
#include <functional>

// Polls the condition, less often as time goes by, until it holds or the time is over; true
// when it held. The time is generous: every caller expects the condition to come true, and
// programs and windows start slowly on a loaded machine.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::seconds(15));
