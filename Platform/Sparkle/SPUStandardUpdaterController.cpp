#include "Sparkle/SPUStandardUpdaterController.hpp"

#include "Runtime/MainActor.hpp"

namespace Sparkle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> SPUStandardUpdaterController::classActions() {
    return {Runtime::action("checkForUpdates:", &SPUStandardUpdaterController::checkForUpdates)};
}

SPUStandardUpdaterController::Ptr SPUStandardUpdaterController::make(bool startingUpdater,
                                                                     const std::shared_ptr<Runtime::NSObject>& updaterDelegate,
                                                                     const std::shared_ptr<Runtime::NSObject>& userDriverDelegate) {
    Runtime::assertMainActor();
    auto c = Runtime::make<SPUStandardUpdaterController>();
    auto host = Foundation::Bundle::main();
    c->userDriver_ = std::make_shared<SPUStandardUserDriver>(host);
    c->updater_ = SPUUpdater::make(host, c->userDriver_, updaterDelegate);
    c->userDriverDelegate_ = userDriverDelegate;
    if (startingUpdater) c->startUpdater();
    return c;
}

void SPUStandardUpdaterController::startUpdater() { (void)updater_->startUpdater(); }

void SPUStandardUpdaterController::checkForUpdates(Runtime::NSObject*) { updater_->checkForUpdates(); }

}  // namespace Sparkle
