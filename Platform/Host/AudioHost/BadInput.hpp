#pragma once
#include <stdexcept>
#include <string>

namespace AudioHost {

// Input the host cannot use: a file, an option or a value. The message is one line that names
// what is wrong and, where it helps, what would be accepted. The command exits with status 2.
class BadInput : public std::runtime_error {
public:
    explicit BadInput(const std::string& message) : std::runtime_error(message) {}
};

// The hosted unit failed (creation, allocation, a render status). Exit status 1.
class UnitFailure : public std::runtime_error {
public:
    explicit UnitFailure(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace AudioHost
