#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "Foundation/Bundle.hpp"
#include "Foundation/URL.hpp"

// The module's resource bundle, "TessikShaders_TessikShaders.bundle": its shader library
// and textures, wherever the module has been linked.
namespace TessikShaders::ModuleBundle {

inline constexpr const char* fileName = "TessikShaders_TessikShaders.bundle";

// Where to look, in order: the main bundle's resources, the resources of the bundle that
// holds the module's code, the main bundle itself. An entry is absent for a bundle without
// resources.
std::vector<std::optional<Foundation::URL>> candidateDirectories();

// The bundle in the first present candidate that holds one. Stops the program ("unable to
// find bundle named TessikShaders_TessikShaders") when none does: the installation is broken.
std::shared_ptr<Foundation::Bundle> find(const std::vector<std::optional<Foundation::URL>>& candidates);

// Found once, on first use from any thread, and kept for the life of the process.
const std::shared_ptr<Foundation::Bundle>& module();

}  // namespace TessikShaders::ModuleBundle
