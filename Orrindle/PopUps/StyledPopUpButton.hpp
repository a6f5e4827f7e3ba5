#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSPopUpButton.hpp"
#include "Orrindle/PopUps/StyledPopUpButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The kit's pop-up button over a StyledPopUpButtonCell (or a subclass's cell): the platform's
// menu and selection, the kit's look. It can have a fixed width, shows an optional label before
// the chosen title, takes its alignment insets from the pop-up style and its height from its
// cell's bezel image, and draws the kit's focus ring. Its menu uses the 11-point menu font.
// Creation: Runtime::make<StyledPopUpButton>(frame, pullsDown, fixedWidth); there is no
// creation without the fixed width (the platform's frame-only initialisers are not offered).
// Main thread only: an entry point called from another thread stops the program.
class StyledPopUpButton : public AppKit::NSPopUpButton {
    VZ_OBJECT(StyledPopUpButton, AppKit::NSPopUpButton)
public:
    using Ptr = std::shared_ptr<StyledPopUpButton>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledPopUpButtonCell>(); }
    StyledPopUpButtonCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledPopUpButtonCell>(cell()); }

    std::optional<CGFloat> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<CGFloat> width) {
        Runtime::assertMainActor();
        fixedWidth_ = width;
    }
    // Kept here and copied into a StyledPopUpButtonCell (the cell's own copy never comes back).
    const std::optional<std::string>& label() const { return label_; }
    void setLabel(std::optional<std::string> label);

    // The pop-up style's insets with a StyledPopUpButtonCell.
    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    // The inherited size with `fixedWidth` as its width; bordered, with a bezel image for the
    // cell's state: at least the image's width and its height, less the alignment insets.
    CGSize intrinsicContentSize() const override;
    CGRect focusRingMaskBounds() const override { return bounds(); }
    void drawFocusRingMask() override {}
    void draw(CGRect dirtyRect) override;

    void didInit() override;

protected:
    StyledPopUpButton(CGRect frame, bool pullsDown, std::optional<CGFloat> fixedWidth)
        : AppKit::NSPopUpButton(frame, pullsDown), fixedWidth_(fixedWidth) {}

private:
    std::optional<CGFloat> fixedWidth_;
    std::optional<std::string> label_;
};

}  // namespace Orrindle
