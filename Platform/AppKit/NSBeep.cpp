#include "AppKit/NSBeep.hpp"

#include <atomic>

namespace AppKit {

namespace {
std::atomic<int> beeps{0};
}

void NSBeep() { beeps.fetch_add(1, std::memory_order_relaxed); }
int beepCount() { return beeps.load(std::memory_order_relaxed); }

}  // namespace AppKit
