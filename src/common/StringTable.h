#pragma once

#include <cstdint>
#include <string>

// The program's string table of messages (US English).
// Returns the text of row id; throws std::out_of_range for an id the table does not hold.
const std::string& LoadResString(int32_t id);
