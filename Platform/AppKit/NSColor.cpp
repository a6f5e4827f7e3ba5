#include "AppKit/NSColor.hpp"

#include "AppKit/AssetLookup.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

using CoreGraphics::CGColor;

NSColor::Ptr NSColor::dynamic(std::string name, const CGColor& light, const CGColor& dark) {
    auto c = Runtime::make<NSColor>();
    c->name_ = std::move(name);
    c->light_ = light;
    c->dark_ = dark;
    return c;
}

NSColor::Ptr NSColor::withCGColor(const CGColor& color) { return dynamic({}, color, color); }
NSColor::Ptr NSColor::sRGB(double r, double g, double b, double a) { return withCGColor(CGColor::sRGB(r, g, b, a)); }
NSColor::Ptr NSColor::displayP3(double r, double g, double b, double a) {
    return withCGColor(CGColor::displayP3(r, g, b, a));
}
NSColor::Ptr NSColor::white(double w, double a) { return withCGColor(CGColor::gray(w, a)); }

NSColor::Ptr NSColor::named(const std::string& name, const std::shared_ptr<Foundation::Bundle>& bundle) {
    auto catalog = assetCatalog(bundle);
    if (!catalog) return nullptr;
    auto color = catalog->findColor(name);
    if (!color) return nullptr;
    return dynamic(name, *color, *color);
}

NSColor::Ptr NSColor::withResource(const CoreGraphics::ColorResource& resource) {
    auto catalog = assetCatalog(resource.bundle.get());
    const CGColor color = catalog ? catalog->color(resource.name) : CGColor::clear();
    return dynamic(resource.name, color, color);
}

#define VZ_SYSTEM_COLOR(fn, light, dark)                                       \
    NSColor::Ptr NSColor::fn() {                                               \
        static const Ptr c = dynamic(#fn, light, dark);                        \
        return c;                                                              \
    }
VZ_SYSTEM_COLOR(clear, CGColor::clear(), CGColor::clear())
VZ_SYSTEM_COLOR(whiteColor, CGColor::white(), CGColor::white())
VZ_SYSTEM_COLOR(blackColor, CGColor::black(), CGColor::black())
VZ_SYSTEM_COLOR(controlTextColor, CGColor::gray(0, 0.85), CGColor::gray(1, 0.85))
VZ_SYSTEM_COLOR(textColor, CGColor::black(), CGColor::white())
VZ_SYSTEM_COLOR(labelColor, CGColor::gray(0, 0.85), CGColor::gray(1, 0.85))
VZ_SYSTEM_COLOR(secondaryLabelColor, CGColor::gray(0, 0.5), CGColor::gray(1, 0.55))
VZ_SYSTEM_COLOR(windowBackgroundColor, CGColor::gray(0.925), CGColor::gray(0.196))
VZ_SYSTEM_COLOR(controlAccentColor, CGColor::sRGB(0, 0.478, 1), CGColor::sRGB(0.039, 0.518, 1))
VZ_SYSTEM_COLOR(controlBackgroundColor, CGColor::white(), CGColor::gray(0.118))
VZ_SYSTEM_COLOR(selectedContentBackgroundColor, CGColor::sRGB(0, 0.388, 0.882), CGColor::sRGB(0, 0.345, 0.816))
VZ_SYSTEM_COLOR(unemphasizedSelectedContentBackgroundColor, CGColor::gray(0.863), CGColor::gray(0.275))
VZ_SYSTEM_COLOR(separatorColor, CGColor::gray(0, 0.1), CGColor::gray(1, 0.1))
VZ_SYSTEM_COLOR(headerTextColor, CGColor::gray(0, 0.85), CGColor::white())
#undef VZ_SYSTEM_COLOR

CGColor NSColor::resolved(const NSAppearance& appearance) const { return appearance.isDark() ? dark_ : light_; }

CGColor NSColor::cgColor() const {
    auto appearance = NSAppearance::currentDrawing();
    if (!appearance) appearance = NSApplication::shared().effectiveAppearance();
    return resolved(*appearance);
}

NSColor::Ptr NSColor::withAlphaComponent(double alpha) const {
    return dynamic(name_, light_.withAlpha(alpha), dark_.withAlpha(alpha));
}

void NSColor::set() const {
    setFill();
    setStroke();
}

void NSColor::setFill() const {
    if (auto* ctx = CoreGraphics::CGContext::current()) ctx->setFillColor(cgColor());
}

void NSColor::setStroke() const {
    if (auto* ctx = CoreGraphics::CGContext::current()) ctx->setStrokeColor(cgColor());
}

}  // namespace AppKit
