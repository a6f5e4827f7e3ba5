#pragma once
#include <gtest/gtest.h>

#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"

namespace TestSupport {

// Drives the main run loop on virtual time, so timers fire only when a test advances it.
class VirtualTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dispatch::Clock::shared().useVirtualTime(1000.0);
        loop().runUntilIdle();
    }
    void TearDown() override {
        loop().runUntilIdle();
        Dispatch::Clock::shared().useRealTime();
    }
    static Dispatch::RunLoop& loop() { return Dispatch::RunLoop::main(); }
    static void drain() { Dispatch::RunLoop::main().runUntilIdle(); }
};

}  // namespace TestSupport
