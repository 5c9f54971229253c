#pragma once

#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

// Writes a failure that ResumeNext dropped to the debug log.
void LogDroppedFailure(const std::exception& failure) noexcept;

// Runs one step and drops a run-time failure it raises, so that the caller goes on with its
// next statement; returns true when the step completed. Run-time failures are the program's
// ErrorRecord and those the system reports through the standard library (std::runtime_error
// and its kin: system, file-system and stream errors; std::bad_alloc). Anything else is a
// programming error, such as a std::logic_error: it goes on to the caller and up to the event
// handler's boundary, which shows it.
template <class Step>
bool ResumeNext(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::runtime_error& failure) {
        LogDroppedFailure(failure);
    } catch (const std::bad_alloc& failure) {
        LogDroppedFailure(failure);
    }
    return false;
}
