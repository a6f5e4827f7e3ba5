#include "AppKit/NSView.hpp"

#include <algorithm>

#include "AppKit/CALayer.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSGestureRecognizer.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSImage.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "AppKit/NSTrackingArea.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/PostNotification.hpp"
#include "AppKit/ViewLayout.hpp"
#include "Runtime/FatalError.hpp"

namespace AppKit {

using CoreGraphics::CGAffineTransform;

namespace {

// The view's coordinates to its superview's (or, for a content view, the window's).
CGAffineTransform toSuperview(const NSView& v) {
    CGRect f = v.frame(), b = v.bounds();
    const CGFloat sx = b.size.width > 0 ? f.size.width / b.size.width : 1, sy = b.size.height > 0 ? f.size.height / b.size.height : 1;
    // The frame is in the superview's own coordinates: a flip only where the two differ (a
    // window's coordinates run y-up).
    auto s = v.superview();
    CGAffineTransform t = v.isFlipped() != (s && s->isFlipped())
        ? CGAffineTransform{sx, 0, 0, -sy, f.origin.x - b.origin.x * sx, f.origin.y + f.size.height + b.origin.y * sy}
        : CGAffineTransform{sx, 0, 0, sy, f.origin.x - b.origin.x * sx, f.origin.y - b.origin.y * sy};
    if (v.boundsRotation() != 0) t = CGAffineTransform::rotation(v.boundsRotation() * CoreGraphics::pi / 180).concatenating(t);
    return t;
}

CGAffineTransform toWindow(const NSView& v) {
    CGAffineTransform t = toSuperview(v);
    for (auto s = v.superview(); s; s = s->superview()) t = t.concatenating(toSuperview(*s));
    return t;
}

// The platform's NSMouseInRect: the edge nearest the origin of the flipped or unflipped
// space is inside, the opposite edge is not.
bool mouseInRect(CGPoint p, const CGRect& r, bool flipped) {
    if (p.x < r.minX() || p.x >= r.maxX()) return false;
    return flipped ? (p.y >= r.minY() && p.y < r.maxY()) : (p.y > r.minY() && p.y <= r.maxY());
}

}  // namespace

void NSView::setFrame(CGRect frame) {
    if (frame == frame_) return;
    bool resized = frame.size != frame_.size;
    frame_ = frame;
    if (resized) didResize();
    if (auto s = superview()) s->setNeedsDisplay(true);
    setNeedsDisplay(true);
    if (postsFrameChanges_) postNotification(frameDidChangeNotification, sharedAs<Runtime::NSObject>());
}

void NSView::didResize() {
    setNeedsLayout(true);
    updateTrackingAreas();
    if (auto w = window()) w->invalidateCursorRects(this);
}

void NSView::setBoundsOrigin(CGPoint origin) {
    if (origin == boundsOrigin_) return;
    boundsOrigin_ = origin;
    setNeedsDisplay(true);
    if (postsBoundsChanges_) postNotification(boundsDidChangeNotification, sharedAs<Runtime::NSObject>());
}

void NSView::setBoundsSize(CGSize size) {
    if (size.width <= 0 || size.height <= 0 || frame_.size.width <= 0 || frame_.size.height <= 0) return;
    const CGSize scale{frame_.size.width / size.width, frame_.size.height / size.height};
    if (scale == boundsScale_) return;
    boundsScale_ = scale;
    didResize();
    setNeedsDisplay(true);
    if (postsBoundsChanges_) postNotification(boundsDidChangeNotification, sharedAs<Runtime::NSObject>());
}

void NSView::setHidden(bool hidden) {
    if (hidden == hidden_) return;
    hidden_ = hidden;
    if (hidden) {
        // A hidden view cannot keep keyboard focus.
        if (auto w = window()) {
            auto fr = std::dynamic_pointer_cast<NSView>(w->firstResponder());
            if (fr && fr->isDescendant(*this)) w->makeFirstResponder(nullptr);
        }
    }
    if (auto w = window()) w->invalidateCursorRects(this);
    if (auto s = superview()) s->setNeedsDisplay(true);
    setNeedsDisplay(true);
}

bool NSView::isHiddenOrHasHiddenAncestor() const {
    for (const NSView* v = this; v; v = v->superview().get())
        if (v->hidden_) return true;
    return false;
}

void NSView::setAlphaValue(CGFloat alpha) {
    alpha_ = std::clamp(alpha, 0.0, 1.0);
    setNeedsDisplay(true);
}

std::shared_ptr<NSWindow> NSView::window() const { return window_.lock(); }

void NSView::addSubview(const Ptr& view) { insertSubview(view, std::size_t(-1)); }

void NSView::addSubview(const Ptr& view, Ordering place, const Ptr& relativeTo) {
    std::size_t index = place == Ordering::above ? subviews_.size() : 0;
    if (relativeTo) {
        auto it = std::find(subviews_.begin(), subviews_.end(), relativeTo);
        if (it != subviews_.end()) index = std::size_t(it - subviews_.begin()) + (place == Ordering::above ? 1 : 0);
    }
    insertSubview(view, index);
}

void NSView::insertSubview(const Ptr& view, std::size_t index) {
    if (!view) return;
    if (isDescendant(*view)) Runtime::fatalError("NSView: a view cannot become a subview of itself or of its own subview");
    auto self = sharedAs<NSView>();
    if (view->superview() == self) {
        // Re-adding moves it to the front, without leaving the window.
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        subviews_.erase(it);
        subviews_.insert(subviews_.begin() + std::ptrdiff_t(std::min(index, subviews_.size())), view);
        setNeedsDisplay(true);
        return;
    }
    Ptr keep = view;
    auto newWindow = window();
    bool windowChanges = view->window() != newWindow;
    if (auto old = view->superview()) {
        view->viewWillMoveToSuperview(this);
        if (windowChanges) view->setWindowRecursively(nullptr, true);
        auto& sv = old->subviews_;
        sv.erase(std::remove(sv.begin(), sv.end(), view), sv.end());
        old->setNeedsDisplay(true);
        old->setNeedsLayout(true);
    } else {
        view->viewWillMoveToSuperview(this);
    }
    subviews_.insert(subviews_.begin() + std::ptrdiff_t(std::min(index, subviews_.size())), view);
    view->superview_ = self;
    if (windowChanges) view->setWindowRecursively(newWindow, true);
    view->viewDidMoveToSuperview();
    view->setNeedsDisplay(true);
    setNeedsLayout(true);
    didAddSubview(view.get());
}

void NSView::removeFromSuperview() {
    auto s = superview();
    if (!s) return;
    Ptr keep = sharedAs<NSView>();
    viewWillMoveToSuperview(nullptr);
    if (window()) setWindowRecursively(nullptr, true);
    auto& sv = s->subviews_;
    sv.erase(std::remove(sv.begin(), sv.end(), keep), sv.end());
    superview_.reset();
    // Constraints that tie this subtree to its old superview or siblings go with it.
    auto& cs = s->constraints_;
    for (auto it = cs.begin(); it != cs.end();) {
        auto a = (*it)->firstItem(), b = (*it)->secondItem();
        bool inSubtree = (a && a->isDescendant(*this)) || (b && b->isDescendant(*this));
        if (inSubtree) {
            (*it)->active_ = false;
            (*it)->installedOn_.reset();
            it = cs.erase(it);
        } else {
            ++it;
        }
    }
    s->setNeedsDisplay(true);
    s->setNeedsLayout(true);
    viewDidMoveToSuperview();
}

void NSView::setWindowRecursively(const std::shared_ptr<NSWindow>& window, bool callHooks) {
    auto old = window_.lock();
    if (old == window) return;
    bool wasOnScreen = old && old->isVisible();
    bool willBeOnScreen = window && window->isVisible();
    if (callHooks) viewWillMoveToWindow(window.get());
    if (wasOnScreen && !willBeOnScreen) {
        if (auto c = viewController()) c->disappear();
    }
    if (old) {
        // Leaving a window: give up keyboard focus and the mouse.
        if (old->firstResponder().get() == this) old->setFirstResponderValue(nullptr);
        if (old->captured_.lock().get() == this) old->captured_.reset();
    }
    CGFloat oldScale = old ? old->backingScaleFactor() : 0;
    window_ = window;
    for (auto& sub : subviews_) sub->setWindowRecursively(window, callHooks);
    if (old) old->invalidateCursorRects(this);
    if (window) window->invalidateCursorRects(this);
    if (callHooks) viewDidMoveToWindow();
    if (window) updateTrackingAreas();
    if (window && window->backingScaleFactor() != oldScale) viewDidChangeBackingProperties();
    if (!wasOnScreen && willBeOnScreen) {
        if (auto c = viewController()) c->appear();
    }
    needsDisplay_ = true;
}

void NSView::windowVisibilityChanged(bool onScreen) {
    // Controllers appear parent first and disappear children first, as on the platform.
    auto c = viewController();
    if (onScreen && c) c->appear();
    for (auto& sub : subviews_) sub->windowVisibilityChanged(onScreen);
    if (!onScreen && c) c->disappear();
}

void NSView::backingPropertiesChanged() {
    viewDidChangeBackingProperties();
    setNeedsDisplay(true);
    for (auto& sub : subviews_) sub->backingPropertiesChanged();
}

bool NSView::isDescendant(const NSView& view) const {
    for (const NSView* v = this; v; v = v->superview().get())
        if (v == &view) return true;
    return false;
}

NSView::Ptr NSView::viewWithIdentifier(const std::string& identifier) {
    if (identifier_ == identifier) return sharedAs<NSView>();
    for (auto& sub : subviews_)
        if (auto found = sub->viewWithIdentifier(identifier)) return found;
    return nullptr;
}

CGPoint NSView::convert(CGPoint point, const NSView* from) const {
    CGPoint inWindow = from ? toWindow(*from).apply(point) : point;
    return toWindow(*this).inverted().apply(inWindow);
}

CGPoint NSView::convertTo(CGPoint point, const NSView* to) const {
    CGPoint inWindow = toWindow(*this).apply(point);
    return to ? toWindow(*to).inverted().apply(inWindow) : inWindow;
}

CGRect NSView::convert(CGRect rect, const NSView* from) const {
    CGRect inWindow = from ? toWindow(*from).apply(rect) : rect;
    return toWindow(*this).inverted().apply(inWindow);
}

CGRect NSView::convertTo(CGRect rect, const NSView* to) const {
    CGRect inWindow = toWindow(*this).apply(rect);
    return to ? toWindow(*to).inverted().apply(inWindow) : inWindow;
}

NSView::Ptr NSView::hitTest(CGPoint point) {
    if (hidden_) return nullptr;
    auto s = superview();
    if (!mouseInRect(point, frame_, s ? s->isFlipped() : false)) return nullptr;
    CGPoint local = toSuperview(*this).inverted().apply(point);
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it)
        if (auto hit = (*it)->hitTest(local)) return hit;
    return sharedAs<NSView>();
}

