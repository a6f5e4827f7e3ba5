#pragma once
#include <stdexcept>
#include <string>

#include "Runtime/FatalError.hpp"

namespace TestSupport {

// Turns fatal errors into exceptions for the scope of one test.
struct FatalErrorThrown : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class CaptureFatalErrors {
public:
    CaptureFatalErrors() : previous_(Runtime::setFatalErrorHandler(&raise)) {}
    ~CaptureFatalErrors() { Runtime::setFatalErrorHandler(previous_); }

private:
    static void raise(std::string_view message) { throw FatalErrorThrown(std::string(message)); }
    Runtime::FatalErrorHandler previous_;
};

}  // namespace TestSupport
