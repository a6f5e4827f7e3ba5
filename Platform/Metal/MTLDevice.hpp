#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "Metal/MTLBuffer.hpp"
#include "Metal/MTLCommandBuffer.hpp"
#include "Metal/MTLLibrary.hpp"
#include "Metal/MTLRenderPipeline.hpp"
#include "Metal/MTLTexture.hpp"

namespace Foundation {
class Bundle;
}

namespace Metal {

class MTLCommandQueue;
class Rasterizer;

// The CPU "GPU": makes queues, buffers, textures, libraries and pipelines, and runs committed
// work on a small worker pool of its own.
class MTLDevice : public std::enable_shared_from_this<MTLDevice> {
public:
    // `threads` rasterise each draw (the committing thread among them).
    static std::shared_ptr<MTLDevice> make(int threads = defaultThreadCount());
    static int defaultThreadCount();

    MTLDevice(const MTLDevice&) = delete;
    MTLDevice& operator=(const MTLDevice&) = delete;

    const std::string& name() const { return name_; }

    // nullptr when the test switch withholds queues.
    std::shared_ptr<MTLCommandQueue> newCommandQueue();
    // Zero-filled or holding a copy of `bytes`; nullptr when the length is 0 or the memory
    // cannot be had (or the test switch withholds buffers).
    std::shared_ptr<MTLBuffer> newBuffer(std::size_t length, MTLResourceOptions options);
    std::shared_ptr<MTLBuffer> newBuffer(const void* bytes, std::size_t length, MTLResourceOptions options);
    std::shared_ptr<MTLTexture> newTexture(const MTLTextureDescriptor& descriptor);

    // The library the bundle's "default.metallib" names. Throws Foundation::NSError
    // (MTLLibraryErrorDomain) when the bundle has none or it cannot be read.
    std::shared_ptr<MTLLibrary> newDefaultLibrary(const Foundation::Bundle& bundle);
    // Throws Foundation::NSError (MTLRenderPipelineErrorDomain) for a missing function, a
    // function of the wrong kind or a colour format that cannot be drawn into.
    std::shared_ptr<MTLRenderPipelineState> newRenderPipelineState(const MTLRenderPipelineDescriptor& descriptor);

    void setRasterThreadCount(int threads);
    int rasterThreadCount() const;

    // What ran so far, for tests and benchmarks: draws executed and fragment shader calls.
    std::uint64_t executedDrawCount() const;
    std::uint64_t fragmentInvocationCount() const;
    // The command buffer committed last through any of this device's queues.
    std::shared_ptr<MTLCommandBuffer> lastCommittedCommandBuffer() const;

private:
    friend class MTLCommandQueue;
    explicit MTLDevice(int threads);
    void committed(const std::shared_ptr<MTLCommandBuffer>& buffer);

    std::string name_ = "Software Rasteriser";
    std::shared_ptr<Rasterizer> rasterizer_;
    mutable std::mutex mutex_;
    std::shared_ptr<MTLCommandBuffer> lastCommitted_;
};

// The machine's device: one per process; nullptr when the test switch says there is none.
std::shared_ptr<MTLDevice> MTLCreateSystemDefaultDevice();

}  // namespace Metal
