#pragma once
#include <memory>
#include <string>

#include "Metal/MTLDevice.hpp"

namespace TessikShaders {

// The pipeline of two functions of the module's library ("Shader Pipeline", rgba16Float, no
// blending). Throws the platform's error (Foundation::NSError) when the bundle has no library
// or the functions are missing or do not fit together.
std::shared_ptr<Metal::MTLRenderPipelineState> makeRenderPipelineState(Metal::MTLDevice& device,
                                                                       const std::string& vertexShaderName,
                                                                       const std::string& fragmentShaderName);

}  // namespace TessikShaders
