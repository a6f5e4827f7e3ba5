#pragma once
#include <cmath>
#include <cstdint>

// The small vector language shader functions are written in: float2/3/4 with component-wise
// arithmetic and the usual shading helpers. Everything is inline so a fragment function
// compiles to straight-line code.
namespace Metal::shading {

struct float2 {
    float x = 0, y = 0;
    constexpr float2() = default;
    constexpr float2(float x_, float y_) : x(x_), y(y_) {}
    constexpr explicit float2(float s) : x(s), y(s) {}
};
struct float3 {
    float x = 0, y = 0, z = 0;
    constexpr float3() = default;
    constexpr float3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    constexpr explicit float3(float s) : x(s), y(s), z(s) {}
};
struct float4 {
    float x = 0, y = 0, z = 0, w = 0;
    constexpr float4() = default;
    constexpr float4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr float4(float3 v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}
    constexpr float4(float2 a, float2 b) : x(a.x), y(a.y), z(b.x), w(b.y) {}
    constexpr explicit float4(float s) : x(s), y(s), z(s), w(s) {}
    constexpr float2 xy() const { return {x, y}; }
    constexpr float3 xyz() const { return {x, y, z}; }
};

#define VZ_SHADING_OPS(T, ...)                                                                            \
    constexpr T operator+(T a, T b) { return {__VA_ARGS__(+)}; }                                           \
    constexpr T operator-(T a, T b) { return {__VA_ARGS__(-)}; }                                           \
    constexpr T operator*(T a, T b) { return {__VA_ARGS__(*)}; }                                           \
    constexpr T operator/(T a, T b) { return {__VA_ARGS__(/)}; }                                           \
    constexpr T operator*(T a, float s) { return a * T(s); }                                               \
    constexpr T operator*(float s, T a) { return a * T(s); }                                               \
    constexpr T operator/(T a, float s) { return a / T(s); }                                               \
    constexpr T operator+(T a, float s) { return a + T(s); }                                               \
    constexpr T operator-(T a, float s) { return a - T(s); }                                               \
    constexpr T operator-(float s, T a) { return T(s) - a; }                                               \
    constexpr T operator-(T a) { return T(0.0f) - a; }                                                     \
    constexpr T& operator+=(T& a, T b) { return a = a + b; }                                               \
    constexpr T& operator*=(T& a, T b) { return a = a * b; }                                               \
    constexpr T& operator*=(T& a, float s) { return a = a * s; }
#define VZ_OP2(op) a.x op b.x, a.y op b.y
#define VZ_OP3(op) a.x op b.x, a.y op b.y, a.z op b.z
#define VZ_OP4(op) a.x op b.x, a.y op b.y, a.z op b.z, a.w op b.w
VZ_SHADING_OPS(float2, VZ_OP2)
VZ_SHADING_OPS(float3, VZ_OP3)
VZ_SHADING_OPS(float4, VZ_OP4)
#undef VZ_OP2
#undef VZ_OP3
#undef VZ_OP4
#undef VZ_SHADING_OPS

constexpr float dot(float2 a, float2 b) { return a.x * b.x + a.y * b.y; }
constexpr float dot(float3 a, float3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float length(float2 v) { return std::sqrt(dot(v, v)); }
inline float length(float3 v) { return std::sqrt(dot(v, v)); }

constexpr float clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
constexpr float saturate(float v) { return clamp(v, 0.0f, 1.0f); }
constexpr float mix(float a, float b, float t) { return a + (b - a) * t; }
constexpr float3 mix(float3 a, float3 b, float t) { return a + (b - a) * t; }
constexpr float4 mix(float4 a, float4 b, float t) { return a + (b - a) * t; }
constexpr float3 clamp(float3 v, float lo, float hi) { return {clamp(v.x, lo, hi), clamp(v.y, lo, hi), clamp(v.z, lo, hi)}; }
constexpr float step(float edge, float x) { return x < edge ? 0.0f : 1.0f; }
constexpr float smoothstep(float e0, float e1, float x) {
    float t = saturate((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
// Floor through an integer conversion: without SSE4.1 the library's floor is a call, and
// shader arguments stay well inside the int range.
inline float fastFloor(float v) {
    float t = float(int(v));
    return t > v ? t - 1.0f : t;
}
inline float fract(float v) { return v - fastFloor(v); }
inline float2 fract(float2 v) { return {fract(v.x), fract(v.y)}; }
inline float2 floor(float2 v) { return {fastFloor(v.x), fastFloor(v.y)}; }

// A sine good to about 1e-3 over any range, several times cheaper than the library's; shader
// looks do not need more.
inline float fastSin(float x) {
    constexpr float invTwoPi = 0.15915494309189535f;
    float t = x * invTwoPi;
    t -= fastFloor(t + 0.5f);  // -0.5 ... 0.5 turns
    // Bhaskara-style parabola with one refinement step.
    float y = 8.0f * t - 16.0f * t * std::fabs(t);
    return 0.225f * (y * std::fabs(y) - y) + y;
}
inline float fastCos(float x) { return fastSin(x + 1.5707963267948966f); }

// Integer hash to 0...1, the usual shader noise seed.
constexpr float hash01(std::uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return float(v >> 8) * (1.0f / 16777216.0f);
}

}  // namespace Metal::shading
