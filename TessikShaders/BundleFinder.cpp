#include "TessikShaders/BundleFinder.hpp"

namespace TessikShaders {

std::shared_ptr<Foundation::Bundle> BundleFinder::bundle() {
    // Any address inside this library names the module that holds it.
    return Foundation::Bundle::forAddress(reinterpret_cast<const void*>(&BundleFinder::bundle));
}

}  // namespace TessikShaders
