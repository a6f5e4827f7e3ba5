#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "TestSupport/RealtimeCheck.hpp"

namespace EngineTests {
namespace {

using TestSupport::RealtimeCheck;

// Keeps the compiler from eliding an allocation it can see through.
void* volatile escape;

TEST(RealtimeCheck, CountsAllocationsAndDeallocationsOfTheArmedThread) {
    RealtimeCheck check(RealtimeCheck::Mode::record);
    {
        auto block = std::make_unique<std::vector<int>>(100);
        escape = block.get();
    }
    const auto seen = check.violations();
    EXPECT_GE(seen.allocations, 2u);
    EXPECT_GE(seen.deallocations, 2u);
    EXPECT_EQ(seen.locks, 0u);
}

TEST(RealtimeCheck, SeesMallocAndLocksWhereNoSanitizerOwnsThem) {
    if (!RealtimeCheck::interceptsMallocAndLocks()) GTEST_SKIP() << "a sanitizer owns malloc and the locks";
    std::mutex mutex;
    RealtimeCheck check(RealtimeCheck::Mode::record);
    escape = std::malloc(16);
    std::free(escape);
    { std::lock_guard<std::mutex> lock(mutex); }
    const auto seen = check.violations();
    EXPECT_EQ(seen.allocations, 1u);
    EXPECT_EQ(seen.deallocations, 1u);
    EXPECT_EQ(seen.locks, 1u);
}

TEST(RealtimeCheck, FailsTheTestOnAViolationAndPassesCleanCode) {
    EXPECT_NONFATAL_FAILURE(
        {
            RealtimeCheck check;
            escape = new int(3);
            delete static_cast<int*>(escape);
        },
        "not real-time safe: 1 allocation(s), 1 deallocation(s)");
    RealtimeCheck clean;
    int stack[4] = {1, 2, 3, 4};
    escape = stack;
    EXPECT_FALSE(clean.violations().any());
}

TEST(RealtimeCheck, OnlyTheArmedThreadIsWatchedAndChecksNest) {
    RealtimeCheck outer(RealtimeCheck::Mode::record);
    std::thread([] {
        auto block = std::make_unique<int>(1);
        escape = block.get();
    }).join();
    const auto afterThread = outer.violations();
    {
        RealtimeCheck inner(RealtimeCheck::Mode::record);
        escape = new int(1);
        delete static_cast<int*>(escape);
        EXPECT_EQ(inner.violations().allocations, 1u);
    }
    EXPECT_EQ(outer.violations().allocations, afterThread.allocations + 1);
}

TEST(RealtimeCheck, DisarmsWhenTheScopeEnds) {
    RealtimeCheck::Mode mode = RealtimeCheck::Mode::record;
    std::size_t before;
    {
        RealtimeCheck check(mode);
        before = check.violations().allocations;
    }
    escape = new int(1);  // not inside any check: must not fail this test
    delete static_cast<int*>(escape);
    EXPECT_EQ(before, 0u);
}

}  // namespace
}  // namespace EngineTests
