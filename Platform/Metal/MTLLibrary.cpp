#include "Metal/MTLLibrary.hpp"

#include <algorithm>

namespace Metal {

std::shared_ptr<MTLFunction> MTLLibrary::newFunction(const std::string& name) const {
    if (std::find(names_.begin(), names_.end(), name) == names_.end()) return nullptr;
    auto entry = ShaderFunctionRegistry::find(name);
    if (!entry) return nullptr;
    return std::make_shared<MTLFunction>(std::move(*entry));
}

}  // namespace Metal
