#pragma once
#include "Orrindle/Styles/ControlStyle.hpp"

namespace Orrindle {

// The push-button look, and the base of every button style: medium font, clear background, and
// the "kvu-button" bezels (pressed: "-down", on: "-selected").
class ButtonCellStyle : public ControlStyle {
public:
    ButtonCellStyle();

    const AppKit::NSEdgeInsets& imageEdgeInsets() const { return imageEdgeInsets_; }
    void setImageEdgeInsets(const AppKit::NSEdgeInsets& insets) { imageEdgeInsets_ = insets; }
    const AppKit::NSEdgeInsets& titleEdgeInsets() const { return titleEdgeInsets_; }
    void setTitleEdgeInsets(const AppKit::NSEdgeInsets& insets) { titleEdgeInsets_ = insets; }

private:
    AppKit::NSEdgeInsets imageEdgeInsets_;
    AppKit::NSEdgeInsets titleEdgeInsets_;
};

}  // namespace Orrindle
