#pragma once
#include <memory>

#include "AppKit/NSComboBoxCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/ComboBoxStyle.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// The kit's combo cell: its frame drawn from two kit images - "kvu-combobox" stretched over the
// text part, and the arrow part at its own size ("kvu-combobox-up" while the list is closed,
// "kvu-combobox" while it is open) - with the text inside the style's title insets. The state
// is the cells' default rule.
class StyledComboBoxCell : public AppKit::NSComboBoxCell, public StyledControl<ComboBoxStyle> {
    VZ_OBJECT(StyledComboBoxCell, AppKit::NSComboBoxCell)
public:
    using Ptr = std::shared_ptr<StyledComboBoxCell>;

    std::shared_ptr<ComboBoxStyle> style() const override { return comboStyle(); }
    static std::shared_ptr<ComboBoxStyle> comboStyle() { return sharedStyle<StyledComboBoxCell, ComboBoxStyle>(); }

    bool isPopupOpen() const { return popupOpen_; }
    void setPopupOpen(bool flag);

    // Made anew from the catalogue at every use.
    AppKit::NSImage::Ptr leftImage() const;
    AppKit::NSImage::Ptr rightImage() const;
    // The text part of `r`: from its left edge to the arrow part, at y 0, as high as the body image.
    CGRect leftFrame(CGRect r) const;

    CGFloat buttonWidth() const override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return style()->interiorBackgroundStyle(); }
    // The platform's rectangle inset by the title insets, centred vertically on the bounds.
    CGRect titleRect(CGRect forBounds) const override;
    // The bezel (bordered or bezeled), then the interior inside the title insets.
    void draw(CGRect withFrame, AppKit::NSView& in) override;
    virtual void drawBezel(CGRect withFrame, AppKit::NSView& in);
    void drawFocusRingMask(CGRect, AppKit::NSView&) override {}

protected:
    StyledComboBoxCell() = default;

private:
    bool popupOpen_ = false;
};

}  // namespace Orrindle
