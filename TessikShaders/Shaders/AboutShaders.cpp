// The about art: the logo lit by a slow sweep of light over drifting nebula made from the
// noise texture. Inputs: size (fragment bytes 0), time (1); textures logo (0), noise (1).
#include "Metal/MTLTexture.hpp"
#include "Metal/ShaderFunction.hpp"
#include "TessikShaders/Shaders/QuadVertex.hpp"

namespace TessikShaders::Shaders {
namespace {

using namespace Metal::shading;

float4 sampleOr(const Metal::MTLTexture* texture, float2 uv, float4 fallback) {
    return texture ? texture->sample(uv) : fallback;
}

// Smooth value noise from the noise tile, repeated: texels blended with eased weights so no
// blocks show, `p` in texels.
float valueNoise(const Metal::MTLTexture& noise, float2 p, int channel) {
    const int w = noise.width(), h = noise.height();
    const float fx = fastFloor(p.x), fy = fastFloor(p.y);
    const int x0 = ((int(fx) % w) + w) % w, y0 = ((int(fy) % h) + h) % h;
    const int x1 = (x0 + 1) % w, y1 = (y0 + 1) % h;
    float tx = p.x - fx, ty = p.y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    auto at = [&](int x, int y) {
        const float4 t = noise.read(x, y);
        return channel == 0 ? t.x : (channel == 1 ? t.y : t.z);
    };
    return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

// Three octaves, each from its own channel.
float clouds(const Metal::MTLTexture* noise, float2 p) {
    if (!noise) return 0.5f;
    return valueNoise(*noise, p, 0) * 0.55f + valueNoise(*noise, p * 2.03f, 1) * 0.3f +
           valueNoise(*noise, p * 4.11f, 2) * 0.15f;
}

float4 aboutFragment(const Metal::FragmentIn& in, const Metal::ShaderArguments& arguments) {
    const float2 size = arguments.value<float2>(0, float2(1.0f));
    const float time = arguments.value<float>(1, 0.0f);
    if (!(size.x > 0.0f) || !(size.y > 0.0f)) return {0, 0, 0, 1};
    const Metal::MTLTexture* logo = arguments.texture(0);
    const Metal::MTLTexture* noise = arguments.texture(1);

    const float2 uv{in.position.x / size.x, in.position.y / size.y};
    const float side = std::min(size.x, size.y);
    // Square coordinates around the centre, -1...1 across the shorter side.
    const float2 p{(in.position.x - size.x * 0.5f) / (side * 0.5f), (in.position.y - size.y * 0.5f) / (side * 0.5f)};

    // Two layers of noise drifting apart make a slow nebula.
    const float2 q{uv.x * size.x / side, uv.y * size.y / side};
    const float n1 = clouds(noise, q * 5.0f + float2(time * 0.30f, time * 0.12f));
    const float n2 = clouds(noise, q * 9.0f - float2(time * 0.18f, -time * 0.25f));
    const float cloud = smoothstep(0.42f, 0.80f, n1 * 0.65f + n2 * 0.35f);
    const float radial = saturate(1.0f - 0.55f * dot(p, p));
    float3 color = mix(float3(0.006f, 0.004f, 0.020f), float3(0.030f, 0.012f, 0.070f), radial);
    color += float3(0.10f, 0.03f, 0.20f) * cloud * radial;

    // The logo fills 70% of the shorter side.
    const float2 logoUV{p.x / 1.4f + 0.5f, p.y / 1.4f + 0.5f};
    const bool inside = logoUV.x >= 0 && logoUV.x <= 1 && logoUV.y >= 0 && logoUV.y <= 1;
    const float mark = inside ? sampleOr(logo, logoUV, float4(0.0f)).w : 0.0f;
    // A soft halo from a wider, blurrier look at the same mark.
    const float halo = inside ? sampleOr(logo, float2(0.5f) + (logoUV - float2(0.5f)) * 0.96f, float4(0.0f)).w : 0.0f;
    // A band of light crossing the mark diagonally every six seconds.
    const float sweepPos = fract(time / 6.0f) * 3.0f - 1.0f;
    const float band = saturate(1.0f - std::fabs((logoUV.x + logoUV.y) * 0.5f - sweepPos) * 6.0f);
    const float3 tint = mix(float3(0.35f, 0.55f, 1.0f), float3(0.95f, 0.35f, 0.85f), saturate(logoUV.y));
    color += tint * halo * 0.25f;
    color = mix(color, tint * (0.8f + 1.6f * band * band), mark);
    return {color.x, color.y, color.z, 1.0f};
}

const Metal::RegisterShader vertexRegistration("aboutVertexShader", &quadVertex);
const Metal::RegisterShader fragmentRegistration("aboutFragmentShader", &aboutFragment);

}  // namespace
}  // namespace TessikShaders::Shaders
