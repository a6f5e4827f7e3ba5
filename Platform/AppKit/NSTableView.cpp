#include "AppKit/NSTableView.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSClipView.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "AppKit/NSTableColumn.hpp"
#include "AppKit/NSTableHeaderView.hpp"
#include "AppKit/NSText.hpp"
#include "AppKit/NSTextField.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/PostNotification.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace AppKit {

namespace {
constexpr const char* rowViewIdentifier = "NSTableViewRowViewKey";
}

void NSTableView::didInit() {
    NSControl::didInit();
    auto header = Runtime::make<NSTableHeaderView>(CGRect{0, 0, frame().width(), NSTableHeaderView::defaultHeight});
    setHeaderView(header);
}

NSTableViewDelegate* NSTableView::tableDelegate() const { return dynamic_cast<NSTableViewDelegate*>(delegate().get()); }
NSTableViewDataSource* NSTableView::tableDataSource() const { return dynamic_cast<NSTableViewDataSource*>(dataSource().get()); }

void NSTableView::setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) {
    delegate_ = delegate;
    tile();
}

void NSTableView::setDataSource(const std::shared_ptr<Runtime::NSObject>& dataSource) {
    dataSource_ = dataSource;
    reloadData();
}

// --- Columns -------------------------------------------------------------------------------------

void NSTableView::addTableColumn(const std::shared_ptr<NSTableColumn>& column) {
    if (!column || std::find(columns_.begin(), columns_.end(), column) != columns_.end()) return;
    if (auto old = column->tableView()) old->removeTableColumn(column);
    columns_.push_back(column);
    column->setTableView(sharedAs<NSTableView>());
    tile();
}

void NSTableView::removeTableColumn(const std::shared_ptr<NSTableColumn>& column) {
    auto it = std::find(columns_.begin(), columns_.end(), column);
    if (it == columns_.end()) return;
    columns_.erase(it);
    column->setTableView(nullptr);
    tile();
}

long NSTableView::column(const std::string& identifier) const {
    for (std::size_t c = 0; c < columns_.size(); ++c)
        if (columns_[c]->identifier() == identifier) return long(c);
    return -1;
}

long NSTableView::column(CGPoint at) const {
    for (long c = 0; c < long(columns_.size()); ++c) {
        const CGRect r = rectOfColumn(c);
        if (!r.isEmpty() && at.x >= r.minX() && at.x < r.maxX()) return c;
    }
    return -1;
}

CGRect NSTableView::rectOfColumn(long ofColumn) const {
    if (ofColumn < 0 || ofColumn >= long(columns_.size()) || columns_[std::size_t(ofColumn)]->isHidden()) return {};
    CGFloat x = 0;
    for (long c = 0; c < ofColumn; ++c)
        if (!columns_[std::size_t(c)]->isHidden()) x += columns_[std::size_t(c)]->width() + intercellSpacing_.width;
    return {x, 0, columns_[std::size_t(ofColumn)]->width() + intercellSpacing_.width, bounds().height()};
}

CGFloat NSTableView::columnsWidth() const {
    CGFloat w = 0;
    for (const auto& c : columns_)
        if (!c->isHidden()) w += c->width() + intercellSpacing_.width;
    return w;
}

void NSTableView::setIntercellSpacing(CoreGraphics::CGSize spacing) {
    intercellSpacing_ = spacing;
    tile();
}

void NSTableView::setColumnAutoresizingStyle(NSTableViewColumnAutoresizingStyle style) {
    autoresizing_ = style;
    tile();
}

void NSTableView::columnDidResize(NSTableColumn&) {
    if (!tiling_) tile();
    postNotification(columnDidResizeNotification, sharedAs<Runtime::NSObject>());
}

