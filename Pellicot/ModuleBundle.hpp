#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "Foundation/Bundle.hpp"
#include "Foundation/URL.hpp"

namespace Pellicot {

// The kit's resource bundle, "Pellicot_Pellicot.bundle", wherever the kit has been linked.
namespace ModuleBundle {

inline constexpr const char* fileName = "Pellicot_Pellicot.bundle";

// Where to look, in order: the main bundle's resources, the resources of the bundle that holds
// the kit's code, the main bundle itself. An entry is absent for a bundle without resources.
std::vector<std::optional<Foundation::URL>> candidateDirectories();

// The bundle named `fileName` in the first present candidate that holds one. Stops the program
// when none does: the installation is broken and nothing can be drawn.
std::shared_ptr<Foundation::Bundle> find(const std::vector<std::optional<Foundation::URL>>& candidates);

// Found once, on first use, and kept for the life of the process.
const std::shared_ptr<Foundation::Bundle>& module();

}  // namespace ModuleBundle

}  // namespace Pellicot
