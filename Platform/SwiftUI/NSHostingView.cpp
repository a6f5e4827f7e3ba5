#include "SwiftUI/NSHostingView.hpp"

#include <algorithm>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSGraphicsContext.hpp"
#include "AppKit/NSWindow.hpp"
#include "SwiftUI/TextField.hpp"

namespace SwiftUI {

namespace {

// Draws one later layer of its hosting view's graph over the hosted view beneath it.
class HostedLayerView : public AppKit::NSView {
    VZ_OBJECT(HostedLayerView, AppKit::NSView)
public:
    std::weak_ptr<NSHostingView> host;
    int layer = 1;

    bool isFlipped() const override { return true; }
    void draw(CGRect) override {
        auto h = host.lock();
        auto ctx = AppKit::NSGraphicsContext::current();
        if (h && ctx) h->graph().renderTree().draw(ctx->cgContext(), layer);
    }
    // Clicks on this layer's content are the graph's; the rest fall through to what is beneath.
    Ptr hitTest(CGPoint point) override {
        auto h = host.lock();
        if (!h || isHidden() || !AppKit::NSView::hitTest(point)) return nullptr;
        const auto& tree = h->graph().renderTree();
        const RenderNode* item = tree.hitTest(point);
        return item && tree.layerOf(item) == layer ? std::static_pointer_cast<AppKit::NSView>(h) : nullptr;
    }

protected:
    using AppKit::NSView::NSView;
};

}  // namespace

EventModifiers eventModifiers(AppKit::ModifierFlags f) {
    EventModifiers m;
    if (f.contains(AppKit::ModifierFlags::shift())) m = m | EventModifiers::shift();
    if (f.contains(AppKit::ModifierFlags::control())) m = m | EventModifiers::control();
    if (f.contains(AppKit::ModifierFlags::option())) m = m | EventModifiers::option();
    if (f.contains(AppKit::ModifierFlags::command())) m = m | EventModifiers::command();
    return m;
}

KeyPress keyPress(const AppKit::NSEvent& e) {
    KeyPress k;
    switch (e.keyCode()) {
    case AppKit::KeyCode::returnKey: k = KeyPress::of(KeyEquivalent::returnKey()); break;
    case AppKit::KeyCode::escape: k = KeyPress::of(KeyEquivalent::escape()); break;
    case AppKit::KeyCode::deleteKey: k = KeyPress::of(KeyEquivalent::deleteKey()); break;
    case AppKit::KeyCode::tab: k = KeyPress::of(KeyEquivalent::tab()); break;
    case AppKit::KeyCode::upArrow: k = KeyPress::of(KeyEquivalent::upArrow()); break;
    case AppKit::KeyCode::downArrow: k = KeyPress::of(KeyEquivalent::downArrow()); break;
    case AppKit::KeyCode::leftArrow: k = KeyPress::of(KeyEquivalent::leftArrow()); break;
    case AppKit::KeyCode::rightArrow: k = KeyPress::of(KeyEquivalent::rightArrow()); break;
    default: k = KeyPress::character(e.characters()); break;
    }
    k.modifiers = eventModifiers(e.flags());
    k.phase = e.type() == AppKit::EventType::keyUp ? KeyPress::Phase::up : e.isARepeat() ? KeyPress::Phase::repeat : KeyPress::Phase::down;
    return k;
}

void NSHostingView::didInit() {
    AppKit::NSView::didInit();
    graph_ = std::make_unique<ViewGraph>(rootView_, bounds().size);
    std::weak_ptr<NSHostingView> weak = std::static_pointer_cast<NSHostingView>(shared_from_this());
    graph_->onNeedsDisplay = [weak] {
        if (auto self = weak.lock()) {
            self->syncHostedViews();
            self->setNeedsDisplay(true);
            for (auto& l : self->layers_) l->setNeedsDisplay(true);
        }
    };
    graph_->onFocusChange = [weak](bool hasFocus) {
        auto self = weak.lock();
        if (!self || !hasFocus) return;
        if (auto w = self->window(); w && w->firstResponder().get() != self.get()) w->makeFirstResponder(self);
    };
}

void NSHostingView::setRootView(AnyView rootView) {
    rootView_ = rootView;
    graph_->setRootView(std::move(rootView));
}

CGSize NSHostingView::fittingSize() { return graph_->idealSize(); }

void NSHostingView::setFrame(CGRect frame) {
    AppKit::NSView::setFrame(frame);
    graph_->setSize(bounds().size);
}

void NSHostingView::syncColorScheme() {
    const auto appearance = effectiveAppearance();
    const ColorScheme scheme = appearance && appearance->isDark() ? ColorScheme::dark : ColorScheme::light;
    if (graph_->environment().colorScheme == scheme) return;
    auto environment = graph_->environment();
    environment.colorScheme = scheme;
    graph_->setEnvironment(std::move(environment));
}

void NSHostingView::layout() {
    AppKit::NSView::layout();
    syncColorScheme();
    graph_->setSize(bounds().size);
    graph_->update();
}

void NSHostingView::draw(CGRect) {
    auto ctx = AppKit::NSGraphicsContext::current();
    if (!ctx) return;
    const auto scheme = graph_->environment().colorScheme;
    syncColorScheme();
    if (graph_->environment().colorScheme != scheme) graph_->update();
    graph_->renderTree().draw(ctx->cgContext(), 0);
}

CGSize NSHostingView::intrinsicContentSize() const {
    if (!reportsIntrinsicSize_) return AppKit::NSView::intrinsicContentSize();
    return graph_->idealSize();
}

void NSHostingView::viewDidMoveToWindow() {
    AppKit::NSView::viewDidMoveToWindow();
    if (auto controller = std::dynamic_pointer_cast<NSHostingController>(viewController())) controller->followContentSize();
}

CGPoint NSHostingView::location(const AppKit::NSEvent& e) const { return convert(e.locationInWindow(), nullptr); }

void NSHostingView::mouseDown(const AppKit::NSEvent& e) { graph_->mouseDown(location(e), e.clickCount(), eventModifiers(e.flags())); }
void NSHostingView::mouseDragged(const AppKit::NSEvent& e) { graph_->mouseDragged(location(e), eventModifiers(e.flags())); }
void NSHostingView::mouseUp(const AppKit::NSEvent& e) { graph_->mouseUp(location(e), e.clickCount(), eventModifiers(e.flags())); }

void NSHostingView::keyDown(const AppKit::NSEvent& e) {
    if (!graph_->keyDown(keyPress(e))) AppKit::NSView::keyDown(e);
}

bool NSHostingView::acceptsFirstResponder() const { return graph_->focusedField() != nullptr; }

bool NSHostingView::resignFirstResponder() {
    graph_->clearFocus();
    return true;
}

void NSHostingView::syncHostedViews() {
    std::vector<std::pair<std::shared_ptr<AppKit::NSView>, CGRect>> wanted;
    for (auto* n : graph_->renderTree().findAll([](const RenderNode& r) { return r.hostedView != nullptr; }))
        wanted.emplace_back(n->hostedView, n->frame);
    auto self = std::static_pointer_cast<AppKit::NSView>(shared_from_this());
    for (auto& w : hosted_) {
        auto v = w.lock();
        if (!v) continue;
        bool still = std::any_of(wanted.begin(), wanted.end(), [&](auto& p) { return p.first == v; });
        if (!still && v->superview().get() == this) v->removeFromSuperview();
    }
    hosted_.clear();
    for (auto& [v, frame] : wanted) {
        if (v->superview().get() != this) addSubview(v);
        if (v->frame() != frame) v->setFrame(frame);
        hosted_.push_back(v);
    }
    // A layer view right above each hosted view whose later content draws.
    const auto& tree = graph_->renderTree();
    std::vector<std::shared_ptr<AppKit::NSView>> layers;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const int layer = int(i) + 1;
        if (!tree.hasItems(layer)) continue;
        std::shared_ptr<HostedLayerView> view;
        for (auto& l : layers_)
            if (auto existing = std::dynamic_pointer_cast<HostedLayerView>(l); existing && existing->layer == layer) view = existing;
        if (!view) {
            view = Runtime::make<HostedLayerView>();
            view->host = std::static_pointer_cast<NSHostingView>(self);
            view->layer = layer;
        }
        const auto& subs = subviews();
        const auto at = std::find(subs.begin(), subs.end(), wanted[i].first);
        if (at == subs.end() || at + 1 == subs.end() || *(at + 1) != view)
            addSubview(view, AppKit::NSView::Ordering::above, wanted[i].first);
        if (view->frame() != bounds()) view->setFrame(bounds());
        view->setNeedsDisplay(true);
        layers.push_back(view);
    }
    for (auto& l : layers_)
        if (std::find(layers.begin(), layers.end(), l) == layers.end()) l->removeFromSuperview();
    layers_ = std::move(layers);
}