void NSTableView::sizeLastColumnToFit() {
    // The column filled last time gets its own width back first, unless someone has set another
    // since: a column added after it, or one shown or hidden, must not inherit the fill.
    if (auto filled = filled_.column.lock(); filled && filled->width() == filled_.filledWidth) filled->setWidth(filled_.ownWidth);
    filled_ = {};
    if (autoresizing_ != NSTableViewColumnAutoresizingStyle::lastColumnOnly) return;
    auto clip = std::dynamic_pointer_cast<NSClipView>(superview());
    if (!clip) return;
    auto last = std::find_if(columns_.rbegin(), columns_.rend(), [](const auto& c) { return !c->isHidden(); });
    if (last == columns_.rend()) return;
    const CGFloat own = (*last)->width();
    const CGFloat others = columnsWidth() - (own + intercellSpacing_.width);
    (*last)->setWidth(std::max(own, clip->frame().width() - others - intercellSpacing_.width));
    filled_ = {*last, own, (*last)->width()};
}

void NSTableView::setHeaderView(const std::shared_ptr<NSTableHeaderView>& header) {
    if (headerView_ && headerView_->tableView().get() == this) headerView_->setTableView(nullptr);
    headerView_ = header;
    if (header) {
        header->setTableView(sharedAs<NSTableView>());
        header->setFrameSize({frame().width(), header->frame().height() > 0 ? header->frame().height() : NSTableHeaderView::defaultHeight});
    }
    if (auto scroll = enclosingScrollView()) scroll->tile();
}

// --- Rows ----------------------------------------------------------------------------------------

void NSTableView::setRowHeight(CGFloat height) {
    rowHeight_ = height;
    tile();
}

long NSTableView::row(CGPoint at) const {
    if (at.y < 0 || at.x < 0 || at.x >= bounds().width()) return -1;
    const long n = numberOfRows();
    for (long r = 0; r < n; ++r) {
        const CGRect rr = rect(r);
        if (at.y >= rr.minY() && at.y < rr.maxY()) return r;
    }
    return -1;
}

long NSTableView::row(const NSView& forView) const {
    const NSView* v = &forView;
    while (v && v->superview().get() != this) v = v->superview().get();
    if (!v) return -1;
    for (std::size_t r = 0; r < rowViews_.size(); ++r)
        if (rowViews_[r].get() == v) return long(r);
    return -1;
}

CGRect NSTableView::rect(long ofRow) const {
    if (ofRow < 0 || ofRow >= numberOfRows()) return {};
    const CGFloat full = rowHeight_ + intercellSpacing_.height;
    // Rows of their own heights once tiled; evenly high otherwise (a subclass's own rows).
    if (rowTops_.size() == std::size_t(numberOfRows()) + 1)
        return {0, rowTops_[std::size_t(ofRow)], bounds().width(), rowTops_[std::size_t(ofRow) + 1] - rowTops_[std::size_t(ofRow)]};
    return {0, CGFloat(ofRow) * full, bounds().width(), full};
}

bool NSTableView::isGroupRow(long row) const {
    auto* d = tableDelegate();
    return d && row >= 0 && row < numberOfRows() && d->tableViewIsGroupRow(const_cast<NSTableView&>(*this), row);
}

std::shared_ptr<NSTableRowView> NSTableView::rowView(long atRow) const {
    return atRow >= 0 && atRow < long(rowViews_.size()) ? rowViews_[std::size_t(atRow)] : nullptr;
}

std::shared_ptr<NSView> NSTableView::view(long atColumn, long row) const {
    auto rv = rowView(row);
    if (!rv) return nullptr;
    const CGRect c = rectOfColumn(atColumn);
    for (const auto& sub : rv->subviews()) {
        if (isGroupRow(row)) return sub;
        if (!c.isEmpty() && sub->frame().midX() >= c.minX() && sub->frame().midX() < c.maxX()) return sub;
    }
    return nullptr;
}

void NSTableView::scrollRowToVisible(long row) {
    auto scroll = enclosingScrollView();
    auto clip = scroll ? scroll->contentView() : nullptr;
    if (!clip || clip->documentView().get() != this) return;
    const CGRect r = rect(row);
    if (r.isEmpty()) return;
    const CGRect visible = clip->bounds();
    CGPoint to = visible.origin;
    if (r.minY() < visible.minY())
        to.y = r.minY();
    else if (r.maxY() > visible.maxY())
        to.y = r.maxY() - visible.height();
    if (to != visible.origin) scroll->scroll(to);
}

// --- Selection -----------------------------------------------------------------------------------

