#pragma once
#include <string>

namespace Pellicot {

// A newer version found in the update feed, as the plug-in header announces it.
struct UpdateAvailableDetails {
    std::string newVersion;
};

}  // namespace Pellicot
