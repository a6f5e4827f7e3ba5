#pragma once
#include <memory>
#include <string>

#include "CoreGraphics/AssetResource.hpp"
#include "CoreGraphics/Color.hpp"
#include "Runtime/NSObject.hpp"

namespace Foundation {
class Bundle;
}

namespace AppKit {

class NSAppearance;

// A colour: a fixed value, or a system colour that has one value in the light appearance
// and one in the dark, resolved against the appearance being drawn.
class NSColor : public Runtime::NSObject {
    VZ_OBJECT(NSColor, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSColor>;

    static Ptr withCGColor(const CoreGraphics::CGColor& color);
    static Ptr sRGB(double r, double g, double b, double a = 1);
    static Ptr displayP3(double r, double g, double b, double a = 1);
    static Ptr white(double white, double a = 1);
    static Ptr dynamic(std::string name, const CoreGraphics::CGColor& light, const CoreGraphics::CGColor& dark);
    // A colour of a bundle's asset catalogue (the main bundle when null); null when the
    // catalogue has no colour of that name.
    static Ptr named(const std::string& name, const std::shared_ptr<Foundation::Bundle>& bundle = nullptr);
    // A new colour object from a colour resource, named after it; clear when the catalogue has
    // no colour of that name.
    static Ptr withResource(const CoreGraphics::ColorResource& resource);

    static Ptr clear();
    static Ptr whiteColor();
    static Ptr blackColor();
    static Ptr controlTextColor();
    static Ptr textColor();
    static Ptr labelColor();
    static Ptr secondaryLabelColor();
    static Ptr windowBackgroundColor();
    static Ptr controlAccentColor();
    // Behind content: a table's rows, a header cell's tint.
    static Ptr controlBackgroundColor();
    // A selected row while its table has the focus, and while it has not.
    static Ptr selectedContentBackgroundColor();
    static Ptr unemphasizedSelectedContentBackgroundColor();
    static Ptr separatorColor();
    static Ptr headerTextColor();

    // The value for the appearance being drawn (or the application's outside drawing).
    CoreGraphics::CGColor cgColor() const;
    CoreGraphics::CGColor resolved(const NSAppearance& appearance) const;
    double alphaComponent() const { return cgColor().alpha(); }
    Ptr withAlphaComponent(double alpha) const;
    // The catalogue or system name, empty for plain values.
    const std::string& name() const { return name_; }

    // Sets the fill and stroke (or just one) colour of the current context.
    void set() const;
    void setFill() const;
    void setStroke() const;

protected:
    NSColor() = default;

private:
    std::string name_;
    CoreGraphics::CGColor light_, dark_;
};

}  // namespace AppKit
