#include "QuartzCore/CAMetalLayer.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace QuartzCore {

using CoreGraphics::CGColorSpace;
using Metal::shading::float4;

namespace {

// Linear light in 0...1 to 8-bit sRGB, by table.
constexpr int kTableSize = 4096;
const std::array<std::uint8_t, kTableSize + 1>& encodeTable() {
    static const auto table = [] {
        std::array<std::uint8_t, kTableSize + 1> t{};
        for (int i = 0; i <= kTableSize; ++i) {
            double v = double(i) / kTableSize;
            double e = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
            t[std::size_t(i)] = std::uint8_t(std::lround(std::clamp(e, 0.0, 1.0) * 255));
        }
        return t;
    }();
    return table;
}

inline float clamp01(float v) { return v > 0 ? (v < 1 ? v : 1) : 0; }  // NaN goes to 0

}  // namespace

std::shared_ptr<CAMetalDrawable> CAMetalLayer::nextDrawable() {
    int w = int(std::lround(drawableSize_.width)), h = int(std::lround(drawableSize_.height));
    if (!device_ || w <= 0 || h <= 0) return nullptr;
    std::shared_ptr<Metal::MTLTexture> texture;
    for (auto& t : textures_) {
        if (t.use_count() == 1 && t->width() == w && t->height() == h && t->pixelFormat() == pixelFormat_) {
            texture = t;
            break;
        }
    }
    if (!texture) {
        texture = device_->newTexture(Metal::MTLTextureDescriptor::texture2D(pixelFormat_, w, h));
        if (!texture) return nullptr;
        // Keep a few; older ones go once their users let go.
        if (textures_.size() >= 3) textures_.erase(textures_.begin());
        textures_.push_back(texture);
    }
    return std::make_shared<CAMetalDrawable>(texture, sharedAs<CAMetalLayer>());
}

std::shared_ptr<CoreGraphics::CGImage> CAMetalLayer::displayImage(const Metal::MTLTexture& texture) const {
    auto image = CoreGraphics::CGImage::make(texture.width(), texture.height());
    const bool halfFloat = texture.pixelFormat() == Metal::MTLPixelFormat::rgba16Float;
    const CGColorSpace space = colorspace_.value_or(halfFloat ? CGColorSpace::extendedLinearSRGB : CGColorSpace::sRGB);
    const bool linear = space == CGColorSpace::extendedLinearSRGB || space == CGColorSpace::extendedLinearDisplayP3;
    const bool p3 = space == CGColorSpace::extendedLinearDisplayP3 || space == CGColorSpace::displayP3;
    const auto& table = encodeTable();
    auto decode = [](float c) {  // sRGB-encoded to linear, for the P3 matrix
        return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    };
    auto encode = [&](float linearValue) { return table[std::size_t(clamp01(linearValue) * kTableSize + 0.5f)]; };
    // lround's value for 0...255 without its call per channel, a good part of a frame: a float
    // plus a half is exact in double.
    auto byte = [](float unit) { return std::uint8_t(double(clamp01(unit) * 255) + 0.5); };
    const auto& texels = texture.texels();
    std::uint32_t* out = image->data();
    for (std::size_t i = 0; i < texels.size(); ++i) {
        float4 c = texels[i];
        std::uint8_t r, g, b;
        if (p3) {
            float lr = linear ? c.x : decode(clamp01(c.x)), lg = linear ? c.y : decode(clamp01(c.y)),
                  lb = linear ? c.z : decode(clamp01(c.z));
            r = encode(1.2249401f * lr - 0.2249404f * lg);
            g = encode(-0.0420569f * lr + 1.0420571f * lg);
            b = encode(-0.0196376f * lr - 0.0786361f * lg + 1.0982735f * lb);
        } else if (linear) {
            r = encode(c.x), g = encode(c.y), b = encode(c.z);
        } else {
            r = byte(c.x), g = byte(c.y), b = byte(c.z);
        }
        const std::uint32_t a = byte(c.w);
        auto pm = [a](std::uint32_t v) { return (v * a + 127) / 255; };
        out[i] = (a << 24) | (pm(r) << 16) | (pm(g) << 8) | pm(b);
    }
    return image;
}

void CAMetalDrawable::present() {
    if (presented_) return;
    presented_ = true;
    if (auto layer = layer_.lock()) layer->setContents(layer->displayImage(*texture_));
}

}  // namespace QuartzCore
