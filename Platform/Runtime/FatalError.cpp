#include "Runtime/FatalError.hpp"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Runtime {

namespace {
void defaultHandler(std::string_view message) {
    std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
}
std::atomic<FatalErrorHandler> currentHandler{&defaultHandler};
}  // namespace

void fatalError(std::string_view message) {
    currentHandler.load()(message);
    std::abort();
}

FatalErrorHandler setFatalErrorHandler(FatalErrorHandler handler) {
    return currentHandler.exchange(handler ? handler : &defaultHandler);
}

void unimplementedInitializer(std::string_view initializer) {
    fatalError(std::string(initializer) + " has not been implemented");
}

}  // namespace Runtime
