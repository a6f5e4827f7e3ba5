#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

// Runs `work`, which may open the FIFOs `fifos`, on a thread of its own; true when it came back
// within `seconds` by itself. A reader still waiting then is let go by a writer that opens
// each FIFO and goes away, so that waiting fails the test instead of hanging it.
template <class F>
bool returnsWithoutAWriter(const std::vector<std::string>& fifos, F&& work, double seconds = 10) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const bool byItself = done;
    while (!done) {
        for (const std::string& fifo : fifos) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
    return byItself;
}

}  // namespace TestSupport
