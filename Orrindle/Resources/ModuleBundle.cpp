#include "Orrindle/Resources/ModuleBundle.hpp"

#include "Foundation/ModuleResourceBundle.hpp"
#include "Orrindle/Resources/BundleFinder.hpp"

namespace Orrindle::ModuleBundle {

const std::shared_ptr<Foundation::Bundle>& module() {
    static const std::shared_ptr<Foundation::Bundle> bundle = Foundation::ModuleResourceBundle::find(
        "Orrindle", Foundation::ModuleResourceBundle::candidateDirectories(BundleFinder::bundle()));
    return bundle;
}

}  // namespace Orrindle::ModuleBundle
