#include "TestSupport/RealtimeCheck.hpp"

#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

// A sanitizer owns malloc and the lock functions; then only operator new is watched.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VZ_REALTIME_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VZ_REALTIME_SANITIZED 1
#endif
#endif
#ifndef VZ_REALTIME_SANITIZED
#define VZ_REALTIME_SANITIZED 0
#endif

namespace {

struct ThreadState {
    int armed = 0;
    TestSupport::RealtimeViolations counts;
};

// initial-exec: reading it never allocates, not even on a thread's first access.
__attribute__((tls_model("initial-exec"))) thread_local ThreadState threadState;

inline void noteAllocation() {
    if (threadState.armed > 0) ++threadState.counts.allocations;
}
inline void noteDeallocation(const void* pointer) {
    if (pointer && threadState.armed > 0) ++threadState.counts.deallocations;
}
inline void noteLock() {
    if (threadState.armed > 0) ++threadState.counts.locks;
}

}  // namespace

#if !VZ_REALTIME_SANITIZED
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);

void* malloc(std::size_t size) noexcept {
    noteAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    noteAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) noexcept {
    noteAllocation();
    noteDeallocation(pointer);
    return __libc_realloc(pointer, size);
}
void free(void* pointer) noexcept {
    noteDeallocation(pointer);
    __libc_free(pointer);
}
}

namespace {
void* rawAllocate(std::size_t size) { return __libc_malloc(size); }
void* rawAllocateAligned(std::size_t size, std::size_t alignment) { return __libc_memalign(alignment, size); }
void rawFree(void* pointer) { __libc_free(pointer); }

// The next definition of a lock function (libc's), found without any lock of our own.
template <typename Fn>
Fn next(std::atomic<Fn>& cache, const char* name) {
    Fn fn = cache.load(std::memory_order_acquire);
    if (!fn) {
        fn = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
        cache.store(fn, std::memory_order_release);
    }
    return fn;
}
}  // namespace

// Semaphore waits are cancellation points, so libc declares them without noexcept.
#define VZ_INTERCEPT_LOCK(name, Arg) VZ_INTERCEPT_LOCK_SPEC(name, Arg, noexcept)
#define VZ_INTERCEPT_LOCK_SPEC(name, Arg, spec)                        \
    extern "C" int name(Arg* object) spec {                            \
        noteLock();                                                    \
        static std::atomic<int (*)(Arg*)> real{nullptr};               \
        return next(real, #name)(object);                              \
    }
#define VZ_INTERCEPT_TIMED_LOCK(name, Arg, spec)                                  \
    extern "C" int name(Arg* object, const struct timespec* timeout) spec {       \
        noteLock();                                                               \
        static std::atomic<int (*)(Arg*, const struct timespec*)> real{nullptr};  \
        return next(real, #name)(object, timeout);                                \
    }

VZ_INTERCEPT_LOCK(pthread_mutex_lock, pthread_mutex_t)
VZ_INTERCEPT_LOCK(pthread_mutex_trylock, pthread_mutex_t)
VZ_INTERCEPT_TIMED_LOCK(pthread_mutex_timedlock, pthread_mutex_t, noexcept)
VZ_INTERCEPT_LOCK(pthread_rwlock_rdlock, pthread_rwlock_t)
VZ_INTERCEPT_LOCK(pthread_rwlock_wrlock, pthread_rwlock_t)
VZ_INTERCEPT_LOCK(pthread_rwlock_tryrdlock, pthread_rwlock_t)
VZ_INTERCEPT_LOCK(pthread_rwlock_trywrlock, pthread_rwlock_t)
VZ_INTERCEPT_LOCK(pthread_spin_lock, pthread_spinlock_t)
VZ_INTERCEPT_LOCK(pthread_spin_trylock, pthread_spinlock_t)
VZ_INTERCEPT_LOCK_SPEC(sem_wait, sem_t, )
VZ_INTERCEPT_LOCK(sem_trywait, sem_t)
VZ_INTERCEPT_TIMED_LOCK(sem_timedwait, sem_t, )

#else
namespace {
void* rawAllocate(std::size_t size) { return std::malloc(size); }
void* rawAllocateAligned(std::size_t size, std::size_t alignment) {
    void* pointer = nullptr;
    return posix_memalign(&pointer, alignment < sizeof(void*) ? sizeof(void*) : alignment, size) == 0 ? pointer
                                                                                                       : nullptr;
}
void rawFree(void* pointer) { std::free(pointer); }
}  // namespace
#endif

// The global allocation functions, replaced for the whole test binary.
namespace {
void* allocate(std::size_t size, std::size_t alignment, bool nothrow) {
    noteAllocation();
    if (size == 0) size = 1;
    for (;;) {
        void* pointer = alignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__ ? rawAllocateAligned(size, alignment)
                                                                     : rawAllocate(size);
        if (pointer) return pointer;
        std::new_handler handler = std::get_new_handler();
        if (!handler) {
            if (nothrow) return nullptr;
            throw std::bad_alloc();
        }
        handler();
    }
}
void deallocate(void* pointer) noexcept {
    noteDeallocation(pointer);
    rawFree(pointer);
}
}  // namespace

void* operator new(std::size_t size) { return allocate(size, 0, false); }
void* operator new[](std::size_t size) { return allocate(size, 0, false); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0, true); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0, true); }
void* operator new(std::size_t size, std::align_val_t align) { return allocate(size, std::size_t(align), false); }
void* operator new[](std::size_t size, std::align_val_t align) { return allocate(size, std::size_t(align), false); }
void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return allocate(size, std::size_t(align), true);
}
void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return allocate(size, std::size_t(align), true);
}
void operator delete(void* pointer) noexcept { deallocate(pointer); }
void operator delete[](void* pointer) noexcept { deallocate(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { deallocate(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { deallocate(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { deallocate(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { deallocate(pointer); }
void operator delete(void* pointer, std::align_val_t) noexcept { deallocate(pointer); }
void operator delete[](void* pointer, std::align_val_t) noexcept { deallocate(pointer); }
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept { deallocate(pointer); }
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept { deallocate(pointer); }
void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { deallocate(pointer); }
void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { deallocate(pointer); }

namespace TestSupport {

namespace {
RealtimeViolations since(const RealtimeViolations& start) {
    const RealtimeViolations& now = threadState.counts;
    return {now.allocations - start.allocations, now.deallocations - start.deallocations, now.locks - start.locks};
}
}  // namespace

RealtimeCheck::RealtimeCheck(Mode mode) : mode_(mode), start_(threadState.counts) { ++threadState.armed; }

RealtimeCheck::~RealtimeCheck() {
    const RealtimeViolations seen = since(start_);
    --threadState.armed;
    if (mode_ == Mode::fail && seen.any()) {
        ADD_FAILURE() << "not real-time safe: " << seen.allocations << " allocation(s), " << seen.deallocations
                      << " deallocation(s), " << seen.locks << " lock(s) on the checked thread";
    }
}

RealtimeViolations RealtimeCheck::violations() const { return since(start_); }

bool RealtimeCheck::interceptsMallocAndLocks() { return !VZ_REALTIME_SANITIZED; }

}  // namespace TestSupport
