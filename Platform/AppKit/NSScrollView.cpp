#include "AppKit/NSScrollView.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

namespace {
class ClipView : public NSView {
    VZ_OBJECT(ClipView, NSView)
protected:
    using NSView::NSView;
};
}  // namespace

void NSScrollView::didInit() {
    NSView::didInit();
    clip_ = Runtime::make<ClipView>(bounds());
    clip_->setClipsToBounds(true);
    addSubview(clip_);
    backgroundColor_ = NSColor::windowBackgroundColor();
}

void NSScrollView::setFrame(CGRect frame) {
    NSView::setFrame(frame);
    if (clip_) {
        clip_->setFrame({0, 0, frame.width(), frame.height()});
        scroll(scrollPosition());
    }
}

void NSScrollView::setDocumentView(const NSView::Ptr& view) {
    if (document_) document_->removeFromSuperview();
    document_ = view;
    if (view) {
        clip_->addSubview(view);
        view->setFrameOrigin({0, 0});
    }
    scroll({0, 0});
}

void NSScrollView::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    setNeedsDisplay(true);
}

void NSScrollView::setDrawsBackground(bool flag) {
    drawsBackground_ = flag;
    setNeedsDisplay(true);
}

CGPoint NSScrollView::scrollPosition() const { return clip_ ? clip_->bounds().origin : CGPoint{}; }

void NSScrollView::scroll(CGPoint to) {
    const CGSize doc = document_ ? document_->frame().size : CGSize{};
    const CGSize visible = clip_->bounds().size;
    to.x = std::clamp(to.x, 0.0, std::max(0.0, doc.width - visible.width));
    to.y = std::clamp(to.y, 0.0, std::max(0.0, doc.height - visible.height));
    clip_->setBoundsOrigin(to);
    setNeedsDisplay(true);
}

void NSScrollView::scrollWheel(const NSEvent& event) {
    const CGPoint p = scrollPosition();
    scroll({p.x - event.scrollingDeltaX(), p.y + event.scrollingDeltaY()});
}

void NSScrollView::draw(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || !drawsBackground_ || !backgroundColor_) return;
    ctx->setFillColor(backgroundColor_->cgColor());
    ctx->fill(bounds());
}

}  // namespace AppKit
