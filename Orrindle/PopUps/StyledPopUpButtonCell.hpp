#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSPopUpButtonCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::CGSize;

// The cell of the kit's pop-up button: the bezel is its class's style image for its state, the
// title is drawn by the cell itself (system 10 in the state's colour, an optional label in
// front), everything else is the platform pop-up's. Subclass cells answer style() with their
// own style and the whole look follows.
// Overrides of the platform cell (see NSPopUpButtonCell): no highlight look of its own
// (highlightsBy empty: pressed is the `highlighted` bezel), a fixed title strip, the bezel and
// title drawing.
class StyledPopUpButtonCell : public AppKit::NSPopUpButtonCell, public StyledControl<PopUpButtonCellStyle> {
    VZ_OBJECT(StyledPopUpButtonCell, AppKit::NSPopUpButtonCell)
public:
    using Ptr = std::shared_ptr<StyledPopUpButtonCell>;

    void didInit() override;

    std::shared_ptr<PopUpButtonCellStyle> style() const override {
        return sharedStyle<StyledPopUpButtonCell, PopUpButtonCellStyle>();
    }
    // The pop-up style itself, whatever the cell's class.
    static std::shared_ptr<PopUpButtonCellStyle> popUpStyle() { return sharedStyle<StyledPopUpButtonCell, PopUpButtonCellStyle>(); }
    // default; on or mixed only while the cell shows its state; disabled; highlighted while
    // enabled. Never selected, focused or invalid.
    StyledControlState controlState() const override;

    const std::optional<std::string>& label() const { return label_; }
    void setLabel(std::optional<std::string> label) {
        Runtime::assertMainActor();
        label_ = std::move(label);
    }

    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return style()->interiorBackgroundStyle(); }
    // Zero for an image-only cell or an empty title; else a 14-high strip from x 10 to 14 short
    // of the right edge, centred vertically.
    CGRect titleRect(CGRect forBounds) const override;
    void drawBezel(CGRect withFrame, AppKit::NSView& in) override;
    // The title built by attributedTitleString in the state's colour with the label in the
    // secondary label colour; nothing (a zero rectangle) when image-only or empty.
    CGRect drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) override;
    void highlight(bool flag, CGRect withFrame, AppKit::NSView& in) override;

    // See CellDrawing::popUpTitle; `color` null is the style's text colour.
    CoreGraphics::AttributedText attributedTitleString(const std::string& title, const AppKit::NSColor::Ptr& color,
                                                       const std::optional<std::string>& label,
                                                       const AppKit::NSColor::Ptr& labelColor) const;

protected:
    StyledPopUpButtonCell() = default;

private:
    std::optional<std::string> label_;
};

}  // namespace Orrindle
