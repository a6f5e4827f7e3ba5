#pragma once
#include <array>
#include <memory>
#include <string>

#include "Metal/MTLFunction.hpp"
#include "Metal/MTLTypes.hpp"

namespace Metal {

struct MTLRenderPipelineColorAttachmentDescriptor {
    MTLPixelFormat pixelFormat = MTLPixelFormat::invalid;
    bool blendingEnabled = false;
};

class MTLRenderPipelineDescriptor {
public:
    std::string label;
    std::shared_ptr<MTLFunction> vertexFunction;
    std::shared_ptr<MTLFunction> fragmentFunction;
    std::array<MTLRenderPipelineColorAttachmentDescriptor, 8> colorAttachments{};
};

// A checked, immutable pipeline made by MTLDevice::newRenderPipelineState.
class MTLRenderPipelineState {
public:
    MTLRenderPipelineState(std::string label, VertexFunction vertex, FragmentFunction fragment, MTLPixelFormat format)
        : label_(std::move(label)), vertex_(vertex), fragment_(fragment), format_(format) {}
    const std::string& label() const { return label_; }
    VertexFunction vertexFunction() const { return vertex_; }
    FragmentFunction fragmentFunction() const { return fragment_; }
    MTLPixelFormat colorPixelFormat() const { return format_; }

private:
    std::string label_;
    VertexFunction vertex_;
    FragmentFunction fragment_;
    MTLPixelFormat format_;
};

}  // namespace Metal
