#include "AppKit/NSWindow.hpp"

#include <algorithm>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSCursor.hpp"
#include "AppKit/NSGestureRecognizer.hpp"
#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSScreen.hpp"
#include "AppKit/NSTextView.hpp"
#include "AppKit/NSTrackingArea.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWindowDelegate.hpp"
#include "AppKit/PostNotification.hpp"
#include "AppKit/WindowBackend.hpp"
#include "Runtime/MainActor.hpp"

namespace AppKit {

namespace {
constexpr CGFloat kTitlebarHeight = 28;

std::map<std::string, CGRect>& savedFrames() {
    static std::map<std::string, CGRect> frames;
    return frames;
}

void forEachView(NSView& v, const std::function<void(NSView&)>& fn) {
    fn(v);
    auto subs = v.subviews();
    for (auto& s : subs) forEachView(*s, fn);
}

bool anyNeedsDisplay(const NSView& v) {
    if (v.needsDisplay() || v.needsLayout()) return true;
    for (auto& s : v.subviews())
        if (anyNeedsDisplay(*s)) return true;
    return false;
}
}  // namespace

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSWindow::classActions() {
    return {Runtime::action("performClose:", &NSWindow::performClose),
            Runtime::action("makeKeyAndOrderFront:", &NSWindow::makeKeyAndOrderFront),
            Runtime::action("orderFront:", &NSWindow::orderFront), Runtime::action("orderOut:", &NSWindow::orderOut)};
}

NSWindow::NSWindow(CGRect contentRect, StyleMask style, BackingStoreType backing, bool) : style_(style), backing_(backing) {
    frame_ = frameRect(contentRect);
}

NSWindow::Ptr NSWindow::make(CGRect contentRect, StyleMask style) { return Runtime::make<NSWindow>(contentRect, style); }

void NSWindow::didInit() {
    number_ = NSApplication::shared().nextWindowNumber();
    setContentView(Runtime::make<NSView>(CGRect{{0, 0}, contentSize()}));
}

void NSWindow::setTitle(std::string title) {
    title_ = std::move(title);
    if (auto b = NSApplication::shared().windowBackend(); b && visible_) b->windowDidChangeFrame(*this);
}

void NSWindow::setStyleMask(StyleMask style) {
    CGRect content = contentRect(frame_);
    style_ = style;
    frame_ = frameRect(content);
}

CGFloat NSWindow::titlebarHeight() const {
    if (!style_.contains(StyleMask::titled()) || style_.contains(StyleMask::fullSizeContentView())) return 0;
    return kTitlebarHeight;
}

void NSWindow::setAppearance(std::shared_ptr<NSAppearance> appearance) {
    appearance_ = std::move(appearance);
    if (contentView_) forEachView(*contentView_, [](NSView& v) { v.setNeedsDisplay(true); });
}

std::shared_ptr<NSAppearance> NSWindow::effectiveAppearance() const {
    return appearance_ ? appearance_ : NSApplication::shared().effectiveAppearance();
}

CGRect NSWindow::contentRect(CGRect f) const { return {f.origin.x, f.origin.y, f.size.width, f.size.height - titlebarHeight()}; }

CGRect NSWindow::frameRect(CGRect c) const { return {c.origin.x, c.origin.y, c.size.width, c.size.height + titlebarHeight()}; }

void NSWindow::setFrame(CGRect frame, bool display) {
    if (frame == frame_) return;
    bool resized = frame.size != frame_.size;
    frame_ = frame;
    if (!autosaveName_.empty()) savedFrames()[autosaveName_] = frame_;
    contentViewFrameToWindow();
    if (resized) {
        if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowDidResize(*this);
        postNotification(didResizeNotification, sharedAs<NSWindow>());
    }
    if (display && visible_) displayIfNeeded();
    if (auto b = NSApplication::shared().windowBackend(); b && visible_) b->windowDidChangeFrame(*this);
}

void NSWindow::setContentSize(CGSize size) {
    size.width = std::clamp(size.width, contentMinSize_.width, std::max(contentMinSize_.width, contentMaxSize_.width));
    size.height = std::clamp(size.height, contentMinSize_.height, std::max(contentMinSize_.height, contentMaxSize_.height));
    CGRect content = contentRect(frame_);
    // The top edge stays where it is, as on the platform.
    CGFloat top = content.origin.y + content.size.height;
    CGRect f = frameRect({content.origin.x, top - size.height, size.width, size.height});
    setFrame(f);
}

void NSWindow::setContentMinSize(CGSize size) { contentMinSize_ = size; }
void NSWindow::setContentMaxSize(CGSize size) { contentMaxSize_ = size; }

void NSWindow::center() {
    auto s = screen();
    if (!s) return;
    CGRect v = s->visibleFrame();
    setFrame({std::round(v.midX() - frame_.size.width / 2), std::round(v.midY() - frame_.size.height / 2),
              frame_.size.width, frame_.size.height});
}

std::shared_ptr<NSScreen> NSWindow::screen() const { return NSScreen::main(); }

CGFloat NSWindow::backingScaleFactor() const {
    if (backingScale_) return *backingScale_;
    auto s = screen();
    return s ? s->backingScaleFactor() : 1.0;
}

void NSWindow::setBackingScaleFactor(CGFloat scale) {
    CGFloat old = backingScaleFactor();
    backingScale_ = scale;
    if (old == scale) return;
    if (contentView_) contentView_->backingPropertiesChanged();
    if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowDidChangeBackingProperties(*this);
    postNotification(didChangeBackingPropertiesNotification, sharedAs<NSWindow>());
    if (auto b = NSApplication::shared().windowBackend(); b && visible_) b->windowDidChangeFrame(*this);
}

void NSWindow::contentViewFrameToWindow() {
    if (contentView_) contentView_->setFrame({{0, 0}, contentSize()});
}

void NSWindow::setContentView(const NSView::Ptr& view) {
    if (view == contentView_) return;
    auto self = sharedAs<NSWindow>();
    if (contentView_) {
        auto old = contentView_;
        contentView_ = nullptr;
        old->setWindowRecursively(nullptr, true);
    }
    contentView_ = view;
    if (!view) return;
    view->removeFromSuperview();
    view->setFrame({{0, 0}, contentSize()});
    view->setWindowRecursively(self, true);
    view->setNeedsLayout(true);
}

void NSWindow::setContentViewController(const std::shared_ptr<NSViewController>& controller) {
    contentViewController_ = controller;
    if (!controller) {
        setContentView(Runtime::make<NSView>());
        return;
    }
    auto view = controller->view();
    CGSize size = controller->preferredContentSize();
    if (size.width <= 0 || size.height <= 0) size = view->frame().size;
    if (size.width > 0 && size.height > 0) setContentSize(size);
    setContentView(view);
}

bool NSWindow::isKeyWindow() const { return key_; }

bool NSWindow::canBecomeKeyWindow() const { return style_.contains(StyleMask::titled()) || style_.contains(StyleMask::resizable()); }

void NSWindow::makeKeyWindow() {
    if (!canBecomeKeyWindow()) return;
    NSApplication::shared().setKeyWindow(sharedAs<NSWindow>());
}

void NSWindow::makeKeyAndOrderFront(Runtime::NSObject* sender) {
    orderFront(sender);
    makeKeyWindow();
}

void NSWindow::orderFront(Runtime::NSObject*) {
    auto self = sharedAs<NSWindow>();
    NSApplication::shared().windowDidOrderFront(self);
    if (visible_) return;
    const auto before = occlusionState();
    visible_ = true;
    shownOnDesktop_ = true;
    if (contentView_) contentView_->windowVisibilityChanged(true);
    if (auto b = NSApplication::shared().windowBackend()) b->windowDidOrderFront(*this);
    if (contentView_) contentView_->setNeedsDisplay(true);
    occlusionMayHaveChanged(before);
}

void NSWindow::orderOut(Runtime::NSObject*) {
    auto& app = NSApplication::shared();
    if (!visible_) {
        // A window made key without being shown still gives key status up.
        if (app.keyWindow_.lock().get() == this) app.windowDidOrderOut(*this);
        return;
    }
    auto self = sharedAs<NSWindow>();
    const auto before = occlusionState();
    visible_ = false;
    miniaturized_ = false;
    app.windowDidOrderOut(*this);
    if (contentView_) contentView_->windowVisibilityChanged(false);
    if (auto b = app.windowBackend()) b->windowDidOrderOut(*this);
    occlusionMayHaveChanged(before);
}

OcclusionState NSWindow::occlusionState() const {
    return visible_ && shownOnDesktop_ && !miniaturized_ ? OcclusionState::visible() : OcclusionState{};
}

void NSWindow::setShownOnDesktop(bool shown) {
    const auto before = occlusionState();
    shownOnDesktop_ = shown;
    occlusionMayHaveChanged(before);
}

void NSWindow::desktopDidRestore() {
    const auto before = occlusionState();
    miniaturized_ = false;
    shownOnDesktop_ = true;
    occlusionMayHaveChanged(before);
}

void NSWindow::occlusionMayHaveChanged(OcclusionState before) {
    if (occlusionState() == before) return;
    if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowDidChangeOcclusionState(*this);
    postNotification(didChangeOcclusionStateNotification, sharedAs<NSWindow>());
}

void NSWindow::performClose(Runtime::NSObject*) {
    if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get()); d && !d->windowShouldClose(*this)) return;
    close();
}

