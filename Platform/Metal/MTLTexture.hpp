#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Metal/MTLTypes.hpp"
#include "Metal/ShaderMath.hpp"

namespace Metal {

struct MTLTextureDescriptor {
    MTLPixelFormat pixelFormat = MTLPixelFormat::bgra8Unorm;
    int width = 1;
    int height = 1;

    static MTLTextureDescriptor texture2D(MTLPixelFormat format, int width, int height) {
        return {format, width, height};
    }
};

// A 2D image. Texels are kept as four floats whatever the format, so shaders and the
// rasteriser read one representation; writes are quantised as the format stores them
// (8-bit unorm clamps to 0...1 and rounds to 1/255; half floats keep their range).
class MTLTexture {
public:
    explicit MTLTexture(const MTLTextureDescriptor& descriptor);

    int width() const { return width_; }
    int height() const { return height_; }
    MTLPixelFormat pixelFormat() const { return format_; }
    const std::string& label() const { return label_; }
    void setLabel(std::string label) { label_ = std::move(label); }

    // Texel (x, y), origin top left; transparent black outside.
    shading::float4 read(int x, int y) const;
    void write(int x, int y, shading::float4 value);
    // Bilinear, clamped to the edges; `uv` in 0...1 from the top left.
    shading::float4 sample(shading::float2 uv) const;
    void fill(shading::float4 value);

    // Rows top first, width() texels each.
    const std::vector<shading::float4>& texels() const { return texels_; }
    shading::float4* row(int y) { return texels_.data() + std::size_t(y) * std::size_t(width_); }

    // What the format does to a value on write.
    static shading::float4 quantize(MTLPixelFormat format, shading::float4 value) {
        if (format == MTLPixelFormat::bgra8Unorm) return quantizeUnorm8(value);
        // Half floats overflow to infinity past 65504; a NaN stays NaN.
        auto h = [](float c) { return c > 65504.0f ? INFINITY : (c < -65504.0f ? -INFINITY : c); };
        return {h(value.x), h(value.y), h(value.z), h(value.w)};
    }

private:
    static shading::float4 quantizeUnorm8(shading::float4 value);

    int width_, height_;
    MTLPixelFormat format_;
    std::string label_;
    std::vector<shading::float4> texels_;
};

}  // namespace Metal
