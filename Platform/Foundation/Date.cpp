#include "Foundation/Date.hpp"

#include <chrono>

#include "Dispatch/Clock.hpp"

namespace Foundation {

Date Date::now() {
    auto& clock = Dispatch::Clock::shared();
    if (clock.isVirtual()) return Date(clock.now());
    using namespace std::chrono;
    return fromTimeIntervalSince1970(duration<double>(system_clock::now().time_since_epoch()).count());
}

}  // namespace Foundation
