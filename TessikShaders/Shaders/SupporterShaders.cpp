// The switch art: six orbs, two rows of three, that glow in their own colour while on,
// flare while held down, and send out a ripple each time they are turned on. Inputs: size
// (fragment bytes 0), time (1), screen scale (2); buffers of six floats: on (3), down (4),
// switch-on history, newest first, -1 empty (5), and its times (6).
#include <array>

#include "Metal/ShaderFunction.hpp"
#include "TessikShaders/Shaders/QuadVertex.hpp"

namespace TessikShaders::Shaders {
namespace {

using namespace Metal::shading;
using Six = std::array<float, 6>;

constexpr float3 kColors[6] = {
    {0.05f, 0.45f, 1.00f}, {0.85f, 0.10f, 0.65f}, {0.10f, 0.85f, 0.55f},
    {1.00f, 0.55f, 0.08f}, {0.45f, 0.20f, 1.00f}, {0.95f, 0.85f, 0.15f},
};

float2 orbCentre(int i, float2 size) {
    const float col = float(i % 3), row = float(i / 3);
    return {size.x * (0.2f + 0.3f * col), size.y * (0.3f + 0.4f * row)};
}

float4 supporterFragment(const Metal::FragmentIn& in, const Metal::ShaderArguments& arguments) {
    const float2 size = arguments.value<float2>(0, float2(1.0f));
    const float time = arguments.value<float>(1, 0.0f);
    const float scale = std::max(arguments.value<float>(2, 1.0f), 0.5f);
    if (!(size.x > 0.0f) || !(size.y > 0.0f)) return {0, 0, 0, 1};
    const Six none{}, empty{-1, -1, -1, -1, -1, -1};
    const Six& on = arguments.value<Six>(3, none);
    const Six& down = arguments.value<Six>(4, none);
    const Six& history = arguments.value<Six>(5, empty);
    const Six& historyTime = arguments.value<Six>(6, none);

    const float2 p{in.position.x, in.position.y};
    const float unit = std::min(size.x / 3.0f, size.y / 2.0f);
    const float radius = unit * 0.22f;
    const float line = 1.2f * scale;
    float3 color = mix(float3(0.008f, 0.008f, 0.020f), float3(0.020f, 0.010f, 0.035f), p.y / size.y);

    for (int i = 0; i < 6; ++i) {
        const float d = length(p - orbCentre(i, size));
        const float3 c = kColors[i];
        // The orb's rim, always there, dim.
        const float rim = saturate(1.0f - std::fabs(d - radius) / line);
        color += float3(0.10f, 0.11f, 0.16f) * rim;
        if (on[std::size_t(i)] > 0.5f) {
            const float breathe = 0.85f + 0.15f * fastSin(time * 2.1f + float(i));
            const float core = saturate(1.0f - d / radius);
            const float glow = saturate(1.0f - d / (radius * 2.6f));
            color += c * (core * core * 1.4f * breathe + glow * glow * 0.35f) + c * rim * 1.5f;
        }
        if (down[std::size_t(i)] > 0.5f) {
            const float flare = saturate(1.0f - d / (radius * 0.55f));
            color += float3(1.0f) * flare * flare * 0.9f;
        }
    }
    // Ripples from the latest switch-ons: a ring that grows and fades over two seconds.
    for (int k = 0; k < 6; ++k) {
        const int which = int(history[std::size_t(k)]);
        if (which < 0 || which > 5) continue;
        const float age = time - historyTime[std::size_t(k)];
        if (age < 0.0f || age > 2.0f) continue;
        const float d = length(p - orbCentre(which, size));
        const float ring = radius + age * unit * 0.6f;
        const float width = line * 2.5f + age * unit * 0.04f;
        const float wave = saturate(1.0f - std::fabs(d - ring) / width);
        color += kColors[which] * wave * (1.0f - age * 0.5f) * 0.9f;
    }
    return {color.x, color.y, color.z, 1.0f};
}

const Metal::RegisterShader vertexRegistration("supporterVertexShader", &quadVertex);
const Metal::RegisterShader fragmentRegistration("supporterFragmentShader", &supporterFragment);

}  // namespace
}  // namespace TessikShaders::Shaders
