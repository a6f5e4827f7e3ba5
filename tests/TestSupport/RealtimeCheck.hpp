#pragma once
#include <cstddef>

namespace TestSupport {

// What the current thread did while a check was armed.
struct RealtimeViolations {
    std::size_t allocations = 0;    // operator new, malloc, calloc, realloc
    std::size_t deallocations = 0;  // operator delete, free, realloc
    std::size_t locks = 0;          // mutex, rwlock, spin lock, semaphore and condition waits
    bool any() const { return allocations + deallocations + locks > 0; }
};

// Arms the real-time check on the calling thread for its lifetime: every allocation,
// deallocation or lock taken on this thread meanwhile is counted, and unless the check was
// made with Mode::record, the destructor fails the current test with the counts. Checks
// nest. Other threads are never affected, and an unarmed thread pays one thread-local
// read per allocation or lock.
//
// Allocation is seen through the global operator new/delete in every build and through
// malloc and friends in builds without a sanitizer (a sanitizer owns malloc); locks are seen
// in builds without a sanitizer.
class RealtimeCheck {
public:
    enum class Mode { fail, record };
    explicit RealtimeCheck(Mode mode = Mode::fail);
    ~RealtimeCheck();
    RealtimeCheck(const RealtimeCheck&) = delete;
    RealtimeCheck& operator=(const RealtimeCheck&) = delete;

    // Counts since this check was armed.
    RealtimeViolations violations() const;

    // Whether malloc and locks are intercepted in this build (operator new always is).
    static bool interceptsMallocAndLocks();

private:
    Mode mode_;
    RealtimeViolations start_;
};

// Runs f under a failing check and returns its result.
template <typename F>
decltype(auto) realtime(F&& f) {
    RealtimeCheck check;
    return f();
}

}  // namespace TestSupport
