#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "Metal/MTLTypes.hpp"

namespace Metal {

class MTLDevice;

// Memory the CPU and the shaders share.
class MTLBuffer {
public:
    MTLBuffer(std::size_t length, MTLResourceOptions options);
    void* contents() { return bytes_.data(); }
    const void* contents() const { return bytes_.data(); }
    std::size_t length() const { return bytes_.size(); }
    MTLResourceOptions resourceOptions() const { return options_; }
    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }

private:
    std::vector<unsigned char> bytes_;
    MTLResourceOptions options_;
    std::string label_;
};

}  // namespace Metal
