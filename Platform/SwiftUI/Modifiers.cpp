#include "SwiftUI/Modifiers.hpp"

#include <algorithm>
#include <cmath>

#include "SwiftUI/Environment.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/Shader.hpp"
#include "SwiftUI/ViewGraph.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace detail {
AnyView distribute(const AnyView& content, const std::function<AnyView(const AnyView&)>& wrap) {
    if (content.impl()->isTransparent())
        if (auto mapped = content.impl()->mapChildren([&](const AnyView& c) { return distribute(c, wrap); })) return *mapped;
    return wrap(content);
}
}  // namespace detail

namespace {

template <class M, class... Args>
AnyView make(const AnyView& content, Args... args) {
    return detail::distribute(content, [&](const AnyView& c) { return AnyView(std::make_shared<M>(c, args...)); });
}

// ---- environment ----

class EnvironmentModifier final : public ModifierView {
public:
    EnvironmentModifier(AnyView content, std::function<void(EnvironmentValues&)> change)
        : ModifierView(std::move(content)), change_(std::move(change)) {}
    void adjustEnvironment(EnvironmentValues& env) const override { change_(env); }

private:
    std::function<void(EnvironmentValues&)> change_;
};

// A background under the whole root that ignores every safe-area edge reaches the window's
// edges: the hosting window takes its colour for its own.
class FullBleedBackground final : public ModifierView {
public:
    FullBleedBackground(AnyView content, Color color) : ModifierView(std::move(content)), color_(std::move(color)) {}
    void didEvaluate(ViewNode& node, bool) const override {
        // Only modifiers above it: it is under the whole root.
        for (const ViewNode* p = node.parent(); p; p = p->parent())
            if (!p->viewAs<ModifierView>()) return;
        node.graph().setWindowBackground(color_);
    }

private:
    Color color_;
};

// Sets the scheme for its content and asks the hosting window for it.
class PreferredColorSchemeModifier final : public ModifierView {
public:
    PreferredColorSchemeModifier(AnyView content, ColorScheme s) : ModifierView(std::move(content)), s_(s) {}
    void adjustEnvironment(EnvironmentValues& e) const override { e.colorScheme = s_; }
    void didEvaluate(ViewNode& node, bool) const override { node.graph().setPreferredColorScheme(s_); }

private:
    ColorScheme s_;
};

AnyView env(const AnyView& content, std::function<void(EnvironmentValues&)> change) {
    return make<EnvironmentModifier>(content, std::move(change));
}

// ---- layout ----

class FrameModifier final : public ModifierView {
public:
    struct Spec {
        std::optional<CGFloat> width, height, minWidth, idealWidth, maxWidth, minHeight, idealHeight, maxHeight;
        Alignment alignment;
    };
    FrameModifier(AnyView content, Spec spec) : ModifierView(std::move(content)), s_(spec) {
        if (s_.width) s_.minWidth = s_.maxWidth = s_.width;
        if (s_.height) s_.minHeight = s_.maxHeight = s_.height;
    }

    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        CGSize c = childSize(node, childProposal(p));
        return {axis(p.width, c.width, s_.minWidth, s_.idealWidth, s_.maxWidth),
                axis(p.height, c.height, s_.minHeight, s_.idealHeight, s_.maxHeight)};
    }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        auto p = childProposal(ProposedViewSize::of(frame.size));
        for (ViewNode* child : node.layoutChildren()) {
            CGSize c = child->sizeThatFits(p);
            child->place({alignedOrigin(c, frame, s_.alignment), c});
        }
    }

private:
    static std::optional<CGFloat> clampProposal(std::optional<CGFloat> p, std::optional<CGFloat> lo, std::optional<CGFloat> ideal,
                                                std::optional<CGFloat> hi) {
        if (lo && hi && *lo == *hi) return lo;  // fixed
        if (!p) return ideal;
        CGFloat v = *p;
        if (lo) v = std::max(v, *lo);
        if (hi) v = std::min(v, *hi);
        return v;
    }
    ProposedViewSize childProposal(ProposedViewSize p) const {
        return {clampProposal(p.width, s_.minWidth, s_.idealWidth, s_.maxWidth),
                clampProposal(p.height, s_.minHeight, s_.idealHeight, s_.maxHeight)};
    }
    static CGFloat axis(std::optional<CGFloat> p, CGFloat child, std::optional<CGFloat> lo, std::optional<CGFloat> ideal,
                        std::optional<CGFloat> hi) {
        if (lo && hi && *lo == *hi) return *lo;
        if (!lo && !hi) return child;
        CGFloat proposed = p ? *p : ideal ? *ideal : child;
        CGFloat r = child;
        if (lo) r = std::max(*lo, std::min(r, proposed));
        if (hi) r = std::min(*hi, std::max(r, proposed));
        if (!std::isfinite(r)) r = child;
        return r;
    }
    static CGSize childSize(ViewNode& node, ProposedViewSize p) {
        CGSize size;
        for (ViewNode* child : node.layoutChildren()) {
            CGSize s = child->sizeThatFits(p);
            size.width = std::max(size.width, s.width);
            size.height = std::max(size.height, s.height);
        }
        return size;
    }
    Spec s_;
};

