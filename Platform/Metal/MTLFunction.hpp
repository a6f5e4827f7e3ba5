#pragma once
#include <string>

#include "Metal/ShaderFunction.hpp"

namespace Metal {

// One compiled shader function of a library.
class MTLFunction {
public:
    explicit MTLFunction(ShaderFunctionEntry entry) : entry_(std::move(entry)) {}
    const std::string& name() const { return entry_.name; }
    MTLFunctionType functionType() const { return entry_.type; }
    const ShaderFunctionEntry& entry() const { return entry_; }

private:
    ShaderFunctionEntry entry_;
};

}  // namespace Metal