void NSWindow::miniaturize(Runtime::NSObject*) {
    if (!visible_ || miniaturized_) return;
    const auto before = occlusionState();
    miniaturized_ = true;
    if (auto b = NSApplication::shared().windowBackend()) b->windowDidChangeMiniaturized(*this);
    occlusionMayHaveChanged(before);
}

void NSWindow::deminiaturize(Runtime::NSObject*) {
    if (!visible_) return;
    const auto before = occlusionState();
    miniaturized_ = false;
    if (auto b = NSApplication::shared().windowBackend()) b->windowDidChangeMiniaturized(*this);
    occlusionMayHaveChanged(before);
}

void NSWindow::close() {
    auto self = sharedAs<NSWindow>();
    if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowWillClose(*this);
    postNotification(willCloseNotification, self);
    orderOut(nullptr);
}

void NSWindow::setKey(bool key) {
    if (key == key_) return;
    key_ = key;
    auto self = sharedAs<NSWindow>();
    if (key) {
        becomeKeyWindow();
        if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowDidBecomeKey(*this);
        postNotification(didBecomeKeyNotification, self);
    } else {
        resignKeyWindow();
        if (auto d = dynamic_cast<NSWindowDelegate*>(delegate().get())) d->windowDidResignKey(*this);
        postNotification(didResignKeyNotification, self);
    }
}