std::optional<CGFloat> shrink(std::optional<CGFloat> v, CGFloat by) {
    if (!v) return v;
    return std::max<CGFloat>(0, *v - by);
}

class PaddingModifier final : public ModifierView {
public:
    PaddingModifier(AnyView content, EdgeInsets insets) : ModifierView(std::move(content)), i_(insets) {}
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        ProposedViewSize inner{shrink(p.width, i_.leading + i_.trailing), shrink(p.height, i_.top + i_.bottom)};
        CGSize c = ViewImpl::sizeThatFits(node, inner);
        return {std::max<CGFloat>(0, c.width + i_.leading + i_.trailing), std::max<CGFloat>(0, c.height + i_.top + i_.bottom)};
    }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        CGRect inner{frame.origin.x + i_.leading, frame.origin.y + i_.top,
                     std::max<CGFloat>(0, frame.size.width - i_.leading - i_.trailing),
                     std::max<CGFloat>(0, frame.size.height - i_.top - i_.bottom)};
        // Negative padding lets the content overflow the frame.
        CGRect box{frame.origin.x + i_.leading, frame.origin.y + i_.top, frame.size.width - i_.leading - i_.trailing,
                   frame.size.height - i_.top - i_.bottom};
        for (ViewNode* child : node.layoutChildren()) {
            CGSize c = child->sizeThatFits(ProposedViewSize::of(inner.size));
            child->place({alignedOrigin(c, box, Alignment::center()), c});
        }
    }

private:
    EdgeInsets i_;
};

class OffsetModifier final : public ModifierView {
public:
    OffsetModifier(AnyView content, CGFloat x, CGFloat y) : ModifierView(std::move(content)), x_(x), y_(y) {}
    CGAffineTransform contentTransform(const ViewNode&) const override { return CGAffineTransform::translation(x_, y_); }

private:
    CGFloat x_, y_;
};

class PositionModifier final : public ModifierView {
public:
    PositionModifier(AnyView content, CGFloat x, CGFloat y) : ModifierView(std::move(content)), x_(x), y_(y) {}
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        ViewImpl::sizeThatFits(node, p);
        return p.replacingUnspecifiedDimensions();
    }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        for (ViewNode* child : node.layoutChildren()) {
            CGSize c = child->sizeThatFits(ProposedViewSize::of(frame.size));
            child->place({frame.origin.x + x_ - c.width / 2, frame.origin.y + y_ - c.height / 2, c.width, c.height});
        }
    }

private:
    CGFloat x_, y_;
};

class ScaleModifier final : public ModifierView {
public:
    ScaleModifier(AnyView content, CGSize scale, UnitPoint anchor) : ModifierView(std::move(content)), s_(scale), a_(anchor) {}
    CGAffineTransform contentTransform(const ViewNode& node) const override {
        const CGRect& f = node.frame();
        CGFloat ax = f.origin.x + a_.x * f.size.width, ay = f.origin.y + a_.y * f.size.height;
        return CGAffineTransform::translation(-ax, -ay)
            .concatenating(CGAffineTransform::scale(s_.width, s_.height))
            .concatenating(CGAffineTransform::translation(ax, ay));
    }

private:
    CGSize s_;
    UnitPoint a_;
};

class FixedSizeModifier final : public ModifierView {
public:
    FixedSizeModifier(AnyView content, bool h, bool v) : ModifierView(std::move(content)), h_(h), v_(v) {}
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override { return ViewImpl::sizeThatFits(node, fix(p)); }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        for (ViewNode* child : node.layoutChildren()) {
            CGSize c = child->sizeThatFits(fix(ProposedViewSize::of(frame.size)));
            child->place({alignedOrigin(c, frame, Alignment::center()), c});
        }
    }

private:
    ProposedViewSize fix(ProposedViewSize p) const {
        if (h_) p.width.reset();
        if (v_) p.height.reset();
        return p;
    }
    bool h_, v_;
};

