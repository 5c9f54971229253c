#pragma once

#include <cstdint>

#include "store/CFile.h"

// While it lives, record positions reach only up to last, as if the 16-bit positions ended
// there, so that a file with more records than the positions reach needs only a few.
class RecordPositionLimit {
public:
    explicit RecordPositionLimit(int16_t last) : previous_(CFile::sLastPosition) {
        CFile::sLastPosition = last;
    }
    ~RecordPositionLimit() { CFile::sLastPosition = previous_; }
    RecordPositionLimit(const RecordPositionLimit&) = delete;
    RecordPositionLimit& operator=(const RecordPositionLimit&) = delete;

private:
    int16_t previous_;
};
