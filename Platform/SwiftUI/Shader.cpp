#include "SwiftUI/Shader.hpp"

#include <cmath>

#include "Foundation/Bundle.hpp"
#include "Metal/MTLLibrary.hpp"
#include "Metal/ShaderFunction.hpp"

namespace SwiftUI {

bool Shader::applyColorEffect(CoreGraphics::CGImage& image, CoreGraphics::CGFloat scale) const {
    if (!function_.library) return false;
    std::shared_ptr<Metal::MTLFunction> fn;
    try {
        fn = Metal::MTLLibrary::fromBundle(*function_.library)->newFunction(function_.name);
    } catch (const std::exception&) {
        return false;
    }
    if (!fn || fn->functionType() != Metal::MTLFunctionType::visible || !fn->entry().colorEffect) return false;
    Metal::ShaderArguments bound;
    for (std::size_t i = 0; i < arguments_.size(); ++i)
        bound.bind(int(i), arguments_[i].values.data(), arguments_[i].values.size() * sizeof(float));
    const auto effect = fn->entry().colorEffect;
    const float inv = scale > 0 ? float(1.0 / scale) : 1.0f;
    auto channel = [](std::uint32_t v, int shift) { return float((v >> shift) & 0xFF) / 255.0f; };
    auto byte = [](float v) { return std::uint32_t(std::lround((v > 0 ? (v < 1 ? v : 1) : 0) * 255)); };
    std::uint32_t* pixels = image.data();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::uint32_t& p = pixels[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)];
            const Metal::shading::float4 in{channel(p, 16), channel(p, 8), channel(p, 0), channel(p, 24)};
            const auto out = effect({(float(x) + 0.5f) * inv, (float(y) + 0.5f) * inv}, in, bound);
            // Stored premultiplied: no colour channel above alpha.
            const std::uint32_t a = byte(out.w);
            auto c = [&](float v) { return std::min(byte(v), a); };
            p = (a << 24) | (c(out.x) << 16) | (c(out.y) << 8) | c(out.z);
        }
    return true;
}

}  // namespace SwiftUI
