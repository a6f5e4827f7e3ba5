#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"

namespace Vantrel_Zellow_Extension {

// Stands for the editor's code when the bundle that holds it is asked for: the extension's
// own bundle, whose catalogue holds the editor's colours and images.
class ResourceBundleClass final {
public:
    // Found once, on first use, and kept for the life of the process.
    static const std::shared_ptr<Foundation::Bundle>& bundle();
};

}  // namespace Vantrel_Zellow_Extension
