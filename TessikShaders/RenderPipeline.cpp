#include "TessikShaders/RenderPipeline.hpp"

#include "TessikShaders/ModuleBundle.hpp"

namespace TessikShaders {

std::shared_ptr<Metal::MTLRenderPipelineState> makeRenderPipelineState(Metal::MTLDevice& device,
                                                                       const std::string& vertexShaderName,
                                                                       const std::string& fragmentShaderName) {
    auto library = device.newDefaultLibrary(*ModuleBundle::module());
    Metal::MTLRenderPipelineDescriptor descriptor;
    descriptor.label = "Shader Pipeline";
    descriptor.vertexFunction = library->newFunction(vertexShaderName);
    descriptor.fragmentFunction = library->newFunction(fragmentShaderName);
    descriptor.colorAttachments[0].pixelFormat = Metal::MTLPixelFormat::rgba16Float;
    return device.newRenderPipelineState(descriptor);
}

}  // namespace TessikShaders
