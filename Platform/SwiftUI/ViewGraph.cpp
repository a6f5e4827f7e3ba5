#include "SwiftUI/ViewGraph.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "CoreGraphics/CGContext.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/GestureSession.hpp"
#include "SwiftUI/TextField.hpp"

namespace SwiftUI {

namespace {

std::vector<ViewGraph*>& graphs() {
    static auto* all = new std::vector<ViewGraph*>;  // outlives graphs that static objects own
    return *all;
}

// Graphs that application singletons keep alive die after the main run loop at exit; they
// must not touch it then.
std::atomic<bool> exiting{false};
void noteExit() {
    static std::once_flag once;
    std::call_once(once, [] {
        Dispatch::RunLoop::main();
        std::atexit([] { exiting = true; });
    });
}

// Loops of state changes that never settle are reported instead of hanging the main loop.
constexpr int maxPassesPerUpdate = 100;

// This thread's processor time: phase figures that a busy machine does not inflate.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void buildRender(ViewNode& node, RenderNode& parent) {
    RenderNode r;
    r.frame = node.drawnFrame();
    r.layoutFrame = node.frame();
    r.transform = node.drawTransform();
    r.opacity = parent.opacity;
    r.enabled = node.isEnabled();
    r.hitTestable = parent.hitTestable;
    r.source = node.weak_from_this();
    if (node.view()) node.view()->render(node, r);
    for (auto& child : node.children()) buildRender(*child, r);
    const bool plain = r.kind == RenderNode::Kind::group && r.identifier.empty() && r.shadows.empty() && !r.colorEffect &&
                       r.opacity == parent.opacity && r.accessibilityLabel.empty() && r.traits.rawValue == 0 && !r.contentShape;
    if (plain) {
        for (auto& c : r.children) parent.children.push_back(std::move(c));
    } else {
        parent.children.push_back(std::move(r));
    }
}

}  // namespace

ViewGraph::ViewGraph(AnyView root, CGSize size)
    : rootView_(std::move(root)), size_(size), pending_(std::make_shared<Pending>()) {
    noteExit();
    graphs().push_back(this);
    observerId_ = Dispatch::RunLoop::main().addObserver([this] { return update(); });
}

ViewGraph::~ViewGraph() {
    std::erase(graphs(), this);
    if (exiting) return;
    Dispatch::RunLoop::main().removeObserver(observerId_);
    if (session_) session_->cancelAll();
    session_.reset();
    if (root_) root_->unmount();
    // Disappear handlers of a graph that is going away have nothing left to run against.
    afterUpdate_.clear();
}

std::vector<ViewGraph*> ViewGraph::all() { return graphs(); }

void ViewGraph::setRootView(AnyView root) {
    rootView_ = std::move(root);
    rootChanged_ = true;
}

void ViewGraph::setSize(CGSize size) {
    if (size == size_) return;
    size_ = size;
    needsLayout_ = true;
}

void ViewGraph::setEnvironment(EnvironmentValues environment) {
    environment_ = std::move(environment);
    rootChanged_ = true;
}

void ViewGraph::invalidate(const std::weak_ptr<ViewNode>& node) {
    {
        std::lock_guard lock(pending_->mutex);
        pending_->nodes.push_back(node);
    }
    pending_->any = true;
    if (!Runtime::isMainThread()) Dispatch::RunLoop::main().perform([] {});  // wake the loop
}

std::function<void()> ViewGraph::invalidator(std::weak_ptr<ViewNode> node) {
    // Observation calls this on the writer's thread; only the pending list is touched there.
    std::weak_ptr<Pending> pending = pending_;
    return [pending, node = std::move(node)] {
        auto p = pending.lock();
        if (!p) return;
        {
            std::lock_guard lock(p->mutex);
            p->nodes.push_back(node);
        }
        p->any = true;
        if (!Runtime::isMainThread()) Dispatch::RunLoop::main().perform([] {});
    };
}

void ViewGraph::afterUpdate(std::function<void()> action) { afterUpdate_.push_back(std::move(action)); }

bool ViewGraph::needsUpdate() const {
    return rootChanged_ || needsLayout_ || pending_->any || !afterUpdate_.empty() || renderStale_;
}

