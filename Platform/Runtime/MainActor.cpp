#include "Runtime/MainActor.hpp"

#include <thread>

#include "Runtime/FatalError.hpp"

namespace Runtime {

namespace {
// Static initialisation of a shared library runs on the thread that loads it: for every
// library the executable links, that is the process's initial thread.
const std::thread::id mainThreadId = std::this_thread::get_id();
}  // namespace

bool isMainThread() { return std::this_thread::get_id() == mainThreadId; }

void assertMainActor() {
    if (!isMainThread()) fatalError("this code must run on the main actor");
}

}  // namespace Runtime