std::shared_ptr<NSResponder> NSView::nextResponder() const {
    if (auto explicitNext = NSResponder::nextResponder()) return explicitNext;
    if (auto c = viewController()) return c;
    if (auto s = superview()) return s;
    if (auto w = window(); w && w->contentView().get() == this) return w;
    return nullptr;
}

void NSView::addTrackingArea(const std::shared_ptr<NSTrackingArea>& area) {
    if (area && std::find(trackingAreas_.begin(), trackingAreas_.end(), area) == trackingAreas_.end())
        trackingAreas_.push_back(area);
}

void NSView::removeTrackingArea(const std::shared_ptr<NSTrackingArea>& area) {
    trackingAreas_.erase(std::remove(trackingAreas_.begin(), trackingAreas_.end(), area), trackingAreas_.end());
}

void NSView::addGestureRecognizer(const std::shared_ptr<NSGestureRecognizer>& recognizer) {
    if (!recognizer || std::find(recognizers_.begin(), recognizers_.end(), recognizer) != recognizers_.end()) return;
    if (auto old = recognizer->view()) old->removeGestureRecognizer(recognizer);
    recognizer->view_ = sharedAs<NSView>();
    recognizers_.push_back(recognizer);
}

void NSView::removeGestureRecognizer(const std::shared_ptr<NSGestureRecognizer>& recognizer) {
    auto it = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
    if (it == recognizers_.end()) return;
    recognizer->view_.reset();
    recognizers_.erase(it);
}

