#pragma once

#include <chrono>
#include <functional>

// Polls the condition until it holds or the time is over; true when it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
