#pragma once
#include <memory>
#include <optional>

#include "AppKit/NSButton.hpp"
#include "Orrindle/Buttons/StyledButtonCell.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::CGSize;

// The base of the kit's styled buttons, over a StyledButtonCell (or a subclass's cell). It adds
// a fixed width for its intrinsic size, keeps the selection flag in its cell, takes its
// alignment insets from the style and draws the kit's focus ring instead of the system's.
// Creation: Runtime::make<StyledButton>(frame, fixedWidth); setup() runs after the cell exists,
// dispatched to the subclass's override.
// Main thread only: an entry point called from another thread stops the program.
class StyledButton : public AppKit::NSButton, public Selectable {
    VZ_OBJECT(StyledButton, AppKit::NSButton)
public:
    using Ptr = std::shared_ptr<StyledButton>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledButtonCell>(); }
    // The cell when it is a StyledButtonCell.
    StyledButtonCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledButtonCell>(cell()); }

    std::optional<CGFloat> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<CGFloat> width) {
        Runtime::assertMainActor();
        fixedWidth_ = width;
    }

    // Kept in a StyledButtonCell (false and dropped with another cell); a set redraws.
    bool isSelected() const override;
    void setSelected(bool selected) override;

    // Empties a StyledButtonCell's highlightsBy; subclasses add to it.
    virtual void setup();

    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    // The inherited size with `fixedWidth` as its width; a bordered button with a bezel image
    // for its state is as high as that image and at least as wide (unless a fixed width is
    // set), less the alignment insets.
    CGSize intrinsicContentSize() const override;
    CGRect focusRingMaskBounds() const override { return bounds(); }
    void drawFocusRingMask() override {}
    void draw(CGRect dirtyRect) override;

    void didInit() override;

protected:
    explicit StyledButton(CGRect frame, std::optional<CGFloat> fixedWidth = std::nullopt)
        : AppKit::NSButton(frame), fixedWidth_(fixedWidth) {}

private:
    std::optional<CGFloat> fixedWidth_;
};

}  // namespace Orrindle