std::shared_ptr<NSMenu> NSView::menuForEvent(const NSEvent&) { return menu_; }

void NSView::rightMouseDown(const NSEvent& event) {
    if (auto m = menuForEvent(event)) {
        NSMenu::popUpContextMenu(m, event, this);
        return;
    }
    NSResponder::rightMouseDown(event);
}

std::shared_ptr<NSScrollView> NSView::enclosingScrollView() const {
    for (auto v = superview(); v; v = v->superview())
        if (auto scroll = std::dynamic_pointer_cast<NSScrollView>(v)) return scroll;
    return nullptr;
}

void NSView::setWantsLayer(bool flag) {
    if (flag == wantsLayer()) return;
    layer_ = flag ? Runtime::make<CALayer>() : nullptr;
    if (layer_) {
        std::weak_ptr<Runtime::NSObject> self = weak_from_this();
        layer_->setContentsObserver([self] {
            if (auto v = std::dynamic_pointer_cast<NSView>(self.lock())) v->setNeedsDisplay(true);
        });
    }
    setNeedsDisplay(true);
}

void NSView::addCursorRect(CGRect rect, const std::shared_ptr<NSCursor>& cursor) {
    if (cursor) cursorRects_.push_back({rect, cursor});
}

void NSView::removeCursorRect(CGRect rect, const std::shared_ptr<NSCursor>& cursor) {
    cursorRects_.erase(std::remove_if(cursorRects_.begin(), cursorRects_.end(),
                                      [&](const auto& r) { return r.first == rect && r.second == cursor; }),
                       cursorRects_.end());
}

