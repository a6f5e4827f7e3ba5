#pragma once
#include <string_view>

namespace Runtime {

// States that cannot occur stop the program through one replaceable handler.
// The default prints "Fatal error: <message>" to stderr and aborts. A replacement may
// throw (tests do); if it returns, the program aborts anyway.
using FatalErrorHandler = void (*)(std::string_view message);

[[noreturn]] void fatalError(std::string_view message);
FatalErrorHandler setFatalErrorHandler(FatalErrorHandler handler);  // returns the previous one

// The report of an initialiser that a class does not implement.
[[noreturn]] void unimplementedInitializer(std::string_view initializer);

}  // namespace Runtime
