#include "TessikShaders/TessikShadersHelper.hpp"

#include "TessikShaders/ModuleBundle.hpp"

namespace TessikShaders {

namespace {
SwiftUI::ShaderFunction function(const char* name) {
    return SwiftUI::ShaderLibrary::bundle(ModuleBundle::module()).function(name);
}
SwiftUI::Shader::Argument vector(Metal::shading::float4 v) { return SwiftUI::Shader::Argument::float4(v.x, v.y, v.z, v.w); }
}  // namespace

SwiftUI::Shader TessikShadersHelper::colorMatrixShader(Metal::shading::float4 r, Metal::shading::float4 g,
                                                       Metal::shading::float4 b, Metal::shading::float4 a) {
    return SwiftUI::Shader(function("colorMatrixShader"), {vector(r), vector(g), vector(b), vector(a)});
}

SwiftUI::Shader TessikShadersHelper::outsideSRGBShader() { return SwiftUI::Shader(function("outsideSRGBShader"), {}); }

SwiftUI::Shader TessikShadersHelper::outsideP3Shader() { return SwiftUI::Shader(function("outsideP3Shader"), {}); }

}  // namespace TessikShaders