void NSView::setNeedsDisplay(bool flag) { needsDisplay_ = flag; }

void NSView::displayInCurrentContext() {
    auto* ctx = CoreGraphics::CGContext::current();
    Ptr keep = sharedAs<NSView>();
    if (!ctx || hidden_) {
        needsDisplay_ = false;
        return;
    }
    ctx->saveGState();
    ctx->concatenate(toSuperview(*this));
    if (clipsToBounds_) ctx->clip(bounds());
    const CGFloat alpha = alpha_ * (layer_ ? layer_->opacity() : 1);
    const bool layer = alpha < 1;
    if (layer) ctx->beginTransparencyLayer(alpha);
    auto outer = NSAppearance::currentDrawing();
    NSAppearance::setCurrentDrawing(effectiveAppearance());
    needsDisplay_ = false;
    if (layer_ && layer_->backgroundColor()) {
        ctx->setFillColor(*layer_->backgroundColor());
        ctx->fill(bounds());
    }
    draw(bounds());
    drawSystemFocusRing();
    auto subs = subviews_;
    for (auto& sub : subs) sub->displayInCurrentContext();
    NSAppearance::setCurrentDrawing(outer);
    if (layer) ctx->endTransparencyLayer();
    ctx->restoreGState();
}

void NSView::setNextKeyView(const Ptr& view) {
    if (auto old = nextKeyView(); old && old->previousKeyView().get() == this) old->previousKeyView_.reset();
    nextKeyView_ = view;
    if (view) view->previousKeyView_ = sharedAs<NSView>();
}

namespace {
// Follows `step` from `start` to the first view that can become key view; a loop that comes
// back to where it started has none.
NSView::Ptr validKeyView(const NSView& start, NSView::Ptr (NSView::*step)() const) {
    NSView::Ptr v = (start.*step)();
    for (std::size_t guard = 0; v && v.get() != &start && guard < 10000; ++guard, v = ((*v).*step)())
        if (v->canBecomeKeyView()) return v;
    return nullptr;
}
}  // namespace

NSView::Ptr NSView::nextValidKeyView() const { return validKeyView(*this, &NSView::nextKeyView); }
NSView::Ptr NSView::previousValidKeyView() const { return validKeyView(*this, &NSView::previousKeyView); }

