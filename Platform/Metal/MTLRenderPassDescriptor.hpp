#pragma once
#include <array>
#include <memory>

#include "Metal/MTLTexture.hpp"
#include "Metal/MTLTypes.hpp"

namespace Metal {

struct MTLRenderPassColorAttachmentDescriptor {
    std::shared_ptr<MTLTexture> texture;
    MTLLoadAction loadAction = MTLLoadAction::dontCare;
    MTLStoreAction storeAction = MTLStoreAction::store;
    MTLClearColor clearColor{};
};

class MTLRenderPassDescriptor {
public:
    std::array<MTLRenderPassColorAttachmentDescriptor, 8> colorAttachments{};
};

}  // namespace Metal
