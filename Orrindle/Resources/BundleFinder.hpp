#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"

namespace Orrindle {

// Stands for the kit's code when the bundle that holds it is asked for.
class BundleFinder final {
public:
    // The bundle that holds the kit's library (its directory, or the app or extension around it).
    static std::shared_ptr<Foundation::Bundle> bundle();
};

}  // namespace Orrindle
