#pragma once
#include "Orrindle/Styles/ControlStyle.hpp"

namespace Orrindle {

// Text fields: the text-input colours, placeholder colours, padding around the text, and
// "kvu-textfield" bezels with focus and error looks.
class TextFieldCellStyle : public ControlStyle {
public:
    TextFieldCellStyle();

    const AppKit::NSColor::Ptr& placeholderTextColor() const { return placeholderTextColor_; }
    void setPlaceholderTextColor(AppKit::NSColor::Ptr color) { placeholderTextColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& placeholderBackground() const { return placeholderBackground_; }
    void setPlaceholderBackground(AppKit::NSColor::Ptr color) { placeholderBackground_ = std::move(color); }
    const AppKit::NSEdgeInsets& padding() const { return padding_; }
    void setPadding(const AppKit::NSEdgeInsets& insets) { padding_ = insets; }

    // A label's look, which every label style starts from: `font` and `textColor`, and no bezel
    // images, cap insets or padding, so the text is drawn unpadded with no bezel.
    void setLabelLook(AppKit::NSFont::Ptr font, AppKit::NSColor::Ptr textColor);

private:
    AppKit::NSColor::Ptr placeholderTextColor_;
    AppKit::NSColor::Ptr placeholderBackground_;
    AppKit::NSEdgeInsets padding_{2, 6, 2, 6};
};

}  // namespace Orrindle
