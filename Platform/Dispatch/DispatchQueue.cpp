#include "Dispatch/DispatchQueue.hpp"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "Dispatch/RunLoop.hpp"
#include "Dispatch/Timer.hpp"
#include "Runtime/MainActor.hpp"

namespace Dispatch {

namespace {

std::atomic<bool> stopping{false};

class ThreadPool {
public:
    explicit ThreadPool(unsigned count) {
        for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { work(); });
    }
    // At exit: the workers end once the queue is empty; what runs sees globalQueuesStopping.
    ~ThreadPool() {
        stopping = true;
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (auto& t : workers_) t.join();
    }
    void submit(std::function<void()> job) {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
            ++outstanding_;
        }
        wake_.notify_one();
    }
    void waitIdle() {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return outstanding_ == 0; });
    }

private:
    void work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
                if (jobs_.empty()) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
            {
                std::lock_guard lock(mutex_);
                if (--outstanding_ == 0) idle_.notify_all();
            }
        }
    }
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> workers_;
    std::size_t outstanding_ = 0;
    bool stopping_ = false;
};

ThreadPool& pool() {
    static ThreadPool p(4);
    return p;
}

}  // namespace

DispatchQueue& DispatchQueue::main() {
    static DispatchQueue q("com.apple.main-thread", true);
    return q;
}

DispatchQueue& DispatchQueue::global(QoS) {
    static DispatchQueue q("global", false);
    return q;
}

void DispatchQueue::async(std::function<void()> work) {
    if (isMain_)
        RunLoop::main().perform(std::move(work));
    else
        pool().submit(std::move(work));
}

void DispatchQueue::sync(const std::function<void()>& work) {
    if (isMain_ && Runtime::isMainThread()) {
        work();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    async([&] {
        work();
        done.set_value();
    });
    finished.wait();
}

void DispatchQueue::asyncAfter(double seconds, std::function<void()> work) {
    DispatchQueue* self = this;
    auto timer = Timer::make(seconds, false, [self, work = std::move(work)](Timer&) mutable { self->async(std::move(work)); });
    if (Runtime::isMainThread())
        RunLoop::main().add(timer);
    else
        RunLoop::main().perform([timer] { RunLoop::main().add(timer); });
}

void DispatchQueue::waitForGlobalQueues() { pool().waitIdle(); }

bool DispatchQueue::globalQueuesStopping() { return stopping; }

}  // namespace Dispatch
