#pragma once
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace Foundation {
class Bundle;
}

namespace SwiftUI {

// A function of a bundle's shader library, by name; whether the library has it shows only
// when something draws with it.
struct ShaderFunction {
    std::shared_ptr<Foundation::Bundle> library;
    std::string name;
};

// The shader library of a bundle.
class ShaderLibrary {
public:
    static ShaderLibrary bundle(std::shared_ptr<Foundation::Bundle> bundle) { return ShaderLibrary(std::move(bundle)); }
    ShaderFunction function(std::string name) const { return {bundle_, std::move(name)}; }
    const std::shared_ptr<Foundation::Bundle>& bundleRef() const { return bundle_; }

private:
    explicit ShaderLibrary(std::shared_ptr<Foundation::Bundle> bundle) : bundle_(std::move(bundle)) {}
    std::shared_ptr<Foundation::Bundle> bundle_;
};

// A shader function with its arguments, as a view effect uses it.
class Shader {
public:
    // One argument: a float or a vector of two to four floats.
    struct Argument {
        static Argument float_(float x) { return {{x}}; }
        static Argument float2(float x, float y) { return {{x, y}}; }
        static Argument float4(float x, float y, float z, float w) { return {{x, y, z, w}}; }
        std::vector<float> values;
        friend bool operator==(const Argument&, const Argument&) = default;
    };

    Shader(ShaderFunction function, std::vector<Argument> arguments)
        : function_(std::move(function)), arguments_(std::move(arguments)) {}

    const ShaderFunction& function() const { return function_; }
    const std::vector<Argument>& arguments() const { return arguments_; }

    // Runs the function as a colour effect over every pixel of `image` (premultiplied, 8-bit
    // sRGB): it gets the pixel's centre in points from the top left (pixels / `scale`), the
    // colour premultiplied in 0...1, and the arguments bound at 0, 1, ... in order. False,
    // with the image untouched, when the library or the function cannot be had.
    bool applyColorEffect(CoreGraphics::CGImage& image, CoreGraphics::CGFloat scale) const;

private:
    ShaderFunction function_;
    std::vector<Argument> arguments_;
};

}  // namespace SwiftUI