void NSWindow::becomeKeyWindow() {
    if (firstResponder_.expired())
        if (auto initial = initialFirstResponder()) makeFirstResponder(initial);
}

void NSWindow::resignKeyWindow() {}

std::shared_ptr<NSResponder> NSWindow::firstResponder() const {
    if (auto r = firstResponder_.lock()) return r;
    return std::const_pointer_cast<NSWindow>(std::static_pointer_cast<const NSWindow>(shared_from_this()));
}

bool NSWindow::makeFirstResponder(const std::shared_ptr<NSResponder>& responder) {
    auto current = firstResponder_.lock();
    if (responder.get() == this) return makeFirstResponder(nullptr);
    if (current == responder) return true;
    if (current && !current->resignFirstResponder()) return false;
    setFirstResponderValue(nullptr);
    if (!responder) return true;
    if (!responder->acceptsFirstResponder() || !responder->becomeFirstResponder()) return false;
    // A text field hands the focus on to the field editor while it becomes first responder.
    if (!firstResponder_.lock()) setFirstResponderValue(responder);
    return true;
}

void NSWindow::setFirstResponderValue(const std::shared_ptr<NSResponder>& responder) {
    firstResponder_ = responder;
    if (firstResponderSubject_->value().lock() != responder) firstResponderSubject_->send(responder);
}

