#pragma once
#include <functional>

#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/RunLoop.hpp"

namespace Combine {

// Where an operator such as receiveOn delivers: a dispatch queue or the main run loop. Work
// is always queued, also when the caller is already on that queue's thread.
class Scheduler {
public:
    Scheduler(Dispatch::DispatchQueue& queue) : schedule_([&queue](std::function<void()> w) { queue.async(std::move(w)); }) {}
    Scheduler(Dispatch::RunLoop& loop) : schedule_([&loop](std::function<void()> w) { loop.perform(std::move(w)); }) {}

    void schedule(std::function<void()> work) const { schedule_(std::move(work)); }

private:
    std::function<void(std::function<void()>)> schedule_;
};

}  // namespace Combine
