#pragma once
#include <memory>

#include "AppKit/NSFont.hpp"
#include "AppKit/NSTableView.hpp"
#include "Foundation/IndexSet.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// The kit's table: the table style's background (on the scroll view it is in too), its window
// made key by a click (makeKeyOnClick), keys left to the superview unless keyboard navigation is
// allowed, and all its column headers restyled in one call.
class StyledTableView : public AppKit::NSTableView, public StyledControl<TableViewStyle> {
    VZ_OBJECT(StyledTableView, AppKit::NSTableView)
public:
    using Ptr = std::shared_ptr<StyledTableView>;

    // A new style on every read.
    std::shared_ptr<TableViewStyle> style() const override { return std::make_shared<TableViewStyle>(); }
    // (enabled ? default : default + disabled), plus highlighted.
    StyledControlState controlState() const override { return enabledHighlightedState(isEnabled(), isHighlighted()); }

    bool makeKeyOnClick() const { return makeKeyOnClick_; }
    void setMakeKeyOnClick(bool flag) { makeKeyOnClick_ = flag; }
    bool allowKeyboardNavigation() const { return allowKeyboardNavigation_; }
    void setAllowKeyboardNavigation(bool flag) { allowKeyboardNavigation_ = flag; }

    // Gives every visible column a new StyledTableHeaderCell with its old title and image, the
    // title in `textColor` and `font` on `bg`; hidden columns keep theirs. Without a text colour
    // or a font it stops the program.
    void setHeaderStyle(const AppKit::NSColor::Ptr& textColor, const AppKit::NSColor::Ptr& bg, const AppKit::NSFont::Ptr& font);
    // The index of every column, hidden ones included.
    Foundation::IndexSet allColumnIndexes() const;

    // Takes the style's background at every move, and gives it to the scroll view it moves
    // into (the one around the new superview; the one it leaves when it is removed).
    void viewWillMoveToSuperview(AppKit::NSView* newSuperview) override;
    void mouseDown(const AppKit::NSEvent& event) override;
    void keyDown(const AppKit::NSEvent& event) override;

protected:
    StyledTableView() = default;
    explicit StyledTableView(AppKit::CGRect frame) : AppKit::NSTableView(frame) {}

private:
    bool makeKeyOnClick_ = true;
    bool allowKeyboardNavigation_ = false;
};

}  // namespace Orrindle
