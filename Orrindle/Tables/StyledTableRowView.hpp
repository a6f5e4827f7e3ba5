#pragma once
#include <memory>
#include <string>

#include "AppKit/NSTableRowView.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// A table row that draws its selection as a bar `selectionHorizontalInset` in from the sides in
// the table style's selected-row colour, its corners rounded by `selectionCornerRadius` where the
// rows above and below are not selected, so a run of selected rows reads as one bar; and that
// passes its selection to the Selectable views it holds (two levels deep), those added later
// included.
class StyledTableRowView : public AppKit::NSTableRowView, public StyledControl<TableViewStyle>, public Selectable {
    VZ_OBJECT(StyledTableRowView, AppKit::NSTableRowView)
public:
    using Ptr = std::shared_ptr<StyledTableRowView>;

    // The identifier offered to tables for these rows ("StyledTableRowView" unless changed).
    static std::string& userInterfaceIdentifier() {
        static std::string identifier = "StyledTableRowView";
        return identifier;
    }
    // A new style on every read; `style` is the class's row style.
    virtual std::shared_ptr<TableViewStyle> rowStyle() const { return std::make_shared<TableViewStyle>(); }
    std::shared_ptr<TableViewStyle> style() const override { return rowStyle(); }
    // default + selected while selected, else default.
    StyledControlState controlState() const override;

    AppKit::CGFloat selectionHorizontalInset() const { return selectionHorizontalInset_; }
    void setSelectionHorizontalInset(AppKit::CGFloat inset) { selectionHorizontalInset_ = inset; }
    AppKit::CGFloat selectionCornerRadius() const { return selectionCornerRadius_; }
    void setSelectionCornerRadius(AppKit::CGFloat radius) { selectionCornerRadius_ = radius; }

    bool isSelected() const override { return AppKit::NSTableRowView::isSelected(); }
    void setSelected(bool selected) override;
    void didAddSubview(AppKit::NSView* subview) override;
    void drawSelection(AppKit::CGRect dirtyRect) override;

protected:
    StyledTableRowView() = default;
    explicit StyledTableRowView(AppKit::CGRect frame) : AppKit::NSTableRowView(frame) {}

private:
    AppKit::CGFloat selectionHorizontalInset_ = 8;
    AppKit::CGFloat selectionCornerRadius_ = 3;
};

}  // namespace Orrindle
