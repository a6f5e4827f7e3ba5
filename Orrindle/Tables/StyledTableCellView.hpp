#pragma once
#include <any>
#include <memory>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// A table cell view whose text field takes the table style's text colour of its selection, which
// it also passes to the Selectable views it holds; it finds the outline's disclosure button
// beside it, and is as wide as its text field's text. A new object value empties the text
// field, as reuse does.
class StyledTableCellView : public AppKit::NSTableCellView, public StyledControl<TableViewStyle>, public Selectable {
    VZ_OBJECT(StyledTableCellView, AppKit::NSTableCellView)
public:
    using Ptr = std::shared_ptr<StyledTableCellView>;

    // Made on first use and shared by all cell views.
    static std::shared_ptr<TableViewStyle> sharedStyle() { return Orrindle::sharedStyle<StyledTableCellView, TableViewStyle>(); }
    std::shared_ptr<TableViewStyle> style() const override { return sharedStyle(); }
    // default + selected while selected, else default.
    StyledControlState controlState() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override;
    // The first button tagged as the outline's disclosure button among the views beside it.
    AppKit::NSButton::Ptr disclosureButton() const;

    void setObjectValue(std::any value) override;
    void prepareForReuse() override;
    // The text field's end (its origin plus its own width) less the alignment insets; no
    // intrinsic height.
    AppKit::CGSize intrinsicContentSize() const override;

protected:
    StyledTableCellView() = default;
    explicit StyledTableCellView(AppKit::CGRect frame) : AppKit::NSTableCellView(frame) {}

private:
    void colourTextField();

    bool selected_ = false;
};

}  // namespace Orrindle
