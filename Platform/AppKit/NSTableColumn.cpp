#include "AppKit/NSTableColumn.hpp"

#include <algorithm>

#include "AppKit/NSTableHeaderView.hpp"
#include "AppKit/NSTableView.hpp"

namespace AppKit {

void NSTableColumn::didInit() {
    Runtime::NSObject::didInit();
    headerCell_ = Runtime::make<NSTableHeaderCell>();
}

const std::string& NSTableColumn::title() const { return headerCell()->stringValue(); }

void NSTableColumn::setTitle(std::string title) {
    if (auto cell = headerCell()) cell->setStringValue(std::move(title));
    changed();
}

void NSTableColumn::setHeaderCell(NSTableHeaderCell::Ptr cell) {
    headerCell_ = std::move(cell);
    changed();
}

void NSTableColumn::setWidth(CGFloat width) {
    width = std::clamp(width, minWidth_, std::max(minWidth_, maxWidth_));
    if (width == width_) return;
    width_ = width;
    if (auto table = tableView()) table->columnDidResize(*this);
}

void NSTableColumn::setMinWidth(CGFloat width) {
    minWidth_ = std::max<CGFloat>(0, width);
    setWidth(width_);
}

void NSTableColumn::setMaxWidth(CGFloat width) {
    maxWidth_ = width;
    setWidth(width_);
}

void NSTableColumn::setHidden(bool hidden) {
    if (hidden == hidden_) return;
    hidden_ = hidden;
    if (auto table = tableView()) table->tile();
}

void NSTableColumn::changed() const {
    if (auto table = tableView())
        if (auto header = table->headerView()) header->setNeedsDisplay(true);
}

}  // namespace AppKit
