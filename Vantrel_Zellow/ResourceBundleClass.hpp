#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"

namespace Vantrel_Zellow {

// Stands for the application's code when the bundle that holds it is asked for: the
// application bundle, whose catalogue holds the window's colours.
class ResourceBundleClass final {
public:
    // Found once, on first use, and kept for the life of the process.
    static const std::shared_ptr<Foundation::Bundle>& bundle();
};

}  // namespace Vantrel_Zellow
