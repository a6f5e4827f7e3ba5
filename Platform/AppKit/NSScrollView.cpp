#include "AppKit/NSScrollView.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSTableHeaderView.hpp"
#include "AppKit/NSTableView.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSScrollView::didInit() {
    NSView::didInit();
    clip_ = Runtime::make<NSClipView>(bounds());
    addSubview(clip_);
    backgroundColor_ = NSColor::windowBackgroundColor();
}

void NSScrollView::setFrame(CGRect frame) {
    NSView::setFrame(frame);
    if (clip_) tile();
}

NSView::Ptr NSScrollView::documentHeaderView() const {
    auto table = std::dynamic_pointer_cast<NSTableView>(document_);
    return table ? table->headerView() : nullptr;
}

void NSScrollView::setDocumentView(const NSView::Ptr& view) {
    if (document_) document_->removeFromSuperview();
    if (header_) {
        header_->removeFromSuperview();
        header_ = nullptr;
    }
    document_ = view;
    if (view) {
        clip_->addSubview(view);
        view->setFrameOrigin({0, 0});
    }
    tile();
    scroll({0, 0});
}

void NSScrollView::tile() {
    if (tiling_) {
        tileAgain_ = true;
        return;
    }
    tiling_ = true;
    // Showing the scroller narrows the table, which may change its height: settles in a few.
    for (int pass = 0; pass < 4; ++pass) {
        tileAgain_ = false;
        tileOnce();
        if (!tileAgain_) break;
    }
    tiling_ = false;
}

void NSScrollView::tileOnce() {
    const CGRect b = bounds();
    // The header's clip view comes and goes with the document's header view.
    auto headerView = documentHeaderView();
    if (headerView && !header_) {
        header_ = Runtime::make<NSClipView>(CGRect{});
        addSubview(header_);
    }
    if (header_ && header_->documentView() != headerView) {
        for (auto& old : std::vector<NSView::Ptr>(header_->subviews())) old->removeFromSuperview();
        if (headerView) header_->addSubview(headerView);
    }
    if (header_ && !headerView) {
        header_->removeFromSuperview();
        header_ = nullptr;
    }
    const CGFloat headerHeight = headerView ? headerView->frame().height() : 0;
    const CGFloat visibleHeight = std::max<CGFloat>(0, b.height() - headerHeight);
    const CGFloat documentHeight = document_ ? document_->frame().height() : 0;
    scrollerShown_ = hasVerticalScroller_ && documentHeight > visibleHeight;
    const CGFloat width = std::max<CGFloat>(0, b.width() - (scrollerShown_ ? scrollerWidth : 0));
    clip_->setFrame({0, 0, width, visibleHeight});
    if (header_) {
        header_->setFrame({0, visibleHeight, width, headerHeight});
        headerView->setFrameOrigin({0, 0});
    }
    // A table follows its clip view's size; then the scroll position is clamped again.
    if (auto table = std::dynamic_pointer_cast<NSTableView>(document_)) table->tile();
    scroll(scrollPosition());
    setNeedsDisplay(true);
}

void NSScrollView::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    setNeedsDisplay(true);
}

void NSScrollView::setDrawsBackground(bool flag) {
    drawsBackground_ = flag;
    setNeedsDisplay(true);
}

void NSScrollView::setHasVerticalScroller(bool flag) {
    hasVerticalScroller_ = flag;
    tile();
}

CGPoint NSScrollView::scrollPosition() const { return clip_ ? clip_->bounds().origin : CGPoint{}; }

void NSScrollView::scroll(CGPoint to) {
    const CGSize doc = document_ ? document_->frame().size : CGSize{};
    const CGSize visible = clip_->bounds().size;
    to.x = std::clamp(to.x, 0.0, std::max(0.0, doc.width - visible.width));
    to.y = std::clamp(to.y, 0.0, std::max(0.0, doc.height - visible.height));
    clip_->setBoundsOrigin(to);
    if (header_) header_->setBoundsOrigin({to.x, 0});
    setNeedsDisplay(true);
}

void NSScrollView::scrollWheel(const NSEvent& event) {
    const CGPoint p = scrollPosition();
    // What lies above is further up the document: lower y in a flipped one.
    const CGFloat dy = clip_->isFlipped() ? -event.scrollingDeltaY() : event.scrollingDeltaY();
    scroll({p.x - event.scrollingDeltaX(), p.y + dy});
}

void NSScrollView::draw(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (drawsBackground_ && backgroundColor_) {
        ctx->setFillColor(backgroundColor_->cgColor());
        ctx->fill(bounds());
    }
    if (!scrollerShown_ || !document_) return;
    // The scroller: a track along the right edge and a knob as long as the visible share.
    const CGRect visible = clip_->frame();
    const CGRect track{bounds().maxX() - scrollerWidth, visible.minY(), scrollerWidth, visible.height()};
    ctx->setFillColor(NSColor::separatorColor()->cgColor());
    ctx->fill(track);
    const CGFloat total = std::max<CGFloat>(1, document_->frame().height());
    const CGFloat share = std::min<CGFloat>(1, visible.height() / total);
    CGFloat offset = scrollPosition().y / total;
    if (clip_->isFlipped()) offset = 1 - share - offset;  // y-up here: the top of the document is the top of the track
    const CGFloat knobHeight = std::max<CGFloat>(18, track.height() * share);
    const CGFloat travel = track.height() - knobHeight;
    const CGFloat knobY = track.minY() + (share < 1 ? travel * offset / (1 - share) : 0);
    ctx->setFillColor(NSColor::secondaryLabelColor()->cgColor());
    ctx->fill(CoreGraphics::CGPath::capsule({track.minX() + 4, knobY + 2, scrollerWidth - 8, knobHeight - 4}));
}

}  // namespace AppKit
