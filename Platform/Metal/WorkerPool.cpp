#include "Metal/WorkerPool.hpp"

#include <algorithm>

namespace Metal {

WorkerPool::WorkerPool(int threads) { startHelpers(std::max(1, threads) - 1); }

WorkerPool::~WorkerPool() { stopHelpers(); }

int WorkerPool::threadCount() const {
    std::lock_guard lock(mutex_);
    return int(helpers_.size()) + 1;
}

void WorkerPool::setThreadCount(int threads) {
    std::lock_guard run(runMutex_);
    stopHelpers();
    startHelpers(std::max(1, threads) - 1);
}

void WorkerPool::startHelpers(int helpers) {
    std::lock_guard lock(mutex_);
    stopping_ = false;
    for (int i = 0; i < helpers; ++i) helpers_.emplace_back([this] { helperLoop(); });
}

void WorkerPool::stopHelpers() {
    std::vector<std::thread> helpers;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        helpers.swap(helpers_);
    }
    wake_.notify_all();
    for (auto& t : helpers) t.join();
}

void WorkerPool::work() {
    // Takes items one by one under the lock: an item is a band of rows, so the lock is cheap
    // next to the work.
    std::unique_lock lock(mutex_);
    while (next_ < count_) {
        int i = next_++;
        const auto* body = body_;
        lock.unlock();
        (*body)(i);
        lock.lock();
    }
}

void WorkerPool::helperLoop() {
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_) return;
        seen = generation_;
        ++busy_;
        lock.unlock();
        work();
        lock.lock();
        if (--busy_ == 0) done_.notify_all();
    }
}

void WorkerPool::run(int count, const std::function<void(int)>& body) {
    if (count <= 0) return;
    std::lock_guard run(runMutex_);
    {
        std::lock_guard lock(mutex_);
        body_ = &body;
        count_ = count;
        next_ = 0;
        ++generation_;
    }
    wake_.notify_all();
    work();
    std::unique_lock lock(mutex_);
    // Every item is taken; wait for the helpers still finishing theirs.
    done_.wait(lock, [&] { return busy_ == 0; });
    body_ = nullptr;
    count_ = 0;
}

}  // namespace Metal
