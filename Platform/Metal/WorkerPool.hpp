#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace Metal {

// A few threads that share out the rows of a draw. The calling thread works too, so a pool
// of n threads runs n - 1 helpers; with 1 everything runs on the caller.
class WorkerPool {
public:
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int threadCount() const;
    // Waits for any run in progress; at least 1.
    void setThreadCount(int threads);
    // Calls body(i) for every i in [0, count), spread over the threads; returns when all are
    // done. Runs from different threads take turns.
    void run(int count, const std::function<void(int)>& body);

private:
    void startHelpers(int helpers);
    void stopHelpers();
    void helperLoop();
    void work();

    std::mutex runMutex_;  // one run at a time
    mutable std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::vector<std::thread> helpers_;
    const std::function<void(int)>* body_ = nullptr;
    int count_ = 0;
    int next_ = 0;
    int busy_ = 0;             // helpers inside the current generation
    std::uint64_t generation_ = 0;
    bool stopping_ = false;
};

}  // namespace Metal
