#include "Orrindle/Utilities/UIEventThrottler.hpp"

#include <utility>

#include "Dispatch/Clock.hpp"

namespace Orrindle {

UIEventThrottler::~UIEventThrottler() { cancelAll(); }

void UIEventThrottler::throttle(std::function<void()> action) {
    auto timer = Dispatch::DispatchSourceTimer::make(Dispatch::DispatchQueue::global(Dispatch::QoS::defaultQoS));
    timer->schedule(Dispatch::Clock::shared().now() + interval_, interval_, 0);
    timer->setEventHandler(std::move(action));
    std::shared_ptr<Dispatch::DispatchSourceTimer> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::exchange(timer_, timer);
        timer->resume();
    }
    if (previous) previous->cancel();
}

void UIEventThrottler::cancelAll() {
    std::shared_ptr<Dispatch::DispatchSourceTimer> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::exchange(timer_, nullptr);
    }
    if (previous) previous->cancel();
}

bool UIEventThrottler::hasPendingTimer() const {
    std::lock_guard lock(mutex_);
    return timer_ != nullptr;
}

}  // namespace Orrindle
