#include "AppKit/NSPopover.hpp"

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWindow.hpp"

namespace AppKit {

namespace {
// A popover's window: borderless, never key, so the window it points into keeps the focus.
class PopoverWindow : public NSWindow {
    VZ_OBJECT(PopoverWindow, NSWindow)
public:
    bool canBecomeKeyWindow() const override { return false; }

protected:
    explicit PopoverWindow(CGRect contentRect) : NSWindow(contentRect, StyleMask::borderless()) {}
};
}  // namespace

void NSPopover::setAppearance(std::shared_ptr<NSAppearance> appearance) {
    appearance_ = std::move(appearance);
    if (window_) window_->setAppearance(appearance_);
}

void NSPopover::setContentSize(CGSize size) {
    contentSize_ = size;
    if (shown_) place();
}

void NSPopover::setContentViewController(std::shared_ptr<NSViewController> controller) {
    controller_ = std::move(controller);
    if (window_) window_->setContentView(controller_ ? controller_->view() : nullptr);
    if (shown_) place();
}

void NSPopover::show(CGRect relativeTo, const std::shared_ptr<NSView>& of, NSRectEdge preferredEdge) {
    if (!of || !of->window()) return;
    anchor_ = of;
    anchorRect_ = relativeTo;
    edge_ = preferredEdge;
    if (!window_) window_ = Runtime::make<PopoverWindow>(CGRect{0, 0, contentSize_.width, contentSize_.height});
    window_->setAppearance(appearance_);
    window_->setBackgroundColor(NSColor::windowBackgroundColor());
    if (controller_ && window_->contentView() != controller_->view()) window_->setContentView(controller_->view());
    shown_ = true;
    place();
    window_->orderFront();
}

void NSPopover::place() {
    auto view = anchor_.lock();
    auto host = view ? view->window() : nullptr;
    if (!window_) return;
    CGRect at = anchorRect_;
    if (host) {
        // The rectangle in screen coordinates: through the window's base, then its content.
        const CGRect inWindow = view->convertTo(anchorRect_, nullptr);
        const CGRect content = host->contentRect(host->frame());
        at = {content.minX() + inWindow.minX(), content.minY() + inWindow.minY(), inWindow.width(), inWindow.height()};
    }
    const CGFloat w = contentSize_.width, h = contentSize_.height;
    CGPoint origin;
    switch (edge_) {
    case NSRectEdge::maxY: origin = {at.midX() - w / 2, at.maxY()}; break;
    case NSRectEdge::minY: origin = {at.midX() - w / 2, at.minY() - h}; break;
    case NSRectEdge::minX: origin = {at.minX() - w, at.midY() - h / 2}; break;
    case NSRectEdge::maxX: origin = {at.maxX(), at.midY() - h / 2}; break;
    }
    window_->setFrame(window_->frameRect({origin.x, origin.y, w, h}));
    if (auto content = window_->contentView()) {
        content->setFrame({0, 0, w, h});
        content->layoutSubtreeIfNeeded();
    }
}

void NSPopover::performClose(Runtime::NSObject*) { close(); }

void NSPopover::close() {
    if (!shown_) return;
    shown_ = false;
    if (window_) window_->orderOut();
}

}  // namespace AppKit
