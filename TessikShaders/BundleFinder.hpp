#pragma once
#include <memory>

#include "Foundation/Bundle.hpp"

namespace TessikShaders {

// Stands for the module's code when the bundle that holds it is asked for.
class BundleFinder final {
public:
    static std::shared_ptr<Foundation::Bundle> bundle();
};

}  // namespace TessikShaders
