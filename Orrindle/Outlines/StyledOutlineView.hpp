#pragma once
#include <any>
#include <memory>

#include "AppKit/NSOutlineView.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Protocols/StyledOutlineViewDelegate.hpp"
#include "Orrindle/Styles/OutlineViewStyle.hpp"

namespace Orrindle {

// The kit's outline view: the outline style's background (on the scroll view around it too),
// disclosure buttons with the kit's images, a context menu per item from a delegate that adopts
// StyledOutlineViewDelegate (none otherwise, whatever the view's `menu`), and expansion without
// animation.
class StyledOutlineView : public AppKit::NSOutlineView, public StyledControl<OutlineViewStyle> {
    VZ_OBJECT(StyledOutlineView, AppKit::NSOutlineView)
public:
    using Ptr = std::shared_ptr<StyledOutlineView>;
    // What the disclosure buttons are tagged with, for the cell views that look for them.
    static constexpr long disclosureButtonTag = 1000;

    // A new style on every read.
    std::shared_ptr<OutlineViewStyle> style() const override { return std::make_shared<OutlineViewStyle>(); }
    // (enabled ? default : default + disabled), plus highlighted.
    StyledControlState controlState() const override;

    // Takes the style's background, and gives it to the scroll view it is moving into (the one
    // around the new superview, so that the first move into a scroll view colours it too).
    void viewWillMoveToSuperview(AppKit::NSView* newSuperview) override;
    AppKit::NSView::Ptr makeView(const std::string& withIdentifier, Runtime::NSObject* owner) override;
    std::shared_ptr<AppKit::NSMenu> menuForEvent(const AppKit::NSEvent& event) override;
    // Expands one level of a collapsed, expandable item at once; anything else stays as it is.
    void expandItemWithoutAnimation(const std::any& item);

protected:
    StyledOutlineView() = default;
    explicit StyledOutlineView(AppKit::CGRect frame) : AppKit::NSOutlineView(frame) {}
};

}  // namespace Orrindle