void NSWindow::selectNextKeyView(Runtime::NSObject*) {
    auto view = std::dynamic_pointer_cast<NSView>(firstResponder_.lock());
    if (auto next = view ? view->nextValidKeyView() : initialFirstResponder()) makeFirstResponder(next);
}

void NSWindow::selectPreviousKeyView(Runtime::NSObject*) {
    auto view = std::dynamic_pointer_cast<NSView>(firstResponder_.lock());
    if (auto previous = view ? view->previousValidKeyView() : initialFirstResponder()) makeFirstResponder(previous);
}

std::shared_ptr<NSText> NSWindow::fieldEditor(bool createWhenNeeded, const Runtime::NSObject*) {
    if (!fieldEditor_ && createWhenNeeded) {
        fieldEditor_ = Runtime::make<NSTextView>();
        fieldEditor_->setFieldEditor(true);
    }
    return fieldEditor_;
}

NSView::Ptr NSWindow::hitTest(CGPoint locationInWindow) const {
    return contentView_ ? contentView_->hitTest(locationInWindow) : nullptr;
}

void NSWindow::sendEvent(const std::shared_ptr<NSEvent>& event) {
    if (!event) return;
    Runtime::assertMainActor();
    auto self = sharedAs<NSWindow>();
    auto& app = NSApplication::shared();
    // A window under a sheet takes neither clicks nor keys; a press begun before still ends.
    if (attachedSheet_ && (event->isKeyEvent() || event->type() == EventType::leftMouseDown ||
                           event->type() == EventType::rightMouseDown || event->type() == EventType::otherMouseDown))
        return;
    auto previous = app.currentEvent_;
    app.currentEvent_ = event;
    switch (event->type()) {
    case EventType::keyDown:
    case EventType::keyUp:
    case EventType::flagsChanged: firstResponder()->dispatchEvent(*event); break;
    default: dispatchMouse(event); break;
    }
    app.currentEvent_ = previous;
}

void NSWindow::dispatchMouse(const std::shared_ptr<NSEvent>& event) {
    const NSEvent& e = *event;
    unsigned buttons = NSEvent::pressedMouseButtons();
    switch (e.type()) {
    case EventType::leftMouseDown:
    case EventType::rightMouseDown:
    case EventType::otherMouseDown: {
        NSEvent::setPressedMouseButtons(buttons | (1u << e.buttonNumber()));
        auto hit = hitTest(e.locationInWindow());
        if (!key_ && canBecomeKeyWindow()) {
            // The click that activates a window reaches the view only if it asks for it; in a
            // window of an inactive application it brings the application to the front.
            makeKeyAndOrderFront();
            if (!NSApplication::shared().isActive()) NSApplication::shared().activate();
            if (hit && !hit->acceptsFirstMouse(&e)) return;
        }
        // A field being edited keeps its field editor as first responder: the click is the editing's.
        auto editor = std::dynamic_pointer_cast<NSText>(firstResponder_.lock());
        const bool edited = hit && editor && editor->editedObject() == hit;
        if (hit && e.type() == EventType::leftMouseDown && hit->acceptsFirstResponder() && !edited) makeFirstResponder(hit);
        captured_ = hit;
        if (hit) NSGestureRecognizer::deliver(*hit, e);
        if (hit)
            hit->dispatchEvent(e);
        else
            dispatchEvent(e);
        return;
    }
    case EventType::leftMouseDragged:
    case EventType::rightMouseDragged:
    case EventType::otherMouseDragged:
    case EventType::leftMouseUp:
    case EventType::rightMouseUp:
    case EventType::otherMouseUp: {
        bool up = e.type() == EventType::leftMouseUp || e.type() == EventType::rightMouseUp ||
                  e.type() == EventType::otherMouseUp;
        if (up) NSEvent::setPressedMouseButtons(buttons & ~(1u << e.buttonNumber()));
        NSView::Ptr target = captured_.lock();
        if (!target) target = hitTest(e.locationInWindow());
        if (up) captured_.reset();
        if (target) NSGestureRecognizer::deliver(*target, e);
        if (target)
            target->dispatchEvent(e);
        else
            dispatchEvent(e);
        if (!up) updateTrackingAreas(e);
        return;
    }
    case EventType::mouseMoved:
        updateTrackingAreas(e);
        updateCursor(e);
        if (acceptsMouseMovedEvents_) firstResponder()->mouseMoved(e);
        return;
    default:
        if (auto hit = hitTest(e.locationInWindow())) hit->dispatchEvent(e);
        return;
    }
}

