#pragma once
#include "Orrindle/Styles/ControlStyle.hpp"

namespace Orrindle {

// Tables: row, selected-row and header colours; its background is the row colour.
class TableViewStyle : public ControlStyle {
public:
    TableViewStyle();

    const AppKit::NSColor::Ptr& rowBackgroundColor() const { return rowBackgroundColor_; }
    void setRowBackgroundColor(AppKit::NSColor::Ptr color) { rowBackgroundColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& selectedRowBackgroundColor() const { return selectedRowBackgroundColor_; }
    void setSelectedRowBackgroundColor(AppKit::NSColor::Ptr color) { selectedRowBackgroundColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& headerBackgroundColor() const { return headerBackgroundColor_; }
    void setHeaderBackgroundColor(AppKit::NSColor::Ptr color) { headerBackgroundColor_ = std::move(color); }
    // The selected row colour for a selected state, else the row colour.
    virtual AppKit::NSColor::Ptr rowBackgroundColor(StyledControlState state) const;

private:
    AppKit::NSColor::Ptr rowBackgroundColor_;
    AppKit::NSColor::Ptr selectedRowBackgroundColor_;
    AppKit::NSColor::Ptr headerBackgroundColor_;
};

}  // namespace Orrindle
