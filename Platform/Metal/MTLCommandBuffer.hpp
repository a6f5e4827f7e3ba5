#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Metal/MTLDrawable.hpp"
#include "Metal/MTLRenderCommandEncoder.hpp"
#include "Metal/MTLRenderPassDescriptor.hpp"

namespace Metal {

class Rasterizer;

enum class MTLCommandBufferStatus : unsigned long { notEnqueued = 0, enqueued = 1, committed = 2, scheduled = 3, completed = 4, error = 5 };

// A unit of work. Commit runs it on the CPU at once, on the committing thread and the
// device's worker pool: each render pass loads or clears its target, runs its draws, then
// the drawables are presented and the completed handlers called. A second commit does
// nothing.
class MTLCommandBuffer : public std::enable_shared_from_this<MTLCommandBuffer> {
public:
    using Handler = std::function<void(MTLCommandBuffer&)>;

    explicit MTLCommandBuffer(std::shared_ptr<Rasterizer> rasterizer) : rasterizer_(std::move(rasterizer)) {}

    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    MTLCommandBufferStatus status() const { return status_; }

    // nullptr when the test switch withholds encoders.
    std::shared_ptr<MTLRenderCommandEncoder> renderCommandEncoder(const MTLRenderPassDescriptor& descriptor);
    void present(const std::shared_ptr<MTLDrawable>& drawable);
    void addCompletedHandler(Handler handler);
    void commit();
    void waitUntilCompleted() {}

    const std::vector<std::shared_ptr<MTLRenderCommandEncoder>>& encoders() const { return encoders_; }
    std::size_t presentedDrawableCount() const { return drawables_.size(); }

private:
    void execute(const MTLRenderCommandEncoder& encoder);

    std::shared_ptr<Rasterizer> rasterizer_;
    std::string label_;
    MTLCommandBufferStatus status_ = MTLCommandBufferStatus::notEnqueued;
    std::vector<std::shared_ptr<MTLRenderCommandEncoder>> encoders_;
    std::vector<std::shared_ptr<MTLDrawable>> drawables_;
    std::vector<Handler> handlers_;
    std::function<void(const std::shared_ptr<MTLCommandBuffer>&)> onCommit_;
    friend class MTLCommandQueue;
};

}  // namespace Metal
