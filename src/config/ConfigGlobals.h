#pragma once

#include <cstdint>

// Where the application window stood after its last restored placement (twips): the
// vocabulary window opens there. 0 until a placement has been restored in this run.
inline int16_t gAppLeft = 0;
inline int16_t gAppTop = 0;
