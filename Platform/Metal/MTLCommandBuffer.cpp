#include "Metal/MTLCommandBuffer.hpp"

#include "Metal/MetalTesting.hpp"
#include "Metal/Rasterizer.hpp"

namespace Metal {

using Kind = MTLEncodedCommand::Kind;

namespace {
// A buffer is read from its offset to its end when the work runs; an offset past the end
// binds nothing.
void bindBuffer(ShaderArguments& arguments, const MTLEncodedCommand& c) {
    if (c.buffer && c.offset <= c.buffer->length())
        arguments.bind(c.index, static_cast<const unsigned char*>(c.buffer->contents()) + c.offset, c.buffer->length() - c.offset);
    else
        arguments.bind(c.index, nullptr, 0);
}
}  // namespace

std::shared_ptr<MTLRenderCommandEncoder> MTLCommandBuffer::renderCommandEncoder(const MTLRenderPassDescriptor& descriptor) {
    if (Testing::switches().noRenderCommandEncoder || status_ != MTLCommandBufferStatus::notEnqueued) return nullptr;
    auto encoder = std::make_shared<MTLRenderCommandEncoder>(descriptor);
    encoders_.push_back(encoder);
    return encoder;
}

void MTLCommandBuffer::present(const std::shared_ptr<MTLDrawable>& drawable) {
    if (drawable && status_ == MTLCommandBufferStatus::notEnqueued) drawables_.push_back(drawable);
}

void MTLCommandBuffer::addCompletedHandler(Handler handler) {
    if (handler) handlers_.push_back(std::move(handler));
}

void MTLCommandBuffer::execute(const MTLRenderCommandEncoder& encoder) {
    const auto& attachment = encoder.descriptor().colorAttachments[0];
    MTLTexture* target = attachment.texture.get();
    if (!target) return;
    if (attachment.loadAction == MTLLoadAction::clear) {
        const auto& c = attachment.clearColor;
        target->fill({float(c.red), float(c.green), float(c.blue), float(c.alpha)});
    }
    // The default viewport covers the whole target.
    DrawState state;
    state.viewport = {0, 0, double(target->width()), double(target->height()), 0, 1};
    std::shared_ptr<MTLRenderPipelineState> pipeline;
    for (const auto& c : encoder.commands()) {
        switch (c.kind) {
            case Kind::setRenderPipelineState:
                pipeline = c.pipeline;
                break;
            case Kind::setViewport:
                state.viewport = c.viewport;
                break;
            case Kind::setVertexBuffer:
                bindBuffer(state.vertexArguments, c);
                break;
            case Kind::setVertexBytes:
                state.vertexArguments.bind(c.index, c.bytes.data(), c.bytes.size());
                break;
            case Kind::setFragmentBytes:
                state.fragmentArguments.bind(c.index, c.bytes.data(), c.bytes.size());
                break;
            case Kind::setFragmentBuffer:
                bindBuffer(state.fragmentArguments, c);
                break;
            case Kind::setFragmentTexture:
                state.fragmentArguments.bindTexture(c.index, c.texture.get());
                break;
            case Kind::drawPrimitives:
                // A pipeline made for another pixel format cannot draw into this target.
                if (!pipeline || pipeline->colorPixelFormat() != target->pixelFormat()) break;
                state.vertex = pipeline->vertexFunction();
                state.fragment = pipeline->fragmentFunction();
                rasterizer_->draw(state, *target, c.primitive, c.vertexStart, c.vertexCount);
                break;
            case Kind::endEncoding:
                break;
        }
    }
}

void MTLCommandBuffer::commit() {
    if (status_ != MTLCommandBufferStatus::notEnqueued) return;
    status_ = MTLCommandBufferStatus::committed;
    for (const auto& encoder : encoders_) execute(*encoder);
    for (const auto& drawable : drawables_) drawable->present();
    status_ = MTLCommandBufferStatus::completed;
    auto handlers = std::move(handlers_);
    for (auto& h : handlers) h(*this);
    if (onCommit_) onCommit_(shared_from_this());
}

}  // namespace Metal
