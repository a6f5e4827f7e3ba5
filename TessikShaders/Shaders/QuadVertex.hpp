#pragma once
#include "Metal/ShaderFunction.hpp"

namespace TessikShaders::Shaders {

// Passes the quad's corner (vertex buffer 0, two floats per vertex) through and hands the
// fragment stage its position in the view, 0...1 from the top left, as varying 0.
Metal::VertexOut quadVertex(std::uint32_t vertexID, const Metal::ShaderArguments& arguments);

}  // namespace TessikShaders::Shaders