class AspectRatioModifier final : public ModifierView {
public:
    AspectRatioModifier(AnyView content, std::optional<CGFloat> ratio, ContentMode mode)
        : ModifierView(std::move(content)), ratio_(ratio), mode_(mode) {}
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        return ViewImpl::sizeThatFits(node, ProposedViewSize::of(target(node, p)));
    }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        CGSize t = target(node, ProposedViewSize::of(frame.size));
        for (ViewNode* child : node.layoutChildren()) {
            CGSize c = child->sizeThatFits(ProposedViewSize::of(t));
            child->place({alignedOrigin(c, frame, Alignment::center()), c});
        }
    }

private:
    CGSize target(ViewNode& node, ProposedViewSize p) const {
        CGSize ideal = ViewImpl::sizeThatFits(node, ProposedViewSize::unspecified());
        CGFloat r = ratio_ ? *ratio_ : (ideal.height > 0 ? ideal.width / ideal.height : 1);
        if (r <= 0 || !std::isfinite(r)) r = 1;
        if (p.width && p.height) {
            CGFloat w = mode_ == ContentMode::fit ? std::min(*p.width, *p.height * r) : std::max(*p.width, *p.height * r);
            return {w, w / r};
        }
        if (p.width) return {*p.width, *p.width / r};
        if (p.height) return {*p.height * r, *p.height};
        if (ideal.width > 0) return {ideal.width, ideal.width / r};
        return ideal;
    }
    std::optional<CGFloat> ratio_;
    ContentMode mode_;
};

class LayoutPriorityModifier final : public ModifierView {
public:
    LayoutPriorityModifier(AnyView content, CGFloat p) : ModifierView(std::move(content)), p_(p) {}
    CGFloat layoutPriority() const override { return p_; }

private:
    CGFloat p_;
};

// Background and overlay: the content decides the size; the other view is offered that
// size and aligned within it. Children: [background, content] or [content, overlay], in
// drawing order.
class LayerModifier final : public ViewImpl {
public:
    LayerModifier(AnyView content, AnyView layer, Alignment alignment, bool behind)
        : content_(std::move(content)), layer_(std::move(layer)), alignment_(alignment), behind_(behind) {}
    void makeChildren(ViewNode&, ChildList& out) const override {
        if (behind_) {
            out.push_back({layer_, {}});
            out.push_back({content_, {}});
        } else {
            out.push_back({content_, {}});
            out.push_back({layer_, {}});
        }
    }
    std::string textContent() const override { return content_.impl()->textContent(); }
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        ViewNode* c = contentNode(node);
        return c ? c->sizeThatFits(p) : CGSize{};
    }
    void placeChildren(ViewNode& node, const CGRect& frame) const override {
        ViewNode* c = contentNode(node);
        ViewNode* l = layerNode(node);
        if (c) {
            CGSize s = c->sizeThatFits(ProposedViewSize::of(frame.size));
            c->place({alignedOrigin(s, frame, Alignment::center()), s});
        }
        if (l) {
            CGSize s = l->sizeThatFits(ProposedViewSize::of(frame.size));
            l->place({alignedOrigin(s, frame, alignment_), s});
        }
    }

private:
    ViewNode* contentNode(ViewNode& n) const { return n.children().size() == 2 ? n.children()[behind_ ? 1 : 0].get() : nullptr; }
    ViewNode* layerNode(ViewNode& n) const { return n.children().size() == 2 ? n.children()[behind_ ? 0 : 1].get() : nullptr; }
    AnyView content_, layer_;
    Alignment alignment_;
    bool behind_;
};

// ---- effects ----

class RenderEffectModifier final : public ModifierView {
public:
    RenderEffectModifier(AnyView content, std::function<void(RenderNode&)> effect)
        : ModifierView(std::move(content)), effect_(std::move(effect)) {}
    void render(const ViewNode&, RenderNode& r) const override { effect_(r); }

private:
    std::function<void(RenderNode&)> effect_;
};

AnyView effect(const AnyView& content, std::function<void(RenderNode&)> f) { return make<RenderEffectModifier>(content, std::move(f)); }

class IdModifier final : public ModifierView {
public:
    IdModifier(AnyView content, std::string id) : ModifierView(std::move(content)), id_(std::move(id)) {}
    std::string explicitIdentity() const override { return id_; }

private:
    std::string id_;
};

// ---- life cycle ----

