#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSPopUpButton.hpp"
#include "Orrindle/PopUps/StyledPopDownButtonCell.hpp"

namespace Orrindle {

// A push button dressed as a pull-down: the pop-down look, a title of the caller's choosing
// with an optional label, and its action sent on a mouse-up inside. It never opens its menu:
// whoever receives the action decides what to show. A disabled button takes no clicks.
// Creation: Runtime::make<StyledPopDownButton>(frame) (never a pull-down).
// Main thread only: an entry point called from another thread stops the program.
class StyledPopDownButton : public AppKit::NSPopUpButton {
    VZ_OBJECT(StyledPopDownButton, AppKit::NSPopUpButton)
public:
    using Ptr = std::shared_ptr<StyledPopDownButton>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledPopDownButtonCell>(); }
    StyledPopDownButtonCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledPopDownButtonCell>(cell()); }

    // The cell's own menu item's title ("" with another cell class or no item). Setting it gives
    // the cell an item of its own with that title; the menu is not touched.
    std::string title() const override;
    void setTitle(std::string title) override;
    // Kept here and copied into a StyledPopDownButtonCell.
    const std::optional<std::string>& label() const { return label_; }
    void setLabel(std::optional<std::string> label);

    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    CGSize intrinsicContentSize() const override;
    CGRect focusRingMaskBounds() const override { return bounds(); }
    void drawFocusRingMask() override {}
    void draw(CGRect dirtyRect) override;

    // Down only highlights; up unhighlights and, inside the bounds, sends the action (a null
    // target: the responder chain).
    void mouseDown(const AppKit::NSEvent& event) override;
    void mouseUp(const AppKit::NSEvent& event) override;

    void didInit() override;

protected:
    explicit StyledPopDownButton(CGRect frame) : AppKit::NSPopUpButton(frame, false) {}

private:
    std::optional<std::string> label_;
};

}  // namespace Orrindle