long NSTableView::selectedRow() const {
    if (selection_.isEmpty()) return -1;
    return selection_.contains(lastSelected_) ? lastSelected_ : *std::prev(selection_.end());
}

void NSTableView::selectRowIndexes(const Foundation::IndexSet& indexes, bool byExtendingSelection) {
    Foundation::IndexSet next = byExtendingSelection ? selection_ : Foundation::IndexSet{};
    long last = lastSelected_;
    for (long i : indexes)
        if (i < numberOfRows()) {
            next.insert(i);
            last = i;
        }
    changeSelection(next, last);
}

void NSTableView::deselectRow(long row) {
    Foundation::IndexSet next = selection_;
    next.remove(row);
    changeSelection(next, lastSelected_);
}

void NSTableView::deselectAll(Runtime::NSObject*) { changeSelection({}, -1); }

void NSTableView::changeSelection(Foundation::IndexSet indexes, long lastSelected) {
    lastSelected_ = indexes.contains(lastSelected) ? lastSelected : -1;
    if (indexes == selection_) return;
    selection_ = std::move(indexes);
    updateRowViews();
    auto self = sharedAs<Runtime::NSObject>();
    const Foundation::Notification notification(selectionDidChangeNotification, self.get());
    Foundation::NotificationCenter::defaultCenter().post(notification);
    auto keep = delegate();
    if (auto* d = dynamic_cast<NSTableViewDelegate*>(keep.get())) d->tableViewSelectionDidChange(notification);
}

void NSTableView::moveSelection(Foundation::IndexSet rows, long lastSelected, long anchor) {
    anchor_ = anchor;
    if (rows.count() < selection_.count()) return changeSelection(std::move(rows), lastSelected);
    lastSelected_ = rows.contains(lastSelected) ? lastSelected : -1;
    selection_ = std::move(rows);
    updateRowViews();
}

void NSTableView::updateRowViews() {
    // Every row redraws: how a row shows its selection may depend on its neighbours'.
    for (std::size_t r = 0; r < rowViews_.size(); ++r) {
        const bool selected = selection_.contains(long(r));
        if (rowViews_[r]->isSelected() != selected) rowViews_[r]->setSelected(selected);
        rowViews_[r]->setNeedsDisplay(true);
    }
}

void NSTableView::setSelectionHighlightStyle(NSTableViewSelectionHighlightStyle style) {
    highlightStyle_ = style;
    for (auto& rv : rowViews_) rv->setSelectionHighlightStyle(style);
}

bool NSTableView::canSelect(long row) const {
    if (row < 0 || row >= numberOfRows()) return false;
    auto* d = tableDelegate();
    return !d || d->tableViewShouldSelectRow(const_cast<NSTableView&>(*this), row);
}

long NSTableView::selectableRow(long from, long step) const {
    for (long r = from; r >= 0 && r < numberOfRows(); r += step)
        if (canSelect(r)) return r;
    return -1;
}

Foundation::IndexSet NSTableView::selectableRange(long a, long b) const {
    Foundation::IndexSet rows;
    for (long r = std::min(a, b); r <= std::max(a, b); ++r)
        if (canSelect(r)) rows.insert(r);
    return rows;
}

bool NSTableView::hasFocus() const {
    auto w = window();
    if (!w || !w->isKeyWindow()) return false;
    auto responder = w->firstResponder();
    if (responder.get() == this) return true;
    // A field of one of the rows being edited.
    if (auto* text = dynamic_cast<NSText*>(responder.get()))
        if (auto* edited = dynamic_cast<NSView*>(text->editedObject().get())) return edited->isDescendant(*this);
    return false;
}

void NSTableView::updateEmphasis() {
    const bool focus = hasFocus();
    for (auto& rv : rowViews_) rv->setEmphasized(focus);
}

bool NSTableView::becomeFirstResponder() {
    // Emphasis follows once this is first responder: at the next drawing.
    setNeedsDisplay(true);
    for (auto& rv : rowViews_) rv->setNeedsDisplay(true);
    return true;
}

bool NSTableView::resignFirstResponder() {
    setNeedsDisplay(true);
    for (auto& rv : rowViews_) rv->setNeedsDisplay(true);
    return true;
}

void NSTableView::viewDidMoveToWindow() { updateEmphasis(); }