class LifecycleModifier final : public ModifierView {
public:
    LifecycleModifier(AnyView content, std::function<void()> appear, std::function<void()> disappear)
        : ModifierView(std::move(content)), appear_(std::move(appear)), disappear_(std::move(disappear)) {}
    void didEvaluate(ViewNode& node, bool first) const override {
        if (first && appear_) node.graph().afterUpdate([pins = node.pinPath(), a = appear_] { a(); });
    }
    void willUnmount(ViewNode& node) const override {
        if (disappear_) node.graph().afterUpdate([pins = node.pinPath(), d = disappear_] { d(); });
    }

private:
    std::function<void()> appear_, disappear_;
};

class OnChangeModifier final : public ModifierView {
public:
    using Equal = std::function<bool(const std::any&, const std::any&)>;
    using Action = std::function<void(const std::any&, const std::any&)>;
    OnChangeModifier(AnyView content, std::any value, Equal equal, bool initial, Action action)
        : ModifierView(std::move(content)), value_(std::move(value)), equal_(std::move(equal)), initial_(initial), action_(std::move(action)) {}

    void didEvaluate(ViewNode& node, bool first) const override {
        struct Last {
            std::any value;
        };
        auto& last = node.storage<Last>();
        if (first) {
            last.value = value_;
            if (initial_) node.graph().afterUpdate([pins = node.pinPath(), a = action_, v = value_] { a(v, v); });
            return;
        }
        if (equal_(last.value, value_)) return;
        std::any old = std::move(last.value);
        last.value = value_;
        node.graph().afterUpdate([pins = node.pinPath(), a = action_, old = std::move(old), v = value_] { a(old, v); });
    }

private:
    std::any value_;
    Equal equal_;
    bool initial_;
    Action action_;
};

}  // namespace

