#include "SwiftUI/Gesture.hpp"

#include <algorithm>
#include <cmath>

#include "SwiftUI/GestureSession.hpp"
#include "SwiftUI/Modifiers.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

CGFloat distance(CGPoint a, CGPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

class DragRecognizer final : public GestureRecognizer {
public:
    DragRecognizer(CGFloat minimumDistance, CoordinateSpace space, std::optional<EventModifiers> required,
                   std::function<void(const DragGesture::Value&)> changed, std::function<void(const DragGesture::Value&)> ended)
        : min_(minimumDistance), space_(space), required_(required), changed_(std::move(changed)), ended_(std::move(ended)) {}

    void down(const PointerEvent& e) override {
        start_ = pick(e);
        if (min_ <= 0) begin(e);
    }
    void moved(const PointerEvent& e) override {
        if (state() == State::possible && distance(pick(e), start_) >= min_) begin(e);
        else if (state() == State::active) send(changed_, value(e));
    }
    void up(const PointerEvent& e) override {
        if (state() != State::active) {
            setState(State::failed);
            return;
        }
        setState(State::ended);
        send(ended_, value(e));
    }
    void cancel() override {
        if (state() == State::active) {
            setState(State::failed);
            auto v = last_;
            v.isCancelled = true;
            send(ended_, v);
            return;
        }
        setState(State::failed);
    }

private:
    CGPoint pick(const PointerEvent& e) const { return space_ == CoordinateSpace::local ? e.location : e.globalLocation; }
    void begin(const PointerEvent& e) {
        if (required_ && !e.modifiers.contains(*required_)) {
            setState(State::failed);
            return;
        }
        setState(State::active);
        send(changed_, value(e));
    }
    DragGesture::Value value(const PointerEvent& e) {
        CGPoint p = pick(e);
        last_ = {p, start_, {p.x - start_.x, p.y - start_.y}, p, false};
        return last_;
    }
    void send(const std::function<void(const DragGesture::Value&)>& f, DragGesture::Value v) {
        if (f) emit([f, v] { f(v); });
    }

    CGFloat min_;
    CoordinateSpace space_;
    std::optional<EventModifiers> required_;
    std::function<void(const DragGesture::Value&)> changed_, ended_;
    CGPoint start_;
    DragGesture::Value last_;
};

class TapRecognizer final : public GestureRecognizer {
public:
    TapRecognizer(int count, std::optional<EventModifiers> required, std::function<void()> ended)
        : count_(count), required_(required), ended_(std::move(ended)) {}
    void down(const PointerEvent& e) override { start_ = e.globalLocation; }
    void moved(const PointerEvent& e) override {
        if (distance(e.globalLocation, start_) > TapGesture::allowableMovement) setState(State::failed);
    }
    void up(const PointerEvent& e) override {
        if (state() != State::possible) return;
        const bool counted = e.clickCount >= count_ && e.clickCount % count_ == 0;
        const bool keys = !required_ || e.modifiers.contains(*required_);
        if (!counted || !keys || distance(e.globalLocation, start_) > TapGesture::allowableMovement) {
            setState(State::failed);
            return;
        }
        setState(State::ended);
        if (ended_) emit(ended_);
    }

private:
    int count_;
    std::optional<EventModifiers> required_;
    std::function<void()> ended_;
    CGPoint start_;
};

// Both run; the combined gesture counts as recognised when either does.
class SimultaneousRecognizer final : public GestureRecognizer {
public:
    SimultaneousRecognizer(std::unique_ptr<GestureRecognizer> a, std::unique_ptr<GestureRecognizer> b) : a_(std::move(a)), b_(std::move(b)) {}
    void down(const PointerEvent& e) override { each([&](auto& r) { r.down(e); }); }
    void moved(const PointerEvent& e) override { each([&](auto& r) { r.moved(e); }); }
    void up(const PointerEvent& e) override { each([&](auto& r) { r.up(e); }); }
    void cancel() override {
        each([](auto& r) { r.cancel(); });
        setState(State::failed);
    }

private:
    template <class F> void each(F f) {
        for (auto* r : {a_.get(), b_.get()}) {
            r->emit = emit;
            if (!r->isDone()) f(*r);
        }
        auto st = [](GestureRecognizer& r) { return r.state(); };
        if (st(*a_) == State::active || st(*b_) == State::active) setState(State::active);
        else if (st(*a_) == State::ended || st(*b_) == State::ended) setState(a_->isDone() && b_->isDone() ? State::ended : State::active);
        else if (a_->isDone() && b_->isDone()) setState(State::failed);
    }
    std::unique_ptr<GestureRecognizer> a_, b_;
};

// The first has priority; the second's callbacks are held back until the first fails, and
// dropped when the first recognises.
class ExclusiveRecognizer final : public GestureRecognizer {
public:
    ExclusiveRecognizer(std::unique_ptr<GestureRecognizer> a, std::unique_ptr<GestureRecognizer> b) : a_(std::move(a)), b_(std::move(b)) {}
    void down(const PointerEvent& e) override { step([&](auto& r) { r.down(e); }); }
    void moved(const PointerEvent& e) override { step([&](auto& r) { r.moved(e); }); }
    void up(const PointerEvent& e) override { step([&](auto& r) { r.up(e); }); }
    void cancel() override {
        a_->cancel();
        if (a_->state() == State::failed && !held_.empty()) held_.clear();
        b_->cancel();
        setState(State::failed);
    }

private:
    template <class F> void step(F f) {
        a_->emit = emit;
        auto outer = emit;
        b_->emit = [this, outer](std::function<void()> cb) {
            if (a_->state() == State::failed) outer(std::move(cb));
            else held_.push_back(std::move(cb));
        };
        if (!a_->isDone()) f(*a_);
        if (a_->hasRecognized()) {
            held_.clear();
            if (!b_->isDone()) b_->cancel();
            setState(a_->state());
            return;
        }
        if (a_->state() == State::failed) {
            // What the second did while the first was undecided comes first, in order.
            for (auto& cb : held_) outer(cb);
            held_.clear();
        }
        if (!b_->isDone()) f(*b_);
        if (a_->state() == State::failed) setState(b_->state());
    }
    std::unique_ptr<GestureRecognizer> a_, b_;
    std::vector<std::function<void()>> held_;
};

class CombinedGesture final : public GestureImpl {
public:
    CombinedGesture(AnyGesture a, AnyGesture b, bool exclusive) : a_(std::move(a)), b_(std::move(b)), exclusive_(exclusive) {}
    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override {
        auto a = a_.impl()->makeRecognizer(node);
        auto b = b_.impl()->makeRecognizer(node);
        if (exclusive_) return std::make_unique<ExclusiveRecognizer>(std::move(a), std::move(b));
        return std::make_unique<SimultaneousRecognizer>(std::move(a), std::move(b));
    }

private:
    AnyGesture a_, b_;
    bool exclusive_;
};

class GestureModifier final : public ModifierView {
public:
    GestureModifier(AnyView content, AnyGesture gesture, int priority, GestureMask mask)
        : ModifierView(std::move(content)), gesture_(std::move(gesture)), priority_(priority), mask_(mask) {}
    void collectGestures(ViewNode&, std::vector<GestureAttachment>& out) const override {
        out.push_back({gesture_.impl(), priority_, mask_});
    }

private:
    AnyGesture gesture_;
    int priority_;
    GestureMask mask_;
};

}  // namespace