// --- Events --------------------------------------------------------------------------------------

NSView::Ptr NSTableView::hitTest(CGPoint point) {
    auto hit = NSControl::hitTest(point);
    if (!hit || hit.get() == this || dynamic_cast<NSText*>(hit.get())) return hit;
    for (NSView* v = hit.get(); v && v != this; v = v->superview().get()) {
        if (auto* field = dynamic_cast<NSTextField*>(v)) {
            // A field is edited only in a row that is selected already; elsewhere the click
            // selects the row.
            const long r = row(*field);
            return field->isEditable() && r >= 0 && isRowSelected(r) ? hit : sharedAs<NSView>();
        }
        if (dynamic_cast<NSControl*>(v)) return hit;
    }
    return sharedAs<NSView>();
}

void NSTableView::mouseDown(const NSEvent& event) {
    if (!isEnabled()) return;
    const long r = row(convert(event.locationInWindow(), nullptr));
    clickedRow_ = r;
    if (r < 0) {
        if (allowsEmpty_) deselectAll();
        return;
    }
    if (!canSelect(r)) return;
    const bool toggle = allowsMultiple_ && event.flags().contains(ModifierFlags::command());
    const bool extend = allowsMultiple_ && event.flags().contains(ModifierFlags::shift()) && anchor_ >= 0;
    if (toggle) {
        Foundation::IndexSet next = selection_;
        if (next.contains(r)) {
            if (next.count() > 1 || allowsEmpty_) next.remove(r);
        } else {
            next.insert(r);
        }
        anchor_ = r;
        changeSelection(next, r);
    } else if (extend) {
        changeSelection(selectableRange(anchor_, r), r);
    } else {
        anchor_ = r;
        changeSelection({r}, r);
    }
    scrollRowToVisible(r);
}

void NSTableView::rightMouseDown(const NSEvent& event) {
    // The menu opens and its item's action runs within the call: the row is known to both.
    clickedRow_ = row(convert(event.locationInWindow(), nullptr));
    NSControl::rightMouseDown(event);
    clickedRow_ = -1;
}

void NSTableView::keyDown(const NSEvent& event) {
    const auto key = event.specialKey();
    const bool up = key == SpecialKey::upArrow(), down = key == SpecialKey::downArrow();
    const bool home = key == SpecialKey::home(), end = key == SpecialKey::end();
    if (!up && !down && !home && !end) return NSControl::keyDown(event);
    const long n = numberOfRows();
    long target = -1;
    const long from = selectedRow();
    if (home) target = selectableRow(0, 1);
    if (end) target = selectableRow(n - 1, -1);
    if (up) target = from < 0 ? selectableRow(n - 1, -1) : selectableRow(from - 1, -1);
    if (down) target = from < 0 ? selectableRow(0, 1) : selectableRow(from + 1, 1);
    if (target < 0) return;
    if (allowsMultiple_ && event.flags().contains(ModifierFlags::shift()) && anchor_ >= 0) {
        changeSelection(selectableRange(anchor_, target), target);
    } else {
        anchor_ = target;
        changeSelection({target}, target);
    }
    scrollRowToVisible(target);
}

// --- Views and layout ----------------------------------------------------------------------------

void NSTableView::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    setNeedsDisplay(true);
}

NSView::Ptr NSTableView::makeView(const std::string& identifier, Runtime::NSObject*) {
    auto it = reusable_.find(identifier);
    if (it == reusable_.end()) return nullptr;
    auto view = it->second;
    reusable_.erase(it);
    view->prepareForReuse();
    return view;
}

void NSTableView::recycleRowViews() {
    auto keep = [&](const NSView::Ptr& v) {
        v->removeFromSuperview();
        if (!v->identifier().empty()) reusable_.emplace(v->identifier(), v);
    };
    for (auto& v : std::vector<NSView::Ptr>(subviews())) {
        if (dynamic_cast<NSTableRowView*>(v.get()))
            for (auto& cell : std::vector<NSView::Ptr>(v->subviews())) keep(cell);
        keep(v);
    }
    rowViews_.clear();
}

