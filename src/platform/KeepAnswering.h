#pragma once

#include <chrono>
#include <functional>

// Waits on the user-interface thread that keep the program answering: the program installs a
// hook that answers its events while it waits; without one (tests without windows) a wait
// sleeps between its looks.
namespace KeepAnswering {

// Answers events until done() is true, the time is up, or the program is ending.
using Hook = std::function<void(const std::function<bool()>& done, std::chrono::milliseconds)>;

// An empty hook makes waits sleep again.
void Install(Hook hook);

// Waits until done() is true, the time is up, or the program is ending.
void Until(const std::function<bool()>& done, std::chrono::milliseconds time);

}  // namespace KeepAnswering