DragGesture DragGesture::onChanged(std::function<void(const Value&)> action) const {
    DragGesture g = *this;
    g.onChanged_ = std::move(action);
    return g;
}
DragGesture DragGesture::onEnded(std::function<void(const Value&)> action) const {
    DragGesture g = *this;
    g.onEnded_ = std::move(action);
    return g;
}
DragGesture DragGesture::modifiers(EventModifiers required) const {
    DragGesture g = *this;
    g.required_ = required;
    return g;
}
std::unique_ptr<GestureRecognizer> DragGesture::makeRecognizer(const std::weak_ptr<ViewNode>&) const {
    return std::make_unique<DragRecognizer>(minimumDistance_, space_, required_, onChanged_, onEnded_);
}

TapGesture TapGesture::onEnded(std::function<void()> action) const {
    TapGesture g = *this;
    g.onEnded_ = std::move(action);
    return g;
}
TapGesture TapGesture::modifiers(EventModifiers required) const {
    TapGesture g = *this;
    g.required_ = required;
    return g;
}
std::unique_ptr<GestureRecognizer> TapGesture::makeRecognizer(const std::weak_ptr<ViewNode>&) const {
    return std::make_unique<TapRecognizer>(count_, required_, onEnded_);
}

namespace detail {
AnyGesture exclusiveGesture(const AnyGesture& a, const AnyGesture& b) { return AnyGesture(CombinedGesture(a, b, true)); }
AnyGesture simultaneousGesture(const AnyGesture& a, const AnyGesture& b) { return AnyGesture(CombinedGesture(a, b, false)); }
}  // namespace detail

