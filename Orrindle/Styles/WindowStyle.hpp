#pragma once
#include "AppKit/NSFont.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "Orrindle/Styles/BaseStyle.hpp"

namespace Orrindle {

// Windows: padding, font and text colour over the base look.
class WindowStyle : public BaseStyle {
public:
    WindowStyle();

    CoreGraphics::CGSize padding() const { return padding_; }
    void setPadding(CoreGraphics::CGSize padding) { padding_ = padding; }
    const AppKit::NSFont::Ptr& font() const { return font_; }
    void setFont(AppKit::NSFont::Ptr font) { font_ = std::move(font); }
    const AppKit::NSColor::Ptr& textColor() const { return textColor_; }
    void setTextColor(AppKit::NSColor::Ptr color) { textColor_ = std::move(color); }

private:
    CoreGraphics::CGSize padding_{10, 6};
    AppKit::NSFont::Ptr font_;
    AppKit::NSColor::Ptr textColor_;
};

}  // namespace Orrindle