bool ViewGraph::update() {
    if (updating_) return false;
    updating_ = true;
    phaseTimes_ = {};
    bool did = false;
    for (int pass = 0; pass < maxPassesPerUpdate; ++pass) {
        bool work = false;
        double started = cpuSeconds();
        if (rootChanged_ || !root_) {
            rootChanged_ = false;
            if (!root_) root_ = std::make_shared<ViewNode>(*this, nullptr);
            root_->assign(rootView_, environment_);
            work = true;
        }
        if (pending_->any.exchange(false)) {
            std::vector<std::weak_ptr<ViewNode>> nodes;
            {
                std::lock_guard lock(pending_->mutex);
                nodes.swap(pending_->nodes);
            }
            std::vector<std::shared_ptr<ViewNode>> live;
            for (auto& w : nodes)
                if (auto n = w.lock(); n && n->isMounted()) live.push_back(std::move(n));
            std::stable_sort(live.begin(), live.end(), [](auto& a, auto& b) { return a->depth() < b->depth(); });
            for (auto& n : live) {
                // A parent evaluated earlier in this pass may have evaluated or removed it.
                if (!n->isMounted()) continue;
                n->evaluate();
                work = true;
            }
        }
        phaseTimes_.evaluate += cpuSeconds() - started;
        if (needsLayout_) {
            started = cpuSeconds();
            layout();
            phaseTimes_.layout += cpuSeconds() - started;
            work = true;
        }
        if (!afterUpdate_.empty()) {
            started = cpuSeconds();
            auto actions = std::move(afterUpdate_);
            afterUpdate_.clear();
            for (auto& a : actions) a();
            phaseTimes_.evaluate += cpuSeconds() - started;  // change handlers feed the next evaluation
            work = true;
        }
        if (!work) {
            syncFocusBindings();
            if (pending_->any || !afterUpdate_.empty() || needsLayout_) continue;
            break;
        }
        did = true;
        if (pass == maxPassesPerUpdate - 1)
            std::fprintf(stderr, "SwiftUI: view updates did not settle after %d passes\n", maxPassesPerUpdate);
    }
    if (did || renderStale_) {
        const double started = cpuSeconds();
        cancelStaleGestures();
        buildRenderTree();
        phaseTimes_.renderTree = cpuSeconds() - started;
        renderStale_ = false;
        did = true;
        if (onNeedsDisplay) onNeedsDisplay();
    }
    retired_.clear();
    updating_ = false;
    return did;
}

void ViewGraph::layout() {
    needsLayout_ = false;
    ++layoutGeneration_;
    if (!root_) return;
    CGSize s = root_->sizeThatFits(ProposedViewSize::of(size_));
    root_->place({alignedOrigin(s, {{0, 0}, size_}, Alignment::center()), s});
    root_->updateDrawTransforms(CGAffineTransform::identity());
}

CGSize ViewGraph::sizeThatFits(ProposedViewSize proposal) {
    update();
    if (!root_) return {};
    ++layoutGeneration_;
    CGSize s = root_->sizeThatFits(proposal);
    needsLayout_ = true;
    return s;
}

CGSize ViewGraph::idealSize() { return sizeThatFits(ProposedViewSize::unspecified()); }

void ViewGraph::buildRenderTree() {
    renderTree_ = RenderNode();
    renderTree_.frame = {{0, 0}, size_};
    renderTree_.layoutFrame = renderTree_.frame;
    if (root_) buildRender(*root_, renderTree_);
}

std::shared_ptr<CoreGraphics::CGImage> ViewGraph::snapshot(CGFloat scale) {
    CoreGraphics::CGContext context(size_, true, scale);
    renderTree().draw(context);
    return context.makeImage();
}

const RenderNode& ViewGraph::renderTree() {
    update();
    return renderTree_;
}

void ViewGraph::nodeWillUnmount(ViewNode& node) {
    if (auto f = focused_.lock(); f.get() == &node) {
        focused_.reset();
        afterUpdate([this] { setFocus(nullptr, false); });
    }
}

// ---- events ----

void ViewGraph::mouseDown(CGPoint location, int clickCount, EventModifiers modifiers) {
    update();
    if (session_) session_->cancelAll();
    const RenderNode* hit = renderTree_.hitTest(location);
    std::shared_ptr<ViewNode> node = hit ? hit->source.lock() : nullptr;
    if (auto f = focused_.lock()) {
        bool inside = false;
        for (ViewNode* n = node.get(); n; n = n->parent())
            if (n == f.get()) inside = true;
        if (!inside) setFocus(nullptr, false);
    }
    session_ = std::make_unique<GestureSession>(node, location, clickCount, modifiers);
}

void ViewGraph::mouseDragged(CGPoint location, EventModifiers modifiers) {
    if (session_) session_->moved(location, modifiers);
}

void ViewGraph::mouseUp(CGPoint location, int clickCount, EventModifiers modifiers) {
    if (!session_) return;
    auto session = std::move(session_);
    session->up(location, clickCount, modifiers);
}

void ViewGraph::cancelStaleGestures() {
    if (session_) session_->cancelStale();
}

