#include "Vantrel_Zellow/ResourceBundleClass.hpp"

namespace Vantrel_Zellow {

const std::shared_ptr<Foundation::Bundle>& ResourceBundleClass::bundle() {
    // Any address inside this library names the module, and with it the bundle, that holds it.
    static const std::shared_ptr<Foundation::Bundle> bundle =
        Foundation::Bundle::forAddress(reinterpret_cast<const void*>(&ResourceBundleClass::bundle));
    return bundle;
}

}  // namespace Vantrel_Zellow
