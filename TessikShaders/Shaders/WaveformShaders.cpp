// The header art: a few layered, breathing waveforms glowing over a deep gradient. Inputs:
// size (fragment bytes 0, two floats, pixels), seed (1, uint) and time (2, float, seconds).
// Colours are linear extended sRGB; the cores may go past 1 and saturate to white.
#include <algorithm>
#include <array>
#include <vector>

#include "Metal/ShaderFunction.hpp"
#include "TessikShaders/Shaders/QuadVertex.hpp"

namespace TessikShaders::Shaders {
namespace {

using namespace Metal::shading;

struct Layer {
    float3 color;
    float frequency1, frequency2;  // cycles across the width
    float speed1, speed2;          // radians per second
    float amplitude;               // of the height
    float inverseReach;            // 1 / how far the glowing core reaches, of the height
};

constexpr Layer kLayers[] = {
    {{0.02f, 0.42f, 1.00f}, 2.1f, 5.3f, 0.90f, -1.7f, 0.16f, 1.0f / 0.030f},
    {{0.85f, 0.06f, 0.62f}, 3.4f, 7.9f, -1.25f, 2.3f, 0.12f, 1.0f / 0.024f},
    {{0.38f, 0.16f, 1.00f}, 1.3f, 4.1f, 0.55f, -0.95f, 0.20f, 1.0f / 0.036f},
    {{0.05f, 0.85f, 0.62f}, 4.7f, 9.6f, 1.60f, -2.8f, 0.07f, 1.0f / 0.020f},
};
constexpr float kTwoPi = 6.283185307f;

// Where each layer's line crosses a column (of the height, from the centre). It depends on
// the column and the frame only, so each rasterising thread works it out once per column and
// frame and keeps it: the rows below read it back.
struct ColumnCache {
    float2 size{0.0f};
    std::uint32_t seed = 0;
    float time = -1.0f;
    std::vector<std::array<float, 4>> waves;
    std::vector<unsigned char> known;

    const std::array<float, 4>& column(int index, float x, float2 frameSize, std::uint32_t frameSeed, float frameTime) {
        if (frameSize.x != size.x || frameSize.y != size.y || frameSeed != seed || frameTime != time) {
            size = frameSize, seed = frameSeed, time = frameTime;
            waves.resize(std::size_t(frameSize.x) + 1);
            known.assign(waves.size(), 0);
        }
        const std::size_t i = std::size_t(std::clamp(index, 0, int(waves.size()) - 1));
        if (!known[i]) {
            waves[i] = wavesAt(x, seed, time);
            known[i] = 1;
        }
        return waves[i];
    }

    static std::array<float, 4> wavesAt(float x, std::uint32_t seed, float time) {
        // Waves fade in from the edges of the view.
        const float taper = fastSin(3.14159265f * x);
        const float envelope = 0.25f + 0.75f * taper * taper;
        std::array<float, 4> out{};
        for (int i = 0; i < 4; ++i) {
            const Layer& L = kLayers[i];
            const float phase = hash01(seed * 4u + std::uint32_t(i)) * kTwoPi;
            const float breathe = 0.7f + 0.3f * fastSin(time * (0.35f + 0.11f * float(i)) + phase);
            out[std::size_t(i)] = L.amplitude * breathe * envelope *
                                  (0.62f * fastSin(kTwoPi * L.frequency1 * x + L.speed1 * time + phase) +
                                   0.38f * fastSin(kTwoPi * L.frequency2 * x + L.speed2 * time - phase));
        }
        return out;
    }
};

float4 waveformFragment(const Metal::FragmentIn& in, const Metal::ShaderArguments& arguments) {
    const float2 size = arguments.value<float2>(0, float2(1.0f));
    const std::uint32_t seed = arguments.value<std::uint32_t>(1, 0u);
    const float time = arguments.value<float>(2, 0.0f);
    if (!(size.x > 0.0f) || !(size.y > 0.0f) || !(size.x < 65536.0f)) return {0, 0, 0, 1};

    const float x = in.position.x / size.x;
    const float y = in.position.y / size.y;

    // Night-blue at the top to violet-black at the bottom, lighter around the centre line.
    float3 color = mix(float3(0.004f, 0.006f, 0.022f), float3(0.016f, 0.004f, 0.030f), y);
    const float centre = y - 0.5f;
    const float band = saturate(1.0f - 6.0f * centre * centre);
    color += float3(0.010f, 0.012f, 0.040f) * band;

    thread_local ColumnCache cache;
    const auto& waves = cache.column(int(in.position.x), x, size, seed, time);
    for (int i = 0; i < 4; ++i) {
        const Layer& L = kLayers[i];
        // Polynomial falloffs instead of divisions: the core within a few widths of the line,
        // the halo within an eighth of the height.
        const float d = std::fabs(centre - waves[std::size_t(i)]);
        const float c = saturate(1.0f - d * L.inverseReach);
        const float c2 = c * c;
        const float h = saturate(1.0f - d * 8.0f);
        color += L.color * (c2 * c2 * c2 * 1.5f + h * h * h * 0.22f);
    }
    // A soft vignette keeps the corners dark behind the window's title.
    const float vx = x - 0.5f;
    const float vignette = saturate(1.0f - 1.1f * (vx * vx + centre * centre));
    return {color.x * vignette, color.y * vignette, color.z * vignette, 1.0f};
}

const Metal::RegisterShader vertexRegistration("audioWaveformVertexShader", &quadVertex);
const Metal::RegisterShader fragmentRegistration("audioWaveformFragmentShader", &waveformFragment);

}  // namespace
}  // namespace TessikShaders::Shaders
