#include "Dispatch/Timer.hpp"

namespace Dispatch {

Timer::Timer(double interval, bool repeats, Block block)
    : interval_(interval > 0 ? interval : 0.0001), repeats_(repeats), block_(std::move(block)) {}

std::shared_ptr<Timer> Timer::make(double interval, bool repeats, Block block) {
    return std::shared_ptr<Timer>(new Timer(interval, repeats, std::move(block)));
}

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, bool repeats, Block block) {
    auto t = make(interval, repeats, std::move(block));
    RunLoop::main().add(t);
    return t;
}

void Timer::invalidate() { valid_.store(false); }

void Timer::fire() {
    if (block_) block_(*this);
}

}  // namespace Dispatch