void NSHostingController::loadView() { setView(NSHostingView::make(rootView_)); }

void NSHostingController::viewDidLoad() {
    AppKit::NSViewController::viewDidLoad();
    followContentSize();
}

void NSHostingController::setRootView(AnyView rootView) {
    rootView_ = rootView;
    if (auto v = hostingView()) v->setRootView(std::move(rootView));
    followContentSize();
}

void NSHostingController::setSizingOptions(NSHostingSizingOptions options) {
    sizingOptions_ = options;
    followContentSize();
}

void NSHostingController::followContentSize() {
    auto host = std::dynamic_pointer_cast<NSHostingView>(viewIfLoaded());
    if (!host) return;
    const auto has = [this](NSHostingSizingOptions o) { return sizingOptions_.contains(o); };
    host->reportsIntrinsicSize_ = has(NSHostingSizingOptions::intrinsicContentSize());
    if (has(NSHostingSizingOptions::preferredContentSize())) setPreferredContentSize(host->graph().idealSize());
    auto window = host->window();
    if (!window || window->contentViewController().get() != this) return;
    const bool min = has(NSHostingSizingOptions::minSize()), max = has(NSHostingSizingOptions::maxSize());
    const CGSize most = max ? host->graph().sizeThatFits(ProposedViewSize::infinite()) : window->contentMaxSize();
    CGSize least = min ? host->graph().sizeThatFits(ProposedViewSize::zero()) : window->contentMinSize();
    // Text offered no width wraps a letter to a line, taller than it ever is at its largest;
    // the least size goes no further than the largest.
    least = {std::min(least.width, most.width), std::min(least.height, most.height)};
    if (min) window->setContentMinSize(least);
    if (max) window->setContentMaxSize(most);
    // Setting the content size again brings it within the new limits.
    if (min || max) window->setContentSize(window->contentSize());
}

std::shared_ptr<NSHostingView> NSHostingController::hostingView() { return std::dynamic_pointer_cast<NSHostingView>(view()); }

}  // namespace SwiftUI
