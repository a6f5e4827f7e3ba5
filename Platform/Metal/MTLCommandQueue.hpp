#pragma once
#include <memory>
#include <string>

#include "Metal/MTLCommandBuffer.hpp"

namespace Metal {

class MTLDevice;

class MTLCommandQueue {
public:
    explicit MTLCommandQueue(std::shared_ptr<MTLDevice> device) : device_(std::move(device)) {}
    const std::shared_ptr<MTLDevice>& device() const { return device_; }
    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    // nullptr when the test switch withholds command buffers.
    std::shared_ptr<MTLCommandBuffer> commandBuffer();

private:
    std::shared_ptr<MTLDevice> device_;
    std::string label_;
};

}  // namespace Metal