namespace modifiers {

AnyView font(const AnyView& c, const Font& f) {
    return env(c, [f](EnvironmentValues& e) { e.font = f; });
}
AnyView foregroundColor(const AnyView& c, const Color& color) {
    return env(c, [color](EnvironmentValues& e) { e.foregroundColor = color; });
}
AnyView multilineTextAlignment(const AnyView& c, TextAlignment a) {
    return env(c, [a](EnvironmentValues& e) { e.multilineTextAlignment = a; });
}
AnyView lineLimit(const AnyView& c, std::optional<int> n) {
    return env(c, [n](EnvironmentValues& e) { e.lineLimit = n; });
}
AnyView allowsTightening(const AnyView& c, bool f) {
    return env(c, [f](EnvironmentValues& e) { e.allowsTightening = f; });
}
AnyView truncationMode(const AnyView& c, TruncationMode m) {
    return env(c, [m](EnvironmentValues& e) { e.truncationMode = m; });
}
AnyView preferredColorScheme(const AnyView& c, ColorScheme s) {
    return make<PreferredColorSchemeModifier>(c, s);
}
AnyView environment(const AnyView& c, std::function<void(EnvironmentValues&)> change) { return env(c, std::move(change)); }
AnyView environmentObject(const AnyView& c, std::type_index type, std::shared_ptr<void> object) {
    return env(c, [type, object](EnvironmentValues& e) { e.objects[type] = object; });
}
AnyView disabled(const AnyView& c, bool d) {
    return env(c, [d](EnvironmentValues& e) { e.isEnabled = e.isEnabled && !d; });
}
AnyView buttonStyle(const AnyView& c, std::shared_ptr<const ButtonStyle> style) {
    return env(c, [style](EnvironmentValues& e) { e.buttonStyle = style; });
}
AnyView textFieldStyle(const AnyView& c, TextFieldStyle s) {
    return env(c, [s](EnvironmentValues& e) { e.textFieldStyle = s; });
}
AnyView menuStyle(const AnyView& c, MenuStyle s) {
    return env(c, [s](EnvironmentValues& e) { e.menuStyle = s; });
}
AnyView menuIndicator(const AnyView& c, MenuIndicatorVisibility v) {
    return env(c, [v](EnvironmentValues& e) { e.menuIndicator = v; });
}
AnyView scrollEdgeEffectStyle(const AnyView& c, std::optional<ScrollEdgeEffectStyle> s, Edges edges) {
    return env(c, [s, edges](EnvironmentValues& e) {
        e.scrollEdgeEffectStyle = s;
        e.scrollEdgeEffectEdges = edges;
    });
}
AnyView alternatingRowBackgrounds(const AnyView& c, AlternatingRowBackgroundBehavior b) {
    return env(c, [b](EnvironmentValues& e) { e.alternatingRowBackgrounds = b; });
}

AnyView frame(const AnyView& c, std::optional<CGFloat> w, std::optional<CGFloat> h, std::optional<CGFloat> minW,
              std::optional<CGFloat> idealW, std::optional<CGFloat> maxW, std::optional<CGFloat> minH,
              std::optional<CGFloat> idealH, std::optional<CGFloat> maxH, Alignment a) {
    return make<FrameModifier>(c, FrameModifier::Spec{w, h, minW, idealW, maxW, minH, idealH, maxH, a});
}
AnyView padding(const AnyView& c, const EdgeInsets& i) { return make<PaddingModifier>(c, i); }
AnyView offset(const AnyView& c, CGFloat x, CGFloat y) { return make<OffsetModifier>(c, x, y); }
AnyView position(const AnyView& c, CGFloat x, CGFloat y) { return make<PositionModifier>(c, x, y); }
AnyView scaleEffect(const AnyView& c, CGSize s, UnitPoint a) { return make<ScaleModifier>(c, s, a); }
AnyView fixedSize(const AnyView& c, bool h, bool v) { return make<FixedSizeModifier>(c, h, v); }
AnyView aspectRatio(const AnyView& c, std::optional<CGFloat> r, ContentMode m) { return make<AspectRatioModifier>(c, r, m); }
AnyView layoutPriority(const AnyView& c, CGFloat p) { return make<LayoutPriorityModifier>(c, p); }
AnyView gridCellColumns(const AnyView& c, int n) { return make<GridCellColumnsModifier>(c, n); }
AnyView background(const AnyView& c, const AnyView& v, Alignment a) { return make<LayerModifier>(c, v, a, true); }
AnyView backgroundColor(const AnyView& c, const Color& color, Edges e) {
    auto layered = make<LayerModifier>(c, AnyView(color).ignoresSafeArea(e), Alignment::center(), true);
    return e == Edges::all() ? make<FullBleedBackground>(layered, color) : layered;
}
AnyView overlay(const AnyView& c, const AnyView& v, Alignment a) { return make<LayerModifier>(c, v, a, false); }
// The hosts give the views no safe-area insets, so there is nothing to extend under.
AnyView ignoresSafeArea(const AnyView& c, Edges) { return c; }

AnyView colorEffect(const AnyView& c, const Shader& shader, bool isEnabled) {
    if (!isEnabled) return c;
    auto kept = std::make_shared<const Shader>(shader);
    return effect(c, [kept](RenderNode& r) { r.colorEffect = kept; });
}

AnyView opacity(const AnyView& c, double v) {
    return effect(c, [v](RenderNode& r) { r.opacity *= std::clamp(v, 0.0, 1.0); });
}
AnyView shadow(const AnyView& c, const Color& color, CGFloat radius, CGFloat x, CGFloat y) {
    return effect(c, [=](RenderNode& r) { r.shadows.push_back({color, radius, x, y}); });
}
AnyView hidden(const AnyView& c) {
    return effect(c, [](RenderNode& r) {
        r.opacity = 0;
        r.hitTestable = false;
    });
}
AnyView allowsHitTesting(const AnyView& c, bool enabled) {
    return effect(c, [enabled](RenderNode& r) { r.hitTestable = r.hitTestable && enabled; });
}
AnyView contentShape(const AnyView& c) {
    return effect(c, [](RenderNode& r) { r.contentShape = true; });
}
AnyView accessibility(const AnyView& c, std::optional<std::string> identifier, std::optional<std::string> label,
                      std::optional<AccessibilityTraits> traits) {
    return effect(c, [=](RenderNode& r) {
        if (identifier) r.identifier = *identifier;
        if (label) r.accessibilityLabel = *label;
        if (traits) r.traits = r.traits | *traits;
    });
}
AnyView id(const AnyView& c, std::string identity) { return AnyView(std::make_shared<IdModifier>(c, std::move(identity))); }

AnyView onAppear(const AnyView& c, std::function<void()> a) { return make<LifecycleModifier>(c, std::move(a), std::function<void()>()); }
AnyView onDisappear(const AnyView& c, std::function<void()> a) {
    return make<LifecycleModifier>(c, std::function<void()>(), std::move(a));
}
AnyView onChange(const AnyView& c, std::any value, std::function<bool(const std::any&, const std::any&)> equal, bool initial,
                 std::function<void(const std::any&, const std::any&)> action) {
    return make<OnChangeModifier>(c, std::move(value), std::move(equal), initial, std::move(action));
}

}  // namespace modifiers

}  // namespace SwiftUI
