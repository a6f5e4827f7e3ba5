#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Metal/ShaderMath.hpp"

// Shader functions are C++ compiled into their module and registered by name; a bundle's
// library file says which of them the bundle's library holds (see MTLDevice::newDefaultLibrary).
namespace Metal {

class MTLTexture;

enum class MTLFunctionType : unsigned long { vertex = 1, fragment = 2, kernel = 3, visible = 5 };

// What one draw binds for one stage: inline bytes and buffers share the index space, as on
// the platform; textures have their own.
class ShaderArguments {
public:
    static constexpr int maxBufferBindings = 31;
    static constexpr int maxTextureBindings = 31;

    // The data bound at `index` viewed as T; nullptr when nothing is bound there or it is
    // shorter than a T (a shader then falls back instead of reading past the end).
    template <class T>
    const T* get(int index) const {
        if (index < 0 || index >= maxBufferBindings) return nullptr;
        const Binding& b = buffers_[std::size_t(index)];
        return b.data && b.length >= sizeof(T) ? static_cast<const T*>(b.data) : nullptr;
    }
    template <class T>
    T value(int index, T fallback) const {
        const T* p = get<T>(index);
        return p ? *p : fallback;
    }
    std::size_t length(int index) const {
        return index >= 0 && index < maxBufferBindings ? buffers_[std::size_t(index)].length : 0;
    }
    const MTLTexture* texture(int index) const {
        return index >= 0 && index < maxTextureBindings ? textures_[std::size_t(index)] : nullptr;
    }

    void bind(int index, const void* data, std::size_t length) {
        if (index >= 0 && index < maxBufferBindings) buffers_[std::size_t(index)] = {data, length};
    }
    void bindTexture(int index, const MTLTexture* texture) {
        if (index >= 0 && index < maxTextureBindings) textures_[std::size_t(index)] = texture;
    }

private:
    struct Binding {
        const void* data = nullptr;
        std::size_t length = 0;
    };
    std::array<Binding, maxBufferBindings> buffers_{};
    std::array<const MTLTexture*, maxTextureBindings> textures_{};
};

inline constexpr int kVaryingCount = 2;

// A vertex function's result: the clip-space position and values interpolated across the
// primitive for the fragment function.
struct VertexOut {
    shading::float4 position;
    std::array<shading::float4, kVaryingCount> varyings{};
};

// A fragment function's input: `position` is the pixel centre in framebuffer coordinates
// (origin top left, y down), as the platform's [[position]].
struct FragmentIn {
    shading::float4 position;
    std::array<shading::float4, kVaryingCount> varyings{};
};

using VertexFunction = VertexOut (*)(std::uint32_t vertexID, const ShaderArguments& arguments);
using FragmentFunction = shading::float4 (*)(const FragmentIn& in, const ShaderArguments& arguments);
// A colour effect (a "stitchable" function): the colour at `position` (points, top left)
// becomes the result; its arguments are bound at 0, 1, ... in the order given.
using ColorEffectFunction = shading::float4 (*)(shading::float2 position, shading::float4 color,
                                                const ShaderArguments& arguments);

struct ShaderFunctionEntry {
    std::string name;
    MTLFunctionType type;
    VertexFunction vertex = nullptr;
    FragmentFunction fragment = nullptr;
    ColorEffectFunction colorEffect = nullptr;
};

// The process-wide table of compiled shader functions, filled by static registrars when
// their module loads. Thread-safe.
namespace ShaderFunctionRegistry {
void add(ShaderFunctionEntry entry);
std::optional<ShaderFunctionEntry> find(std::string_view name);
std::vector<std::string> names();
}  // namespace ShaderFunctionRegistry

// One static object per function:  static const Metal::RegisterShader r("name", &fn);
struct RegisterShader {
    RegisterShader(const char* name, VertexFunction fn);
    RegisterShader(const char* name, FragmentFunction fn);
    RegisterShader(const char* name, ColorEffectFunction fn);
};

}  // namespace Metal
