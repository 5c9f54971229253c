#pragma once

#include "platform/sim/SimDesktop.h"

// Ends the run unless every key event the simulated desktop logged went to a key, released
// only a key that was down, and left no key held down.
void RequireKeysSentAndReleased(const SimDesktop& desktop);
