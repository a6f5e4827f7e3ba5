#pragma once

namespace Runtime {

// The main thread is the thread that loaded this library (the process's initial thread).
bool isMainThread();

// User-interface entry points call this; off the main thread it is a fatal error.
void assertMainActor();

}  // namespace Runtime
