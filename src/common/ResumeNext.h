#pragma once

#include <exception>
#include <utility>

// Runs one step and drops any failure it raises, so that the caller goes on with its next
// statement. Returns true when the step completed.
template <class Step>
bool ResumeNext(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}