void NSTableView::reloadData() {
    auto* source = tableDataSource();
    rowCount_ = source ? std::max(0L, source->numberOfRowsInTableView(*this)) : 0;
    Foundation::IndexSet kept;
    for (long i : selection_)
        if (i < numberOfRows()) kept.insert(i);
    changeSelection(kept, lastSelected_);
    if (anchor_ >= numberOfRows()) anchor_ = -1;
    tile();
    setNeedsDisplay(true);
}

void NSTableView::sizeToContent(CGFloat contentHeight) {
    CGSize size = frame().size;
    if (auto clip = std::dynamic_pointer_cast<NSClipView>(superview())) {
        const CGSize visible = clip->frame().size;
        size = {std::max(columnsWidth(), visible.width), std::max(contentHeight, visible.height)};
    }
    const bool changed = size != frame().size;
    setFrameSize(size);
    if (headerView_) headerView_->setFrameSize({size.width, headerView_->frame().height()});
    if (changed)
        if (auto scroll = enclosingScrollView()) scroll->tile();
}

void NSTableView::layOutRow(long row, NSTableRowView& rowView) {
    auto* d = tableDelegate();
    auto* source = tableDataSource();
    const CGRect r = rect(row);
    const bool group = isGroupRow(row);
    rowView.setFrame(r);
    rowView.setGroupRowStyle(group);
    rowView.setSelectionHighlightStyle(highlightStyle_);
    if (rowView.isSelected() != isRowSelected(row)) rowView.setSelected(isRowSelected(row));
    addSubview(rowView.sharedAs<NSView>());
    if (!d) return;
    const CGFloat y = intercellSpacing_.height / 2, h = rowHeight_;
    auto place = [&](NSTableColumn* column, CGRect frame) {
        auto view = d->tableViewViewFor(*this, column, row);
        if (!view) return;
        if (auto* cellView = dynamic_cast<NSTableCellView*>(view.get()); cellView && source) {
            auto value = source->tableViewObjectValue(*this, column, row);
            if (value.has_value()) cellView->setObjectValue(std::move(value));
        }
        view->setFrame(frame);
        rowView.addSubview(view);
    };
    if (group) {
        place(nullptr, {0, y, r.width(), r.height() - intercellSpacing_.height});
        return;
    }
    for (long c = 0; c < long(columns_.size()); ++c) {
        const CGRect cr = rectOfColumn(c);
        if (cr.isEmpty()) continue;
        place(columns_[std::size_t(c)].get(), {cr.minX() + intercellSpacing_.width / 2, y, columns_[std::size_t(c)]->width(), h});
    }
    // The row's views are told of its selection and background at once.
    rowView.setSelected(rowView.isSelected());
}

void NSTableView::tile() {
    if (tiling_) return;
    tiling_ = true;
    auto keep = sharedAs<NSView>();
    recycleRowViews();
    auto* d = tableDelegate();
    const long n = numberOfRows();
    rowTops_.assign(1, 0);
    for (long r = 0; r < n; ++r) {
        CGFloat h = rowHeight_;
        if (d)
            if (auto own = d->tableViewHeightOfRow(*this, r)) h = *own;
        rowTops_.push_back(rowTops_.back() + h + intercellSpacing_.height);
    }
    sizeLastColumnToFit();
    sizeToContent(rowTops_.back());
    for (long r = 0; r < n; ++r) {
        std::shared_ptr<NSTableRowView> rv = d ? d->tableViewRowViewForRow(*this, r) : nullptr;
        if (!rv) rv = std::dynamic_pointer_cast<NSTableRowView>(makeView(rowViewIdentifier, this));
        if (!rv) {
            rv = Runtime::make<NSTableRowView>(CGRect{});
            rv->setIdentifier(rowViewIdentifier);
        }
        rowViews_.push_back(rv);
        layOutRow(r, *rv);
    }
    updateEmphasis();
    setNeedsDisplay(true);
    if (headerView_) headerView_->setNeedsDisplay(true);
    tiling_ = false;
}

void NSTableView::draw(CGRect) {
    updateEmphasis();
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || !backgroundColor_) return;
    ctx->setFillColor(backgroundColor_->cgColor());
    ctx->fill(bounds());
}

}  // namespace AppKit
