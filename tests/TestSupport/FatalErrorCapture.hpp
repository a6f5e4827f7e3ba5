#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

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

// What `call`, made on a thread of its own, reported as a fatal error ("" when nothing): the
// main-thread checks of the user interface.
inline std::string fatalErrorOnAnotherThread(const std::function<void()>& call) {
    CaptureFatalErrors capture;
    std::string reported;
    std::thread([&] {
        try {
            call();
        } catch (const FatalErrorThrown& e) {
            reported = e.what();
        }
    }).join();
    return reported;
}

}  // namespace TestSupport
