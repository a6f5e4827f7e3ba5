#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Metal/MTLBuffer.hpp"
#include "Metal/MTLRenderPassDescriptor.hpp"
#include "Metal/MTLRenderPipeline.hpp"
#include "Metal/MTLTexture.hpp"
#include "Metal/MTLTypes.hpp"

namespace Metal {

// One call made on an encoder, as recorded; inline bytes are copied at the call.
struct MTLEncodedCommand {
    enum class Kind {
        setRenderPipelineState,
        setViewport,
        setVertexBuffer,
        setVertexBytes,
        setFragmentBytes,
        setFragmentBuffer,
        setFragmentTexture,
        drawPrimitives,
        endEncoding,
    };
    Kind kind = Kind::endEncoding;
    int index = -1;
    std::vector<unsigned char> bytes;
    std::shared_ptr<MTLBuffer> buffer;
    std::size_t offset = 0;
    std::shared_ptr<MTLTexture> texture;
    std::shared_ptr<MTLRenderPipelineState> pipeline;
    MTLViewport viewport{};
    MTLPrimitiveType primitive = MTLPrimitiveType::triangle;
    std::size_t vertexStart = 0, vertexCount = 0;

    // The inline bytes (or the bound buffer's contents from `offset`) read as a T; absent
    // when they are shorter.
    template <class T>
    std::optional<T> as() const {
        T value;
        if (kind == Kind::setFragmentBuffer || kind == Kind::setVertexBuffer) {
            if (!buffer || buffer->length() < offset + sizeof(T)) return std::nullopt;
            std::memcpy(&value, static_cast<const unsigned char*>(buffer->contents()) + offset, sizeof(T));
            return value;
        }
        if (bytes.size() < sizeof(T)) return std::nullopt;
        std::memcpy(&value, bytes.data(), sizeof(T));
        return value;
    }
};

// Records the state and draws of one render pass; the command buffer runs them at commit.
// Calls after endEncoding are ignored.
class MTLRenderCommandEncoder {
public:
    explicit MTLRenderCommandEncoder(MTLRenderPassDescriptor descriptor) : descriptor_(std::move(descriptor)) {}

    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }

    void setRenderPipelineState(const std::shared_ptr<MTLRenderPipelineState>& state);
    void setViewport(const MTLViewport& viewport);
    void setVertexBuffer(const std::shared_ptr<MTLBuffer>& buffer, std::size_t offset, int index);
    void setVertexBytes(const void* bytes, std::size_t length, int index);
    void setFragmentBytes(const void* bytes, std::size_t length, int index);
    void setFragmentBuffer(const std::shared_ptr<MTLBuffer>& buffer, std::size_t offset, int index);
    void setFragmentTexture(const std::shared_ptr<MTLTexture>& texture, int index);
    void drawPrimitives(MTLPrimitiveType type, std::size_t vertexStart, std::size_t vertexCount);
    void endEncoding();

    bool isEnded() const { return ended_; }
    const MTLRenderPassDescriptor& descriptor() const { return descriptor_; }
    const std::vector<MTLEncodedCommand>& commands() const { return commands_; }
    // The last command of `kind` at `index` (any index for -1), or nullptr.
    const MTLEncodedCommand* find(MTLEncodedCommand::Kind kind, int index = -1) const;

private:
    void record(MTLEncodedCommand command);

    MTLRenderPassDescriptor descriptor_;
    std::string label_;
    std::vector<MTLEncodedCommand> commands_;
    bool ended_ = false;
};

}  // namespace Metal
