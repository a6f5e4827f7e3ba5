#pragma once
#include <memory>
#include <string>

#include "AppKit/NSButtonCell.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/ButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::CGSize;

// The cell of the kit's styled buttons: it draws the whole button from its class's style. The
// bezel is the style's image for the cell's state, the title the style's font in the state's
// text colour, the image and title rectangles inset by the style's insets. Subclass cells
// answer style() with a style of their own and everything here draws with it.
// Overrides of the platform cell (see NSButtonCell): no highlight of its own (highlightsBy is
// empty; the pressed look is the `highlighted` bezel), no system focus ring, and the bezel,
// title and image drawing below.
// Main thread only: an entry point called from another thread stops the program.
class StyledButtonCell : public AppKit::NSButtonCell, public StyledControl<ButtonCellStyle>, public Selectable {
    VZ_OBJECT(StyledButtonCell, AppKit::NSButtonCell)
public:
    using Ptr = std::shared_ptr<StyledButtonCell>;

    void didInit() override;

    std::shared_ptr<ButtonCellStyle> style() const override { return sharedStyle<StyledButtonCell, ButtonCellStyle>(); }
    // default; on or mixed only when the cell shows its state (showsStateBy not empty);
    // disabled; highlighted while enabled; selected; invalid when Validating and not valid.
    StyledControlState controlState() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override {
        Runtime::assertMainActor();
        selected_ = selected;
    }
    bool verticallyCenterTitle() const { return verticallyCenterTitle_; }
    void setVerticallyCenterTitle(bool flag) {
        Runtime::assertMainActor();
        verticallyCenterTitle_ = flag;
    }

    // The title in the style's font and `color` (the style's text colour when null), centred
    // and cut at the tail. The control size plays no part: the font never depends on it.
    virtual CoreGraphics::AttributedText attributedTitleString(const std::string& title, AppKit::NSControlSize size,
                                                               const AppKit::NSColor::Ptr& color) const;

    CGRect drawingRect(CGRect forBounds) const override;
    CGRect imageRect(CGRect forBounds) const override;
    CGRect titleRect(CGRect forBounds) const override;
    CGRect focusRingMaskBounds(CGRect forFrame, AppKit::NSView& in) const override;
    void drawFocusRingMask(CGRect withFrame, AppKit::NSView& in) override;

    void drawBezel(CGRect withFrame, AppKit::NSView& in) override;
    CGRect drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) override;
    void drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) override;

protected:
    StyledButtonCell() = default;

private:
    bool selected_ = false;
    bool verticallyCenterTitle_ = true;
};

}  // namespace Orrindle
