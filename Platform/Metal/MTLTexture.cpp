#include "Metal/MTLTexture.hpp"

#include <algorithm>
#include <cmath>

namespace Metal {

using shading::float2;
using shading::float4;

MTLTexture::MTLTexture(const MTLTextureDescriptor& d)
    : width_(std::max(1, d.width)), height_(std::max(1, d.height)), format_(d.pixelFormat),
      texels_(std::size_t(width_) * std::size_t(height_)) {}

float4 MTLTexture::quantizeUnorm8(float4 v) {
    auto q = [](float c) { return std::nearbyint(shading::saturate(c) * 255.0f) / 255.0f; };
    return {q(v.x), q(v.y), q(v.z), q(v.w)};
}

float4 MTLTexture::read(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    return texels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void MTLTexture::write(int x, int y, float4 value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    texels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = quantize(format_, value);
}

void MTLTexture::fill(float4 value) { std::fill(texels_.begin(), texels_.end(), quantize(format_, value)); }

float4 MTLTexture::sample(float2 uv) const {
    float fx = shading::clamp(uv.x * float(width_) - 0.5f, 0.0f, float(width_ - 1));
    float fy = shading::clamp(uv.y * float(height_) - 0.5f, 0.0f, float(height_ - 1));
    if (!std::isfinite(fx)) fx = 0;
    if (!std::isfinite(fy)) fy = 0;
    int x0 = int(fx), y0 = int(fy);
    int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
    float tx = fx - float(x0), ty = fy - float(y0);
    float4 top = shading::mix(read(x0, y0), read(x1, y0), tx);
    float4 bottom = shading::mix(read(x0, y1), read(x1, y1), tx);
    return shading::mix(top, bottom, ty);
}

}  // namespace Metal
