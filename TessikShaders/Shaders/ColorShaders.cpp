// Colour effects for SwiftUI views. Colours arrive premultiplied; the gamut checks read them
// as extended sRGB and mark what lies outside with diagonal stripes of the colour's
// complement over a neutral grey, so the spot shows whatever it sits on.
#include "Metal/ShaderFunction.hpp"

namespace TessikShaders::Shaders {
namespace {

using namespace Metal::shading;

float4 colorMatrix(float2, float4 c, const Metal::ShaderArguments& arguments) {
    const float4 identity[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    auto row = [&](int i) { return arguments.value<float4>(i, identity[i]); };
    auto dot4 = [&](float4 r) { return r.x * c.x + r.y * c.y + r.z * c.z + r.w * c.w; };
    return {dot4(row(0)), dot4(row(1)), dot4(row(2)), dot4(row(3))};
}

bool outside(float3 c) { return c.x < 0 || c.y < 0 || c.z < 0 || c.x > 1 || c.y > 1 || c.z > 1; }

float4 marked(float2 position, float4 c) {
    const float stripe = fract((position.x + position.y) / 8.0f) < 0.5f ? 1.0f : 0.0f;
    const float3 complement{c.w - c.x, c.w - c.y, c.w - c.z};
    const float3 grey{0.5f * c.w, 0.5f * c.w, 0.5f * c.w};
    const float3 out = mix(grey, complement, stripe);
    return {out.x, out.y, out.z, c.w};
}

float3 unpremultiplied(float4 c) { return c.w > 0 ? float3(c.x / c.w, c.y / c.w, c.z / c.w) : float3(0.0f); }

float4 outsideSRGB(float2 position, float4 c, const Metal::ShaderArguments&) {
    return outside(unpremultiplied(c)) ? marked(position, c) : c;
}

// Extended sRGB to Display P3, both gamma-encoded alike: decode, convert the linear values
// (D65 both), and compare.
float decode(float v) {
    const float a = std::fabs(v);
    const float l = a <= 0.04045f ? a / 12.92f : std::pow((a + 0.055f) / 1.055f, 2.4f);
    return std::copysign(l, v);
}

float4 outsideP3(float2 position, float4 c, const Metal::ShaderArguments&) {
    const float3 s = unpremultiplied(c);
    const float r = decode(s.x), g = decode(s.y), b = decode(s.z);
    const float3 p3{0.8224621f * r + 0.1775380f * g, 0.0331941f * r + 0.9668058f * g,
                    0.0170827f * r + 0.0723974f * g + 0.9105199f * b};
    const float e = 1e-4f;  // rounding at the gamut's own edge is not outside
    const bool out = p3.x < -e || p3.y < -e || p3.z < -e || p3.x > 1 + e || p3.y > 1 + e || p3.z > 1 + e;
    return out ? marked(position, c) : c;
}

const Metal::RegisterShader matrixRegistration("colorMatrixShader", &colorMatrix);
const Metal::RegisterShader sRGBRegistration("outsideSRGBShader", &outsideSRGB);
const Metal::RegisterShader p3Registration("outsideP3Shader", &outsideP3);

}  // namespace
}  // namespace TessikShaders::Shaders
