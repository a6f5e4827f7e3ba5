#include "Orrindle/Styles/TableViewStyle.hpp"

#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

TableViewStyle::TableViewStyle()
    : rowBackgroundColor_(Styles::TableView::background()),
      selectedRowBackgroundColor_(AppKit::NSColor::withResource(ColorResources::highlightSystem())),
      headerBackgroundColor_(Styles::TableHeader::background()) {
    // The table's own background is its row colour: the views behind the rows show it.
    setBackgroundColor(rowBackgroundColor_);
    setTextColor(Styles::TableRow::textColor());
    setSelectedTextColor(Styles::TableRow::selectedTextColor());
}

AppKit::NSColor::Ptr TableViewStyle::rowBackgroundColor(StyledControlState state) const {
    return state.contains(StyledControlState::selected) ? selectedRowBackgroundColor_ : rowBackgroundColor_;
}

}  // namespace Orrindle
