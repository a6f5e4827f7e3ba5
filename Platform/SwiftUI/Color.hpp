#pragma once
#include <memory>
#include <string>

#include "CoreGraphics/Color.hpp"
#include "SwiftUI/Resources.hpp"
#include "SwiftUI/View.hpp"

namespace AppKit {
class NSColor;
}

namespace SwiftUI {

// A colour value that is also a view filling the space it is offered.
class Color : public ViewImpl, public View<Color> {
public:
    Color() = default;  // clear
    Color(CoreGraphics::CGColor color) : color_(color) {}
    Color(double red, double green, double blue, double alpha = 1) : color_(CoreGraphics::CGColor::sRGB(red, green, blue, alpha)) {}
    // A named colour of a bundle's catalogue (null: the main bundle).
    Color(std::string name, std::shared_ptr<const Foundation::Bundle> bundle = nullptr);
    Color(const ColorResource& resource) : Color(resource.name, resource.bundle) {}
    // The platform's Color(nsColor:): the AppKit colour's value in the current appearance.
    explicit Color(const AppKit::NSColor& color);
    static Color displayP3(double red, double green, double blue, double alpha = 1) {
        return Color(CoreGraphics::CGColor::displayP3(red, green, blue, alpha));
    }

    static Color clear() { return {}; }
    static Color white() { return {1, 1, 1}; }
    static Color black() { return {0, 0, 0}; }
    static Color gray() { return {0.56, 0.56, 0.58}; }
    static Color red() { return {1, 0.23, 0.19}; }
    static Color green() { return {0.2, 0.78, 0.35}; }
    static Color blue() { return {0, 0.48, 1}; }
    static Color yellow() { return {1, 0.8, 0}; }
    static Color orange() { return {1, 0.58, 0}; }
    static Color accentColor() { return blue(); }
    static Color primary() { return {0, 0, 0, 0.85}; }
    static Color secondary() { return {0, 0, 0, 0.5}; }

    // The colour with its alpha multiplied (a Color, unlike the view modifier).
    Color opacity(double factor) const;

    const std::string& assetName() const { return name_; }
    // The colour to draw: a named colour is looked up now.
    CoreGraphics::CGColor resolved() const;
    bool isClear() const { return resolved().alpha() <= 0; }
    friend bool operator==(const Color& a, const Color& b) {
        return a.name_ == b.name_ && a.bundle_ == b.bundle_ && a.color_ == b.color_ && a.factor_ == b.factor_;
    }

    CGSize sizeThatFits(ViewNode&, ProposedViewSize p) const override { return p.replacingUnspecifiedDimensions(); }
    void render(const ViewNode&, RenderNode& r) const override;

private:
    CoreGraphics::CGColor color_;
    std::string name_;
    std::shared_ptr<const Foundation::Bundle> bundle_;
    double factor_ = 1;
};

// The platform's NSColor(Color): a new AppKit colour of the colour's value now, keeping the
// asset name of a named colour.
std::shared_ptr<AppKit::NSColor> nsColor(const Color& color);

}  // namespace SwiftUI
