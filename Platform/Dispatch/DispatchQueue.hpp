#pragma once
#include <functional>
#include <memory>
#include <string>

namespace Dispatch {

enum class QoS { background, utility, defaultQoS, userInitiated, userInteractive };

// The main queue runs on the main run loop; global queues share a small pool of threads.
class DispatchQueue {
public:
    static DispatchQueue& main();
    static DispatchQueue& global(QoS qos = QoS::defaultQoS);

    void async(std::function<void()> work);
    // Waits until the work has run. On the main queue, called from the main thread, the
    // work runs inline (waiting would deadlock).
    void sync(const std::function<void()>& work);
    // After `seconds` on the shared clock.
    void asyncAfter(double seconds, std::function<void()> work);

    bool isMain() const { return isMain_; }
    const std::string& label() const { return label_; }

    // Blocks until every global-queue item queued so far has finished (tests).
    static void waitForGlobalQueues();
    // True once the process is ending: the global queues finish the work they hold before it
    // ends, so long work on them (a network load) gives up when it sees this.
    static bool globalQueuesStopping();

private:
    DispatchQueue(std::string label, bool isMain) : label_(std::move(label)), isMain_(isMain) {}
    std::string label_;
    bool isMain_;
};

}  // namespace Dispatch
