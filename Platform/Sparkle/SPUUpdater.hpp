#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Foundation/Bundle.hpp"
#include "Foundation/URL.hpp"
#include "Foundation/URLSessionDataTask.hpp"
#include "Runtime/NSObject.hpp"
#include "Sparkle/SPUUserDriver.hpp"

namespace Dispatch {
class Timer;
}

namespace Sparkle {

// Checks a host bundle's update feed and tells the user driver what it found. Created
// stopped; a check asks the delegate for the feed's address (else the bundle's SUFeedURL),
// loads it with URLSession off the main thread, reads it (SUAppcast) and compares its newest
// version with the bundle's CFBundleShortVersionString. A feed past feedSizeLimit, one not
// loaded within feedTimeLimit (on the shared clock) and one whose versions cannot be read
// (SUStandardVersionComparator::canRead) end the check with an error. It never installs
// anything and makes no check of its own accord. Main thread.
class SPUUpdater : public Runtime::NSObject {
    VZ_OBJECT(SPUUpdater, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<SPUUpdater>;

    static constexpr std::size_t feedSizeLimit = 4u << 20;
    static constexpr double feedTimeLimit = 30;

    ~SPUUpdater() override;

    // The delegate is held weakly, as the framework does.
    static Ptr make(std::shared_ptr<Foundation::Bundle> hostBundle, std::shared_ptr<SPUUserDriver> userDriver,
                    const std::shared_ptr<Runtime::NSObject>& delegate);

    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    const std::shared_ptr<Foundation::Bundle>& hostBundle() const { return hostBundle_; }
    const std::shared_ptr<SPUUserDriver>& userDriver() const { return userDriver_; }
    // Tests put in a driver that records what a check found.
    void setUserDriver(std::shared_ptr<SPUUserDriver> driver) { userDriver_ = std::move(driver); }

    // Lets checks run. Returns true; a second call changes nothing.
    bool startUpdater();
    bool isStarted() const { return started_; }

    // A check the user asked for. Before startUpdater it is refused: written to standard error
    // and left at that. While a check runs, another joins it (the user is told once).
    void checkForUpdates();
    bool sessionInProgress() const { return inProgress_; }

    // The delegate's address, else the host bundle's SUFeedURL; absent when neither is a URL.
    std::optional<Foundation::URL> feedURL();

    // --- For tests --------------------------------------------------------------------------
    // checkForUpdates calls, refused and joined ones included.
    std::size_t checkCount() const { return checks_; }
    // The feed address of each check that ran, as the delegate or the bundle gave it.
    const std::vector<std::string>& requestedFeedURLs() const { return feedURLs_; }

    enum class Event { created, started, checkRequested, checkRefused, checkJoined, feedRequested, finished };
    // Told of every event of every updater, on the main thread, as it happens.
    using EventObserver = std::function<void(const SPUUpdater& updater, Event event)>;
    static void setEventObserver(EventObserver observer);

    // Where checks load the feed instead of its own address (tests, which never reach the
    // network): an http or https URL of a loopback host. The environment's
    // VZ_UPDATE_FEED_REDIRECT sets it for a whole process. Any other address is refused: the
    // check ends with an error rather than asking another server.
    static void setFeedRedirect(std::optional<std::string> url);

protected:
    SPUUpdater() = default;

private:
    void notify(Event event) const;
    void load(const Foundation::URL& url);
    void fail(const Foundation::NSError& error);
    void finish(std::function<void(SPUUserDriver&)> tell);

    std::shared_ptr<Foundation::Bundle> hostBundle_;
    std::shared_ptr<SPUUserDriver> userDriver_;
    std::uint64_t loads_ = 0;
    std::shared_ptr<Foundation::URLSessionDataTask> task_;
    std::shared_ptr<Dispatch::Timer> deadline_;
    std::weak_ptr<Runtime::NSObject> delegate_;
    bool started_ = false, inProgress_ = false;
    std::size_t checks_ = 0;
    std::vector<std::string> feedURLs_;
};

}  // namespace Sparkle
