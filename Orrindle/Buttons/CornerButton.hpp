#pragma once
#include <memory>

#include "AppKit/NSMenu.hpp"
#include "Orrindle/Buttons/CornerButtonCell.hpp"
#include "Orrindle/Buttons/StyledButton.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// A styled button that can carry an alternate menu. With a menu, a single click inside pops the
// menu up at the button's left edge, 4 points below its bottom (the button is flipped), and
// sends no action; a right click or Control-click pops it up too; otherwise it is a styled
// button. A right click or Control-click without a menu only highlights the button and is
// consumed.
class CornerButton : public StyledButton {
    VZ_OBJECT(CornerButton, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<CornerButtonCell>(); }

    const std::shared_ptr<AppKit::NSMenu>& alternateMenu() const { return alternateMenu_; }
    virtual void setAlternateMenu(std::shared_ptr<AppKit::NSMenu> menu) {
        Runtime::assertMainActor();
        alternateMenu_ = std::move(menu);
    }

    // A right mouse-down or a Control left mouse-down: highlight, pop up the menu when there is
    // one, unhighlight; true. Any other event: false.
    virtual bool handleAlternateClick(const AppKit::NSEvent& event);

    void mouseDown(const AppKit::NSEvent& event) override;
    void rightMouseDown(const AppKit::NSEvent& event) override;

protected:
    explicit CornerButton(CGRect frame) : StyledButton(frame) {}

private:
    void popUpAlternateMenu();
    std::shared_ptr<AppKit::NSMenu> alternateMenu_;
};

}  // namespace Orrindle
