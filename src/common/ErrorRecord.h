#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The one error type of the system: a numbered error with its source and description.
// Application errors carry a string-table id; platform failures carry the platform's number.
class ErrorRecord : public std::runtime_error {
public:
    ErrorRecord(int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};
