#include "Metal/MTLDevice.hpp"

#include <algorithm>
#include <new>
#include <thread>

#include "Foundation/Bundle.hpp"
#include "Foundation/NSError.hpp"
#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MetalTesting.hpp"
#include "Metal/Rasterizer.hpp"

namespace Metal {

namespace {
const char* typeName(MTLFunctionType type) {
    switch (type) {
        case MTLFunctionType::vertex: return "vertex";
        case MTLFunctionType::fragment: return "fragment";
        case MTLFunctionType::kernel: return "kernel";
        case MTLFunctionType::visible: return "visible";
    }
    return "unknown";
}

Foundation::NSError pipelineError(long code, const std::string& text) {
    return Foundation::NSError(MTLRenderPipelineErrorDomain, code, text);
}
}  // namespace

int MTLDevice::defaultThreadCount() {
    unsigned hw = std::thread::hardware_concurrency();
    return int(std::clamp(hw, 1u, 4u));
}

std::shared_ptr<MTLDevice> MTLDevice::make(int threads) { return std::shared_ptr<MTLDevice>(new MTLDevice(threads)); }

MTLDevice::MTLDevice(int threads) : rasterizer_(std::make_shared<Rasterizer>(threads)) {}

std::shared_ptr<MTLCommandQueue> MTLDevice::newCommandQueue() {
    if (Testing::switches().noCommandQueue) return nullptr;
    return std::make_shared<MTLCommandQueue>(shared_from_this());
}

std::shared_ptr<MTLBuffer> MTLDevice::newBuffer(std::size_t length, MTLResourceOptions options) {
    if (length == 0 || Testing::switches().noBuffer) return nullptr;
    try {
        return std::make_shared<MTLBuffer>(length, options);
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

std::shared_ptr<MTLBuffer> MTLDevice::newBuffer(const void* bytes, std::size_t length, MTLResourceOptions options) {
    auto buffer = newBuffer(length, options);
    if (buffer && bytes) std::copy_n(static_cast<const unsigned char*>(bytes), length, static_cast<unsigned char*>(buffer->contents()));
    return buffer;
}

std::shared_ptr<MTLTexture> MTLDevice::newTexture(const MTLTextureDescriptor& descriptor) {
    if (descriptor.width <= 0 || descriptor.height <= 0 || descriptor.pixelFormat == MTLPixelFormat::invalid) return nullptr;
    try {
        return std::make_shared<MTLTexture>(descriptor);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::shared_ptr<MTLLibrary> MTLDevice::newDefaultLibrary(const Foundation::Bundle& bundle) {
    return MTLLibrary::fromBundle(bundle);
}

std::shared_ptr<MTLRenderPipelineState> MTLDevice::newRenderPipelineState(const MTLRenderPipelineDescriptor& d) {
    if (!d.vertexFunction) throw pipelineError(MTLRenderPipelineErrorInvalidInput, "the pipeline has no vertex function");
    if (!d.fragmentFunction) throw pipelineError(MTLRenderPipelineErrorInvalidInput, "the pipeline has no fragment function");
    if (d.vertexFunction->functionType() != MTLFunctionType::vertex || !d.vertexFunction->entry().vertex)
        throw pipelineError(MTLRenderPipelineErrorInvalidInput, "\"" + d.vertexFunction->name() + "\" is a " +
                                                                    typeName(d.vertexFunction->functionType()) +
                                                                    " function, not a vertex function");
    if (d.fragmentFunction->functionType() != MTLFunctionType::fragment || !d.fragmentFunction->entry().fragment)
        throw pipelineError(MTLRenderPipelineErrorInvalidInput, "\"" + d.fragmentFunction->name() + "\" is a " +
                                                                    typeName(d.fragmentFunction->functionType()) +
                                                                    " function, not a fragment function");
    MTLPixelFormat format = d.colorAttachments[0].pixelFormat;
    if (format != MTLPixelFormat::bgra8Unorm && format != MTLPixelFormat::rgba16Float)
        throw pipelineError(MTLRenderPipelineErrorUnsupported, "colour attachment 0 has no pixel format that can be drawn into");
    return std::make_shared<MTLRenderPipelineState>(d.label, d.vertexFunction->entry().vertex,
                                                    d.fragmentFunction->entry().fragment, format);
}

void MTLDevice::setRasterThreadCount(int threads) { rasterizer_->setThreadCount(threads); }
int MTLDevice::rasterThreadCount() const { return rasterizer_->threadCount(); }
std::uint64_t MTLDevice::executedDrawCount() const { return rasterizer_->drawCount(); }
std::uint64_t MTLDevice::fragmentInvocationCount() const { return rasterizer_->fragmentCount(); }

std::shared_ptr<MTLCommandBuffer> MTLDevice::lastCommittedCommandBuffer() const {
    std::lock_guard lock(mutex_);
    return lastCommitted_;
}

void MTLDevice::committed(const std::shared_ptr<MTLCommandBuffer>& buffer) {
    std::lock_guard lock(mutex_);
    lastCommitted_ = buffer;
}

std::shared_ptr<MTLCommandBuffer> MTLCommandQueue::commandBuffer() {
    if (Testing::switches().noCommandBuffer) return nullptr;
    auto buffer = std::make_shared<MTLCommandBuffer>(device_->rasterizer_);
    std::weak_ptr<MTLDevice> device = device_;
    buffer->onCommit_ = [device](const std::shared_ptr<MTLCommandBuffer>& b) {
        if (auto d = device.lock()) d->committed(b);
    };
    return buffer;
}

std::shared_ptr<MTLDevice> MTLCreateSystemDefaultDevice() {
    if (Testing::switches().noSystemDefaultDevice) return nullptr;
    static const std::shared_ptr<MTLDevice> device = MTLDevice::make();
    return device;
}

}  // namespace Metal
