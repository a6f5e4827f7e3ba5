#include "Vantrel_Zellow/SparkleHelper.hpp"

#include "Runtime/MainActor.hpp"

namespace Vantrel_Zellow {

const char* const SparkleHelper::feedAddress = VZ_UPDATE_FEED_URL;

SparkleHelper::SparkleHelper() { Runtime::assertMainActor(); }

std::optional<std::string> SparkleHelper::feedURLString(Sparkle::SPUUpdater&) {
    Runtime::assertMainActor();
    return std::string(feedAddress);
}

}  // namespace Vantrel_Zellow