void NSWindow::invalidateCursorRects(const NSView*) { cursorRectsValid_ = false; }

void NSWindow::updateCursor(const NSEvent& event) {
    if (!contentView_ || !cursorRectsEnabled_) return;
    if (!cursorRectsValid_) {
        cursorRectsValid_ = true;
        forEachView(*contentView_, [](NSView& v) {
            v.discardCursorRects();
            if (!v.isHiddenOrHasHiddenAncestor()) v.resetCursorRects();
        });
    }
    // Later views are in front; within a view the last rectangle added wins.
    std::shared_ptr<NSCursor> cursor;
    const CGPoint p = event.locationInWindow();
    forEachView(*contentView_, [&](NSView& v) {
        if (v.isHiddenOrHasHiddenAncestor()) return;
        for (const auto& [rect, c] : v.cursorRects())
            if (v.convertTo(rect, nullptr).contains(p)) cursor = c;
    });
    if (cursor) {
        cursor->set();
        overCursorRect_ = true;
    } else if (overCursorRect_) {
        overCursorRect_ = false;
        NSCursor::arrow()->set();
    }
}

void NSWindow::updateTrackingAreas(const NSEvent& event) {
    if (!contentView_) return;
    CGPoint p = event.locationInWindow();
    std::vector<std::weak_ptr<NSTrackingArea>> nowInside;
    std::vector<std::pair<std::shared_ptr<NSTrackingArea>, bool>> changes;  // area, entered
    std::vector<std::shared_ptr<NSTrackingArea>> moved;
    forEachView(*contentView_, [&](NSView& v) {
        if (v.isHiddenOrHasHiddenAncestor()) return;
        for (auto& area : v.trackingAreas()) {
            CGRect r = area->options().contains(NSTrackingArea::Options::inVisibleRect()) ? v.bounds() : area->rect();
            bool inside = v.convertTo(r, nullptr).contains(p);
            if (!inside) continue;
            nowInside.push_back(area);
            if (area->options().contains(NSTrackingArea::Options::mouseMoved())) moved.push_back(area);
        }
    });
    auto contains = [](const std::vector<std::weak_ptr<NSTrackingArea>>& list, const NSTrackingArea* a) {
        return std::any_of(list.begin(), list.end(), [a](const std::weak_ptr<NSTrackingArea>& w) { return w.lock().get() == a; });
    };
    for (auto& w : inside_)
        if (auto a = w.lock(); a && !contains(nowInside, a.get())) changes.push_back({a, false});
    for (auto& w : nowInside)
        if (auto a = w.lock(); a && !contains(inside_, a.get())) changes.push_back({a, true});
    inside_ = nowInside;
    for (auto& [area, entered] : changes) {
        if (!area->options().contains(NSTrackingArea::Options::mouseEnteredAndExited())) continue;
        auto owner = area->owner();
        if (!owner) continue;
        auto copy = NSEvent::copy(event, entered ? EventType::mouseEntered : EventType::mouseExited);
        entered ? owner->mouseEntered(*copy) : owner->mouseExited(*copy);
    }
    if (event.type() == EventType::mouseMoved)
        for (auto& area : moved)
            if (auto owner = area->owner()) owner->mouseMoved(event);
}

