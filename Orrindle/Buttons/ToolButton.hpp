#pragma once
#include <memory>

#include "Orrindle/Buttons/StyledButton.hpp"
#include "Orrindle/Buttons/ToolButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The kit's image-only tool button, with a secondary action besides its ordinary one. The
// secondary action goes out when the button is pressed and held longer than the double-click
// interval (then the ordinary one does not), right-clicked, or Control-clicked; a short click
// sends the ordinary action. Without a secondary action a hold is a click, and a right or
// Control-click only highlights the button and is consumed. The secondary target is held
// weakly; none (or gone) means the responder chain.
class ToolButton : public StyledButton {
    VZ_OBJECT(ToolButton, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<ToolButtonCell>(); }

    bool showMoreIcon() const { return showMoreIcon_; }
    // Also copied into a ToolButtonCell, which is then redrawn.
    virtual void setShowMoreIcon(bool flag);
    std::shared_ptr<Runtime::NSObject> secondaryTarget() const { return secondaryTarget_.lock(); }
    virtual void setSecondaryTarget(const std::shared_ptr<Runtime::NSObject>& target) {
        Runtime::assertMainActor();
        secondaryTarget_ = target;
    }
    Runtime::Selector secondaryAction() const { return secondaryAction_; }
    virtual void setSecondaryAction(Runtime::Selector action) {
        Runtime::assertMainActor();
        secondaryAction_ = action;
    }

    // The styled button's setup, then the flexible-push bezel, toggle type, image only, no
    // image scaling.
    void setup() override;
    // A bordered tool button is as high as its background image and at least as wide.
    CGSize intrinsicContentSize() const override;

    // A right mouse-down or a Control left mouse-down: highlight, the secondary action when
    // there is one, unhighlight; true. Any other event: false.
    virtual bool handleSecondaryClick(const AppKit::NSEvent& event);
    void mouseDown(const AppKit::NSEvent& event) override;
    void rightMouseDown(const AppKit::NSEvent& event) override;

protected:
    explicit ToolButton(CGRect frame) : StyledButton(frame) {}

private:
    void sendSecondaryAction();
    bool showMoreIcon_ = false;
    std::weak_ptr<Runtime::NSObject> secondaryTarget_;
    Runtime::Selector secondaryAction_;
};

}  // namespace Orrindle
