#pragma once

#include <vector>

#include "engine/KeyNotation.h"

// Sends key steps through the platform's keyboard in order: characters through CKeyboard, the
// other keys by virtual-key code. A failure stops the sending and leaves no key held down.
void SendKeySteps(const std::vector<KeyStep>& steps);