void NSView::rotateByDegrees(CGFloat angle) {
    boundsRotation_ += angle;
    setNeedsDisplay(true);
}

std::shared_ptr<NSImage> NSView::cacheDisplay(CGRect rect) {
    if (rect.isEmpty()) return nullptr;
    auto w = window();
    CoreGraphics::CGContext ctx(rect.standardized().size, isFlipped(), w ? w->backingScaleFactor() : 1);
    {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        // displayInCurrentContext draws in the superview's space: undo that step, then move the
        // rectangle's corner to the context's origin.
        ctx.translateBy(-rect.minX(), -rect.minY());
        ctx.concatenate(toSuperview(*this).inverted());
        displayInCurrentContext();
    }
    return NSImage::withAsset(ctx.makeImageAsset(identifier_));
}

void NSView::setFocusRingType(NSFocusRingType type) {
    focusRingType_ = type;
    setNeedsDisplay(true);
}

void NSView::drawSystemFocusRing() {
    if (focusRingType_ == NSFocusRingType::none) return;
    auto w = window();
    if (!w || !w->isKeyWindow() || w->firstResponder().get() != this) return;
    const CGRect ring = focusRingMaskBounds();
    if (ring.isEmpty()) return;
    // The ring follows the mask; a view whose mask draws nothing has none.
    CoreGraphics::CGContext mask(bounds().size, isFlipped());
    {
        CoreGraphics::CGContext::CurrentScope scope(&mask);
        drawFocusRingMask();
    }
    if (mask.displayList().empty()) return;
    auto* ctx = CoreGraphics::CGContext::current();
    ctx->saveGState();
    ctx->setStrokeColor(NSColor::controlAccentColor()->cgColor().withAlpha(0.6));
    ctx->setLineWidth(3);
    ctx->stroke(CoreGraphics::CGPath::roundedRect(ring.insetBy(-1.5, -1.5), 4));
    ctx->restoreGState();
}

std::shared_ptr<NSAppearance> NSView::effectiveAppearance() const {
    for (const NSView* v = this; v; v = v->superview().get())
        if (v->appearance_) return v->appearance_;
    if (auto w = window()) return w->effectiveAppearance();
    return NSApplication::shared().effectiveAppearance();
}

void NSView::setTranslatesAutoresizingMaskIntoConstraints(bool flag) {
    if (flag == translatesAutoresizing_) return;
    translatesAutoresizing_ = flag;
    if (auto s = superview()) s->setNeedsLayout(true);
}

NSLayoutAnchor NSView::anchor(LayoutAttribute a) const {
    return NSLayoutAnchor(std::const_pointer_cast<NSView>(std::static_pointer_cast<const NSView>(shared_from_this())), a);
}

void NSView::addConstraint(const NSLayoutConstraint::Ptr& constraint) {
    if (!constraint) return;
    if (std::find(constraints_.begin(), constraints_.end(), constraint) == constraints_.end())
        constraints_.push_back(constraint);
    constraint->active_ = true;
    constraint->installedOn_ = sharedAs<NSView>();
    constraint->markNeedsLayout();
}

void NSView::removeConstraint(const NSLayoutConstraint::Ptr& constraint) {
    auto it = std::find(constraints_.begin(), constraints_.end(), constraint);
    if (it == constraints_.end()) return;
    constraints_.erase(it);
    constraint->active_ = false;
    constraint->installedOn_.reset();
    constraint->markNeedsLayout();
}

void NSView::invalidateIntrinsicContentSize() {
    if (auto s = superview()) s->setNeedsLayout(true);
}

void NSView::setNeedsLayout(bool flag) { needsLayout_ = flag; }

void NSView::layout() {
    needsLayout_ = false;
    resolveConstraintLayout(*this);
}

void NSView::layoutSubtreeIfNeeded() {
    Ptr keep = sharedAs<NSView>();
    if (needsLayout_) {
        auto c = viewController();
        if (c) c->viewWillLayout();
        layout();
        if (c) c->viewDidLayout();
    }
    // A copy: layout may add or remove subviews.
    auto subs = subviews_;
    for (auto& sub : subs) sub->layoutSubtreeIfNeeded();
}

}  // namespace AppKit
