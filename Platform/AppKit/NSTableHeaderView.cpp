#include "AppKit/NSTableHeaderView.hpp"

#include <cmath>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSTableColumn.hpp"
#include "AppKit/NSTableView.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSTableHeaderView::setTableView(const std::shared_ptr<NSTableView>& table) {
    table_ = table;
    setNeedsDisplay(true);
}

CGRect NSTableHeaderView::headerRect(long ofColumn) const {
    auto table = tableView();
    if (!table) return {};
    const CGRect c = table->rectOfColumn(ofColumn);
    if (c.isEmpty()) return {};
    return {c.minX(), 0, c.width(), bounds().height()};
}

long NSTableHeaderView::column(CGPoint at) const {
    auto table = tableView();
    if (!table || at.y < 0 || at.y >= bounds().height()) return -1;
    return table->column(CGPoint{at.x, 0});
}

long NSTableHeaderView::resizableColumn(CGPoint at) const {
    auto table = tableView();
    if (!table) return -1;
    const auto& columns = table->tableColumns();
    for (long c = 0; c < long(columns.size()); ++c) {
        if (columns[std::size_t(c)]->isHidden() || !columns[std::size_t(c)]->isResizable()) continue;
        if (std::abs(headerRect(c).maxX() - at.x) <= 3) return c;
    }
    return -1;
}

void NSTableHeaderView::draw(CGRect) {
    auto table = tableView();
    auto* ctx = CoreGraphics::CGContext::current();
    if (!table || !ctx) return;
    const auto& columns = table->tableColumns();
    for (long c = 0; c < long(columns.size()); ++c) {
        const auto& column = columns[std::size_t(c)];
        if (column->isHidden()) continue;
        if (auto cell = column->headerCell()) cell->draw(headerRect(c), *this);
    }
}

void NSTableHeaderView::mouseDown(const NSEvent& event) {
    auto table = tableView();
    auto window = this->window();
    if (!table || !window) return;
    const CGPoint start = convert(event.locationInWindow(), nullptr);
    const long resized = resizableColumn(start);
    if (resized < 0) return;
    auto column = table->tableColumns()[std::size_t(resized)];
    const CGFloat startWidth = column->width();
    // The column's right edge follows the pointer until the button goes up.
    for (;;) {
        auto next = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
        const CGPoint p = convert(next->locationInWindow(), nullptr);
        column->setWidth(startWidth + (p.x - start.x));
        if (next->type() == EventType::leftMouseUp) return;
    }
}

}  // namespace AppKit
