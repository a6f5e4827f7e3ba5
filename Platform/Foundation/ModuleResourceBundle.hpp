#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Foundation/Bundle.hpp"
#include "Foundation/URL.hpp"

// How a library module finds its resource bundle "<Module>_<Module>.bundle", wherever the
// module has been linked (the lookup the build generates for each module with resources).
namespace Foundation::ModuleResourceBundle {

// "<module>_<module>.bundle".
std::string fileName(std::string_view module);

// Where to look, in order: the main bundle's resources, the resources of `codeBundle` (the
// bundle that holds the module's code), the main bundle itself. An entry is absent for a
// missing bundle or a bundle without resources.
std::vector<std::optional<URL>> candidateDirectories(const std::shared_ptr<Bundle>& codeBundle);

// The module's bundle in the first present candidate that holds one. Stops the program with
// "unable to find bundle named <module>_<module>" when none does: the installation is broken
// and nothing of the module can be drawn.
std::shared_ptr<Bundle> find(std::string_view module, const std::vector<std::optional<URL>>& candidates);

}  // namespace Foundation::ModuleResourceBundle