bool ViewGraph::keyDown(const KeyPress& key) {
    update();
    auto field = focused_.lock();
    if (!field) return false;
    auto pins = field->pinPath();
    for (ViewNode* n = field.get(); n; n = n->parent())
        if (n->view() && n->view()->handleKeyPress(*n, key)) return true;
    return false;
}

bool ViewGraph::keyUp(const KeyPress& key) {
    KeyPress k = key;
    k.phase = KeyPress::Phase::up;
    return keyDown(k);
}

void ViewGraph::drain() { Dispatch::RunLoop::main().runUntilIdle(); }

void ViewGraph::click(CGPoint location, EventModifiers modifiers) {
    drain();
    mouseDown(location, 1, modifiers);
    drain();
    mouseUp(location, 1, modifiers);
    drain();
}

void ViewGraph::doubleClick(CGPoint location, EventModifiers modifiers) {
    click(location, modifiers);
    mouseDown(location, 2, modifiers);
    drain();
    mouseUp(location, 2, modifiers);
    drain();
}

void ViewGraph::drag(CGPoint from, CGPoint to, int steps, EventModifiers modifiers) {
    drain();
    mouseDown(from, 1, modifiers);
    drain();
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        double t = double(i) / steps;
        mouseDragged({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t}, modifiers);
        drain();
    }
    mouseUp(to, 1, modifiers);
    drain();
}

void ViewGraph::typeText(const std::string& text) {
    // One key press per UTF-8 character.
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1;
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0) len = 4;
        else if (c >= 0xE0) len = 3;
        else if (c >= 0xC0) len = 2;
        pressKey(KeyPress::character(text.substr(i, len)));
        i += len;
    }
}

bool ViewGraph::pressKey(const KeyPress& key) {
    drain();
    bool handled = keyDown(key);
    drain();
    return handled;
}

bool ViewGraph::clickItem(const RenderNode* item) {
    if (!item) return false;
    click(item->frame.center());
    return true;
}

bool ViewGraph::clickText(const std::string& text) { return clickItem(renderTree().findText(text)); }
bool ViewGraph::clickImage(const std::string& name) { return clickItem(renderTree().findImage(name)); }
bool ViewGraph::clickIdentifier(const std::string& identifier) { return clickItem(renderTree().findIdentifier(identifier)); }

// ---- focus ----

ViewNode* ViewGraph::focusedField() const { return focused_.lock().get(); }

void ViewGraph::focus(ViewNode* field) { setFocus(field ? field->shared_from_this() : nullptr, false); }
void ViewGraph::clearFocus() { setFocus(nullptr, false); }

void ViewGraph::registerFocusBinding(ViewNode& modifierNode) {
    auto self = modifierNode.weak_from_this();
    for (auto& w : focusBindings_)
        if (!w.owner_before(self) && !self.owner_before(w)) return;
    focusBindings_.push_back(std::move(self));
}

void ViewGraph::setFocus(const std::shared_ptr<ViewNode>& field, bool fromBinding) {
    auto old = focused_.lock();
    const bool changed = old != field;
    focused_ = field;
    if (changed) {
        if (old && old->isMounted()) old->setNeedsEvaluation();
        if (field) field->setNeedsEvaluation();
        if (field)
            if (auto* textField = field->viewAs<TextField>()) textField->beginEditing(*field);
    }
    std::erase_if(focusBindings_, [](auto& w) {
        auto n = w.lock();
        return !n || !n->isMounted();
    });
    for (auto& w : focusBindings_) {
        auto n = w.lock();
        auto* m = n->template viewAs<FocusedModifier>();
        if (!m) continue;
        const bool mine = field && m->fieldNode(*n) == field.get();
        if (m->binding().get() != mine) m->binding().set(mine);
    }
    (void)fromBinding;
    if (changed && onFocusChange) onFocusChange(field != nullptr);
}

void ViewGraph::syncFocusBindings() {
    std::erase_if(focusBindings_, [](auto& w) {
        auto n = w.lock();
        return !n || !n->isMounted();
    });
    auto current = focused_.lock();
    std::shared_ptr<ViewNode> wanted = current;
    for (auto& w : focusBindings_) {
        auto n = w.lock();
        auto* m = n->template viewAs<FocusedModifier>();
        if (!m) continue;
        ViewNode* field = m->fieldNode(*n);
        const bool want = m->binding().get();
        if (want && field && field != current.get()) wanted = field->shared_from_this();
        if (!want && field && field == current.get() && wanted == current) wanted = nullptr;
    }
    if (wanted != current) setFocus(wanted, true);
}

}  // namespace SwiftUI