std::shared_ptr<NSEvent> NSWindow::nextEvent(EventTypeMask mask) {
    return NSApplication::shared().nextEvent(mask, 1e9, true, this);
}

std::shared_ptr<NSEvent> NSWindow::nextEvent(EventTypeMask mask, double untilDate, Dispatch::RunLoop::Mode mode, bool dequeue) {
    return NSApplication::shared().nextEvent(mask, untilDate, mode, dequeue, this);
}

bool NSWindow::performKeyEquivalent(const NSEvent& event) {
    if (!contentView_) return false;
    bool handled = false;
    std::function<bool(NSView&)> walk = [&](NSView& v) {
        if (v.isHidden()) return false;
        if (v.performKeyEquivalent(event)) return true;
        auto subs = v.subviews();
        for (auto& s : subs)
            if (walk(*s)) return true;
        return false;
    };
    handled = walk(*contentView_);
    return handled;
}

void NSWindow::keyDown(const NSEvent& event) {
    if (event.keyCode() == KeyCode::tab) {
        event.flags().contains(ModifierFlags::shift()) ? selectPreviousKeyView() : selectNextKeyView();
        return;
    }
    const bool cancel = event.keyCode() == KeyCode::escape ||
                        (event.flags().contains(ModifierFlags::command()) && event.charactersIgnoringModifiers() == ".");
    if (cancel && firstResponder()->tryToPerform(Runtime::Selector("cancelOperation:"), this)) return;
    NSResponder::keyDown(event);
}

bool NSWindow::tryToPerform(Runtime::Selector action, Runtime::NSObject* sender) {
    if (NSResponder::tryToPerform(action, sender)) return true;
    if (auto d = delegate()) return d->perform(action, sender);
    return false;
}

bool NSWindow::viewsNeedDisplay() const {
    if (!contentView_) return false;
    return anyNeedsDisplay(*contentView_) ||
           std::any_of(overlays_.begin(), overlays_.end(), [](const NSView::Ptr& v) { return anyNeedsDisplay(*v); });
}

void NSWindow::addOverlay(const NSView::Ptr& view) {
    if (!view || std::find(overlays_.begin(), overlays_.end(), view) != overlays_.end()) return;
    overlays_.push_back(view);
    view->setNeedsDisplay(true);
}

void NSWindow::removeOverlay(const NSView::Ptr& view) {
    auto it = std::find(overlays_.begin(), overlays_.end(), view);
    if (it == overlays_.end()) return;
    overlays_.erase(it);
    // What lay under it shows again.
    if (contentView_) contentView_->setNeedsDisplay(true);
}

void NSWindow::layOutContent() {
    contentView_->layoutSubtreeIfNeeded();
    for (const auto& overlay : std::vector<NSView::Ptr>(overlays_)) overlay->layoutSubtreeIfNeeded();
}

bool NSWindow::displayIfNeeded() {
    if (!contentView_) return false;
    layOutContent();
    if (!viewsNeedDisplay()) return false;
    display();
    return true;
}

void NSWindow::display() {
    if (!contentView_) return;
    layOutContent();
    drawContent();
    ++displayCount_;
    if (auto b = NSApplication::shared().windowBackend(); b && visible_) b->windowDidDisplay(*this);
}

