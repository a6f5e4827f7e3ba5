#include "TessikShaders/ModuleBundle.hpp"

#include "Foundation/ModuleResourceBundle.hpp"
#include "TessikShaders/BundleFinder.hpp"

namespace TessikShaders::ModuleBundle {

std::vector<std::optional<Foundation::URL>> candidateDirectories() {
    return Foundation::ModuleResourceBundle::candidateDirectories(BundleFinder::bundle());
}

std::shared_ptr<Foundation::Bundle> find(const std::vector<std::optional<Foundation::URL>>& candidates) {
    return Foundation::ModuleResourceBundle::find("TessikShaders", candidates);
}

const std::shared_ptr<Foundation::Bundle>& module() {
    static const std::shared_ptr<Foundation::Bundle> bundle = find(candidateDirectories());
    return bundle;
}

}  // namespace TessikShaders::ModuleBundle