namespace modifiers {
AnyView gesture(const AnyView& c, const AnyGesture& g, int priority, GestureMask mask) {
    return AnyView(std::make_shared<GestureModifier>(c, g, priority, mask));
}
AnyView onTapGesture(const AnyView& c, int count, std::function<void()> action) {
    return gesture(c, TapGesture(count).onEnded(std::move(action)), 0, GestureMask::all);
}
}  // namespace modifiers

// ---- the press ----

GestureSession::GestureSession(const std::shared_ptr<ViewNode>& hit, CGPoint location, int clickCount, EventModifiers modifiers)
    : clickCount_(clickCount) {
    if (!hit) return;
    pins_ = hit->pinPath();
    // Innermost first; each node's own attachments in the order they were collected.
    struct Found {
        ViewNode* node;
        GestureAttachment a;
    };
    std::vector<Found> found;
    std::vector<ViewNode*> path;
    for (ViewNode* n = hit.get(); n; n = n->parent()) path.push_back(n);
    // Masks apply from the outside in.
    std::vector<bool> subviewsAllowedBelow(path.size(), true);
    bool allowed = true;
    std::vector<std::vector<GestureAttachment>> perNode(path.size());
    for (std::size_t i = path.size(); i-- > 0;) {
        ViewNode* n = path[i];
        if (n->view()) n->view()->collectGestures(*n, perNode[i]);
        bool subviewsOK = allowed;
        std::vector<GestureAttachment> kept;
        for (auto& a : perNode[i]) {
            const int m = static_cast<int>(a.mask);
            if (allowed && (m & 1) && n->isEnabled()) kept.push_back(a);
            if (!(m & 2)) subviewsOK = false;
        }
        perNode[i] = std::move(kept);
        allowed = subviewsOK;
    }
    for (std::size_t i = 0; i < path.size(); ++i)
        for (auto& a : perNode[i]) found.push_back({path[i], a});
    std::stable_sort(found.begin(), found.end(), [](const Found& x, const Found& y) { return (x.a.priority == 2) > (y.a.priority == 2); });
    for (auto& f : found) {
        auto weak = f.node->weak_from_this();
        entries_.push_back({weak, f.a.gesture->makeRecognizer(weak), f.a.priority});
    }
    deliver(location, [](GestureRecognizer& r, const PointerEvent& e) { r.down(e); }, clickCount, modifiers);
}

PointerEvent GestureSession::eventFor(const Entry& e, CGPoint location, int clickCount, EventModifiers modifiers) const {
    PointerEvent pe;
    pe.globalLocation = location;
    pe.clickCount = clickCount;
    pe.modifiers = modifiers;
    pe.location = location;
    if (auto n = e.node.lock()) {
        CGPoint p = n->drawTransform().inverted().apply(location);
        pe.location = {p.x - n->frame().origin.x, p.y - n->frame().origin.y};
    }
    return pe;
}

template <class F>
void GestureSession::deliver(CGPoint location, F&& send, int clickCount, EventModifiers modifiers) {
    bool won = false;
    for (auto& e : entries_) {
        if (e.recognizer->isDone()) continue;
        const bool exclusive = e.priority != 1;
        if (exclusive && won) {
            e.recognizer->cancel();
            continue;
        }
        send(*e.recognizer, eventFor(e, location, clickCount, modifiers));
        if (exclusive && e.recognizer->hasRecognized()) won = true;
    }
    if (won) {
        // Exclusive gestures that were delivered before the winner (outer ones never are)
        // and are still undecided lose.
        bool seenWinner = false;
        for (auto& e : entries_) {
            if (e.priority == 1) continue;
            if (!seenWinner && e.recognizer->hasRecognized()) {
                seenWinner = true;
                continue;
            }
            if (!e.recognizer->isDone()) e.recognizer->cancel();
        }
    }
}

void GestureSession::moved(CGPoint location, EventModifiers modifiers) {
    deliver(location, [](GestureRecognizer& r, const PointerEvent& e) { r.moved(e); }, clickCount_, modifiers);
}

void GestureSession::up(CGPoint location, int clickCount, EventModifiers modifiers) {
    deliver(location, [](GestureRecognizer& r, const PointerEvent& e) { r.up(e); }, clickCount, modifiers);
    for (auto& e : entries_)
        if (!e.recognizer->isDone()) e.recognizer->cancel();
}

void GestureSession::cancelStale() {
    for (auto& e : entries_) {
        if (e.recognizer->isDone()) continue;
        auto n = e.node.lock();
        if (!n || !n->isMounted() || !n->isEnabled()) e.recognizer->cancel();
    }
}

void GestureSession::cancelAll() {
    for (auto& e : entries_)
        if (!e.recognizer->isDone()) e.recognizer->cancel();
}

}  // namespace SwiftUI
