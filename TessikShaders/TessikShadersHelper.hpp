#pragma once
#include "Metal/ShaderMath.hpp"
#include "SwiftUI/Shader.hpp"

namespace TessikShaders {

// The module's colour shaders for SwiftUI colour effects, from its bundle's library.
struct TessikShadersHelper {
    TessikShadersHelper() = delete;

    // Each colour through a matrix whose rows are r, g, b and a: (r.c, g.c, b.c, a.c).
    static SwiftUI::Shader colorMatrixShader(Metal::shading::float4 r, Metal::shading::float4 g,
                                             Metal::shading::float4 b, Metal::shading::float4 a);
    // Marks colours that lie outside the sRGB gamut.
    static SwiftUI::Shader outsideSRGBShader();
    // Marks colours that lie outside the Display P3 gamut.
    static SwiftUI::Shader outsideP3Shader();
};

}  // namespace TessikShaders
