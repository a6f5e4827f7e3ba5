#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"

namespace Orrindle::ModuleBundle {

// The kit's resource bundle, "Orrindle_Orrindle.bundle": found once, on first use, in the main
// bundle's resources, beside the kit's code or in the main bundle, and kept for the life of the
// process. None of them holding it stops the program ("unable to find bundle named
// Orrindle_Orrindle").
const std::shared_ptr<Foundation::Bundle>& module();

}  // namespace Orrindle::ModuleBundle
