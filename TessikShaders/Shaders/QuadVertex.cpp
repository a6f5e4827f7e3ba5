#include "TessikShaders/Shaders/QuadVertex.hpp"

namespace TessikShaders::Shaders {

using namespace Metal::shading;

Metal::VertexOut quadVertex(std::uint32_t vertexID, const Metal::ShaderArguments& arguments) {
    Metal::VertexOut out;
    const auto* corners = arguments.get<float2>(0);
    const std::size_t available = arguments.length(0) / sizeof(float2);
    float2 p = corners && vertexID < available ? corners[vertexID] : float2(0.0f);
    out.position = {p.x, p.y, 0.0f, 1.0f};
    out.varyings[0] = {(p.x + 1.0f) * 0.5f, (1.0f - p.y) * 0.5f, 0.0f, 0.0f};
    return out;
}

}  // namespace TessikShaders::Shaders