void NSWindow::drawContent() {
    CoreGraphics::CGContext ctx(contentSize(), false, backingScaleFactor());
    {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        auto outer = NSAppearance::currentDrawing();
        NSAppearance::setCurrentDrawing(effectiveAppearance());
        ctx.setFillColor(backgroundColor()->cgColor());
        ctx.fill(CGRect{{0, 0}, contentSize()});
        contentView_->displayInCurrentContext();
        for (const auto& overlay : std::vector<NSView::Ptr>(overlays_)) overlay->displayInCurrentContext();
        NSAppearance::setCurrentDrawing(outer);
    }
    displayList_ = ctx.takeDisplayList();
}

std::shared_ptr<CoreGraphics::CGImage> NSWindow::snapshot() {
    if (displayCount_ == 0 || viewsNeedDisplay()) display();
    return raster_.render(displayList_, contentSize(), backingScaleFactor(), false);
}

std::shared_ptr<NSColor> NSWindow::backgroundColor() const {
    return backgroundColor_ ? backgroundColor_ : NSColor::windowBackgroundColor();
}

void NSWindow::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    if (contentView_) contentView_->setNeedsDisplay(true);
}

}  // namespace AppKit

namespace AppKit {

void NSWindow::setFrameOrigin(CGPoint origin) { setFrame({origin, frame_.size}); }

CGRect NSWindow::contentLayoutRect() const {
    CGRect content{{0, 0}, contentSize()};
    // A full-size content view runs under the title bar, which still covers its top.
    if (style_.contains(StyleMask::titled()) && style_.contains(StyleMask::fullSizeContentView()))
        content.size.height = std::max<CGFloat>(0, content.size.height - kTitlebarHeight);
    return content;
}

CGRect NSWindow::convertToScreen(CGRect rect) const {
    return {rect.origin.x + frame_.origin.x, rect.origin.y + frame_.origin.y, rect.size.width, rect.size.height};
}

void NSWindow::Animator::setFrameOrigin(CGPoint origin) {
    if (auto it = window_.animations_.find("frameOrigin"); it != window_.animations_.end() && it->second)
        window_.played_.push_back(it->second);
    window_.setFrameOrigin(origin);
}

void NSWindow::Animator::setFrame(CGRect frame, bool display) {
    if (auto it = window_.animations_.find("frame"); it != window_.animations_.end() && it->second)
        window_.played_.push_back(it->second);
    window_.setFrame(frame, display);
}

void NSWindow::beginSheet(const Ptr& sheet, std::function<void(long)> completionHandler) {
    if (!sheet || attachedSheet_) return;
    attachedSheet_ = sheet;
    sheet->sheetParent_ = sharedAs<NSWindow>();
    sheet->sheetHandler_ = std::move(completionHandler);
    const CGRect content = contentRect(frame_);
    const CGSize size = sheet->frame().size;
    sheet->setFrameOrigin({std::round(content.midX() - size.width / 2), content.maxY() - size.height});
    sheet->makeKeyAndOrderFront();
}

void NSWindow::endSheet(const Ptr& sheet, long returnCode) {
    if (!sheet || sheet != attachedSheet_) return;
    attachedSheet_ = nullptr;
    sheet->sheetParent_.reset();
    auto handler = std::move(sheet->sheetHandler_);
    sheet->orderOut();
    if (handler) handler(returnCode);
}

bool NSWindow::setFrameAutosaveName(std::string name) {
    autosaveName_ = std::move(name);
    if (autosaveName_.empty()) return true;
    auto& frames = savedFrames();
    if (auto it = frames.find(autosaveName_); it != frames.end()) {
        setFrame(it->second);
        return true;
    }
    frames[autosaveName_] = frame_;
    return false;
}

std::optional<CGRect> NSWindow::savedFrame(const std::string& name) {
    auto& frames = savedFrames();
    if (auto it = frames.find(name); it != frames.end()) return it->second;
    return std::nullopt;
}

void NSWindow::removeFrame(const std::string& name) { savedFrames().erase(name); }

}  // namespace AppKit
