#include "Metal/MTLRenderCommandEncoder.hpp"

namespace Metal {

using Kind = MTLEncodedCommand::Kind;

namespace {
MTLEncodedCommand command(Kind kind, int index = -1) {
    MTLEncodedCommand c;
    c.kind = kind;
    c.index = index;
    return c;
}
MTLEncodedCommand inlineBytes(Kind kind, const void* bytes, std::size_t length, int index) {
    auto c = command(kind, index);
    if (bytes && length) c.bytes.assign(static_cast<const unsigned char*>(bytes), static_cast<const unsigned char*>(bytes) + length);
    return c;
}
MTLEncodedCommand boundBuffer(Kind kind, const std::shared_ptr<MTLBuffer>& buffer, std::size_t offset, int index) {
    auto c = command(kind, index);
    c.buffer = buffer;
    c.offset = offset;
    return c;
}
}  // namespace

void MTLRenderCommandEncoder::record(MTLEncodedCommand command) {
    if (ended_) return;
    commands_.push_back(std::move(command));
}

void MTLRenderCommandEncoder::setRenderPipelineState(const std::shared_ptr<MTLRenderPipelineState>& state) {
    auto c = command(Kind::setRenderPipelineState);
    c.pipeline = state;
    record(std::move(c));
}

void MTLRenderCommandEncoder::setViewport(const MTLViewport& viewport) {
    auto c = command(Kind::setViewport);
    c.viewport = viewport;
    record(std::move(c));
}

void MTLRenderCommandEncoder::setVertexBuffer(const std::shared_ptr<MTLBuffer>& buffer, std::size_t offset, int index) {
    record(boundBuffer(Kind::setVertexBuffer, buffer, offset, index));
}

void MTLRenderCommandEncoder::setVertexBytes(const void* bytes, std::size_t length, int index) {
    record(inlineBytes(Kind::setVertexBytes, bytes, length, index));
}

void MTLRenderCommandEncoder::setFragmentBytes(const void* bytes, std::size_t length, int index) {
    record(inlineBytes(Kind::setFragmentBytes, bytes, length, index));
}

void MTLRenderCommandEncoder::setFragmentBuffer(const std::shared_ptr<MTLBuffer>& buffer, std::size_t offset, int index) {
    record(boundBuffer(Kind::setFragmentBuffer, buffer, offset, index));
}

void MTLRenderCommandEncoder::setFragmentTexture(const std::shared_ptr<MTLTexture>& texture, int index) {
    auto c = command(Kind::setFragmentTexture, index);
    c.texture = texture;
    record(std::move(c));
}

void MTLRenderCommandEncoder::drawPrimitives(MTLPrimitiveType type, std::size_t vertexStart, std::size_t vertexCount) {
    auto c = command(Kind::drawPrimitives);
    c.primitive = type;
    c.vertexStart = vertexStart;
    c.vertexCount = vertexCount;
    record(std::move(c));
}

void MTLRenderCommandEncoder::endEncoding() {
    record(command(Kind::endEncoding));
    ended_ = true;
}

const MTLEncodedCommand* MTLRenderCommandEncoder::find(Kind kind, int index) const {
    for (auto it = commands_.rbegin(); it != commands_.rend(); ++it)
        if (it->kind == kind && (index < 0 || it->index == index)) return &*it;
    return nullptr;
}

}  // namespace Metal
