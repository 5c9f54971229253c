#pragma once

#include <functional>

// SIGTERM (logout, shutdown, kill), SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal
// closed) as requests to end the program, handled by the event loop instead of ending the
// process on the spot. The signal handler only writes a byte to a pipe; the event loop reads it.
namespace TerminationSignals {

// Catches the three signals from now on; those that come before Watch wait for it. When no
// pipe can be made, they keep their default action.
void Install();

// Calls onSignal from the event loop once for the signals caught since it last ran.
void Watch(std::function<void()> onSignal);

}  // namespace TerminationSignals
