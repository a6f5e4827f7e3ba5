#pragma once
#include <memory>

#include "Runtime/NSObject.hpp"
#include "Sparkle/SPUStandardUserDriver.hpp"
#include "Sparkle/SPUUpdater.hpp"

namespace Sparkle {

// What an application puts in its menu: an updater of the main bundle, told through the
// standard user driver. Its action "checkForUpdates:" can be a menu item's.
class SPUStandardUpdaterController : public Runtime::NSObject {
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();
    VZ_OBJECT(SPUStandardUpdaterController, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<SPUStandardUpdaterController>;

    // "initWithStartingUpdater:updaterDelegate:userDriverDelegate:". The updater delegate is
    // held weakly by the updater; the user-driver delegate, when given, weakly here.
    static Ptr make(bool startingUpdater, const std::shared_ptr<Runtime::NSObject>& updaterDelegate,
                    const std::shared_ptr<Runtime::NSObject>& userDriverDelegate);

    const SPUUpdater::Ptr& updater() const { return updater_; }
    const std::shared_ptr<SPUStandardUserDriver>& userDriver() const { return userDriver_; }
    std::shared_ptr<Runtime::NSObject> userDriverDelegate() const { return userDriverDelegate_.lock(); }

    void startUpdater();
    // A user-initiated check; the sender is not looked at.
    void checkForUpdates(Runtime::NSObject* sender);

protected:
    SPUStandardUpdaterController() = default;

private:
    std::shared_ptr<SPUStandardUserDriver> userDriver_;
    SPUUpdater::Ptr updater_;
    std::weak_ptr<Runtime::NSObject> userDriverDelegate_;
};

}  // namespace Sparkle
