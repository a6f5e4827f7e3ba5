#include "AppKit/NSTableView.hpp"

#include <cmath>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSTableView::setDataSource(const std::shared_ptr<Runtime::NSObject>& dataSource) {
    dataSource_ = dataSource;
    reloadData();
}

void NSTableView::setRowHeight(CGFloat height) {
    rowHeight_ = height;
    tile();
}

long NSTableView::row(CGPoint at) const {
    if (at.y < 0 || at.x < 0 || at.x >= bounds().width() || rowHeight_ <= 0) return -1;
    const long r = long(std::floor(at.y / rowHeight_));
    return r < numberOfRows() ? r : -1;
}

CGRect NSTableView::rect(long ofRow) const {
    if (ofRow < 0 || ofRow >= numberOfRows()) return {};
    return {0, CGFloat(ofRow) * rowHeight_, bounds().width(), rowHeight_};
}

void NSTableView::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    setNeedsDisplay(true);
}

NSView::Ptr NSTableView::makeView(const std::string& identifier, Runtime::NSObject*) {
    auto it = reusable_.find(identifier);
    if (it == reusable_.end()) return nullptr;
    auto view = it->second;
    reusable_.erase(it);
    return view;
}

void NSTableView::recycleRowViews() {
    auto views = subviews();
    for (auto& v : views) {
        v->removeFromSuperview();
        if (!v->identifier().empty()) reusable_.emplace(v->identifier(), v);
    }
}

void NSTableView::tile() { recycleRowViews(); }

void NSTableView::reloadData() {
    tile();
    setNeedsDisplay(true);
}

void NSTableView::draw(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || !backgroundColor_) return;
    ctx->setFillColor(backgroundColor_->cgColor());
    ctx->fill(bounds());
}

}  // namespace AppKit
