#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "MetalKit/MTKView.hpp"
#include "Runtime/NSObject.hpp"
#include "TessikShaders/QuadRenderer.hpp"
#include "TessikShaders/RendererError.hpp"

namespace TessikShaders {

// Draws one named pair of shader functions over the whole of a Metal view, every frame,
// with three fragment inputs: the drawable size (index 0, two floats), a seed fixed per
// renderer (1, 32-bit unsigned) and the time in seconds less every pause (2, float). The
// view's owner makes it the view's delegate and opens and closes its pauses. Main thread.
class MetalShaderRenderer : public Runtime::NSObject, public QuadRenderer {
    VZ_OBJECT(MetalShaderRenderer, Runtime::NSObject)
public:
    struct ErrorTag;
    using RendererError = RendererErrorOf<ErrorTag>;

    // Throws RendererError::noValidDevice without a device, command queue or quad buffer,
    // and the platform's error (Foundation::NSError) from library or pipeline creation.
    static std::shared_ptr<MetalShaderRenderer> make(MetalKit::MTKView& view, std::string name,
                                                     const std::string& vertxShaderName,
                                                     const std::string& fragmentShaderName);

    void drawInMTKView(MetalKit::MTKView& view) override;

    std::uint32_t seed() const { return seed_; }
    const std::string& name() const { return name_; }

    MetalShaderRenderer(MetalKit::MTKView& view, std::string name, const std::string& vertxShaderName,
                        const std::string& fragmentShaderName);

private:
    std::uint32_t seed_;
    std::string name_;
};

// 64 bits from the system's random source, the low 32 kept.
std::uint32_t randomSeed();

}  // namespace TessikShaders
