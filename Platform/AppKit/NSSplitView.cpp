#include "AppKit/NSSplitView.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

namespace {
constexpr CGFloat grabWidth = 5;
}

void NSSplitView::setVertical(bool flag) {
    vertical_ = flag;
    adjustSubviews();
}

std::shared_ptr<NSColor> NSSplitView::dividerColor() const { return NSColor::white(0.5); }

void NSSplitView::drawDivider(CGRect in) {
    auto* ctx = CoreGraphics::CGContext::current();
    auto colour = dividerColor();
    if (!ctx || !colour) return;
    ctx->setFillColor(colour->cgColor());
    ctx->fill(in);
}

void NSSplitView::place(const std::vector<CGFloat>& lengths) {
    const CGRect b = bounds();
    CGFloat at = 0;
    for (std::size_t i = 0; i < subviews().size(); ++i) {
        const CGFloat l = std::max<CGFloat>(0, lengths[i]);
        subviews()[i]->setFrame(vertical_ ? CGRect{at, 0, l, b.height()} : CGRect{0, at, b.width(), l});
        at += l + dividerThickness();
    }
    setNeedsDisplay(true);
}

void NSSplitView::adjustSubviews() {
    const auto& views = subviews();
    if (views.empty()) return;
    const CGFloat space = std::max<CGFloat>(0, along(bounds()) - dividerThickness() * CGFloat(views.size() - 1));
    CGFloat total = 0;
    for (auto& v : views) total += along(v->frame());
    std::vector<CGFloat> lengths;
    for (auto& v : views) lengths.push_back(total > 0 ? along(v->frame()) * space / total : space / CGFloat(views.size()));
    place(lengths);
}

CGFloat NSSplitView::positionOfDivider(std::size_t index) const {
    const auto& v = subviews()[index];
    return start(v->frame()) + along(v->frame());
}

CGRect NSSplitView::dividerRect(std::size_t index) const {
    const CGFloat at = positionOfDivider(index), t = dividerThickness();
    const CGRect b = bounds();
    return vertical_ ? CGRect{at, 0, t, b.height()} : CGRect{0, at, b.width(), t};
}

void NSSplitView::setPosition(CGFloat position, std::size_t index) {
    const auto& views = subviews();
    if (index + 1 >= views.size()) return;
    std::vector<CGFloat> lengths;
    for (auto& v : views) lengths.push_back(along(v->frame()));
    const CGFloat from = start(views[index]->frame());
    const CGFloat to = start(views[index + 1]->frame()) + lengths[index + 1];  // the next one's end
    const CGFloat end = std::clamp(position, from, std::max(from, to - dividerThickness()));
    lengths[index] = end - from;
    lengths[index + 1] = std::max<CGFloat>(0, to - end - dividerThickness());
    place(lengths);
}

void NSSplitView::setFrame(CGRect frame) {
    const bool resized = frame.size != this->frame().size;
    NSView::setFrame(frame);
    if (resized) adjustSubviews();
}

void NSSplitView::draw(CGRect) {
    for (std::size_t i = 0; i + 1 < subviews().size(); ++i) drawDivider(dividerRect(i));
}

long NSSplitView::dividerAt(CGPoint p) const {
    for (std::size_t i = 0; i + 1 < subviews().size(); ++i) {
        const CGRect r = dividerRect(i);
        const CGFloat grow = std::max<CGFloat>(0, (grabWidth - dividerThickness()) / 2);
        if ((vertical_ ? r.insetBy(-grow, 0) : r.insetBy(0, -grow)).contains(p)) return long(i);
    }
    return -1;
}

NSView::Ptr NSSplitView::hitTest(CGPoint point) {
    if (isHidden() || !frame().contains(point)) return nullptr;
    if (dividerAt(convert(point, superview().get())) >= 0) return sharedAs<NSView>();
    return NSView::hitTest(point);
}

void NSSplitView::mouseDown(const NSEvent& event) {
    auto window = this->window();
    const long index = dividerAt(convert(event.locationInWindow(), nullptr));
    if (!window || index < 0) return NSView::mouseDown(event);
    // The divider follows the pointer at the offset where it was grabbed.
    const CGFloat grabbed = length(convert(event.locationInWindow(), nullptr)) - positionOfDivider(std::size_t(index));
    for (;;) {
        auto e = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
        setPosition(length(convert(e->locationInWindow(), nullptr)) - grabbed, std::size_t(index));
        if (e->type() == EventType::leftMouseUp) return;
    }
}

}  // namespace AppKit
