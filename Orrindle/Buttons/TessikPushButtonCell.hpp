#pragma once
#include <memory>

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

// The push button's cell: the styled button cell's design with insets of its own (not the
// style's), the platform's drawing and title rectangles, a push bezel inset into the frame and
// stretched, and the regular control font for the title. Its style is its own, fixed for the
// class (style() is final).
class TessikPushButtonCell : public AppKit::NSButtonCell, public StyledControl<ButtonCellStyle>, public Selectable {
    VZ_OBJECT(TessikPushButtonCell, AppKit::NSButtonCell)
public:
    using Ptr = std::shared_ptr<TessikPushButtonCell>;

    static constexpr AppKit::NSEdgeInsets imageEdgeInsets{0, 0, 0, 0};
    // Of the title rectangle, per cell.
    const AppKit::NSEdgeInsets& titleEdgeInsets() const { return titleEdgeInsets_; }
    void setTitleEdgeInsets(const AppKit::NSEdgeInsets& insets) {
        Runtime::assertMainActor();
        titleEdgeInsets_ = insets;
    }
    // Of the bezel for the push (rounded) bezel style, per cell.
    const AppKit::NSEdgeInsets& edgeInsets() const { return edgeInsets_; }
    void setEdgeInsets(const AppKit::NSEdgeInsets& insets) {
        Runtime::assertMainActor();
        edgeInsets_ = insets;
    }

    void didInit() override;

    std::shared_ptr<ButtonCellStyle> style() const final { return sharedStyle<TessikPushButtonCell, ButtonCellStyle>(); }
    // As the styled button cell's: on and mixed only while showsStateBy is not empty.
    StyledControlState controlState() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override {
        Runtime::assertMainActor();
        selected_ = selected;
    }

    CGRect imageRect(CGRect forBounds) const override;
    // The platform's title rectangle less titleEdgeInsets, taken from its visible top and bottom
    // whichever way up the control view is (made integral); not centred.
    CGRect titleRect(CGRect forBounds) const override;
    void drawFocusRingMask(CGRect withFrame, AppKit::NSView& in) override;
    void drawBezel(CGRect withFrame, AppKit::NSView& in) override;
    CGRect drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) override;
    void drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) override;

protected:
    TessikPushButtonCell() = default;

private:
    bool selected_ = false;
    AppKit::NSEdgeInsets titleEdgeInsets_{4, 0, 6, 0};
    AppKit::NSEdgeInsets edgeInsets_{3, 4, 5, 4};
};

}  // namespace Orrindle
