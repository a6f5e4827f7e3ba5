#pragma once
#include <memory>
#include <optional>
#include <string>

#include "Runtime/NSObject.hpp"
#include "Sparkle/SPUStandardUpdaterController.hpp"
#include "Sparkle/SPUUpdaterDelegate.hpp"

namespace Vantrel_Zellow {

// The update framework's delegate: it names the product's update feed, the same one the
// effect's editor reads for its update notice. Owns the application's one updater controller
// once start-up has stored it. Main thread.
class SparkleHelper : public Runtime::NSObject, public Sparkle::SPUUpdaterDelegate {
    VZ_OBJECT(SparkleHelper, Runtime::NSObject)
public:
    // The product's feed (set in the build, which also writes it into the Info.plist).
    static const char* const feedAddress;

    // Empty until start-up stores the controller; never cleared after.
    std::shared_ptr<Sparkle::SPUStandardUpdaterController> updaterController;

    // "feedURLStringForUpdater:": the feed's address, whatever updater asks.
    std::optional<std::string> feedURLString(Sparkle::SPUUpdater& updater) override;

protected:
    SparkleHelper();
};

}  // namespace Vantrel_Zellow
