#pragma once
#include <any>
#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "SwiftUI/Layout.hpp"

namespace SwiftUI {

class AnyView;
class AnyGesture;
class ButtonStyle;
class Color;
class Font;
class Shader;
class ViewNode;
struct EnvironmentValues;
struct GestureAttachment;
struct KeyPress;
struct MenuItem;
struct RenderNode;
template <class T> class Binding;
enum class ColorScheme;
enum class GestureMask;
enum class KeyPressResult;
enum class MenuIndicatorVisibility;
enum class MenuStyle;
enum class ScrollEdgeEffectStyle;
enum class AlternatingRowBackgroundBehavior;
enum class TextAlignment;
enum class TextFieldStyle;
enum class TruncationMode;
struct KeyPressPhases;
struct KeyEquivalent;

struct AccessibilityTraits {
    unsigned rawValue = 0;
    static constexpr AccessibilityTraits isButton() { return {1}; }
    static constexpr AccessibilityTraits isHeader() { return {2}; }
    static constexpr AccessibilityTraits isImage() { return {4}; }
    static constexpr AccessibilityTraits isStaticText() { return {8}; }
    constexpr bool contains(AccessibilityTraits t) const { return (rawValue & t.rawValue) == t.rawValue; }
    friend constexpr AccessibilityTraits operator|(AccessibilityTraits a, AccessibilityTraits b) { return {a.rawValue | b.rawValue}; }
};

// A child a view puts beneath its node. An empty id means "identified by position".
struct ChildView;
using ChildList = std::vector<ChildView>;

// The common base of the built-in views. A view value describes; the graph keeps a node
// per view and asks the (immutable) view to build, lay out and draw it. Views made by
// users are plain structs with a body() and are wrapped by CompositeView.
class ViewImpl : public std::enable_shared_from_this<ViewImpl> {
public:
    virtual ~ViewImpl() = default;

    // Two views at the same place in the tree with the same identity share a node (and its
    // state); a different identity replaces the node.
    virtual std::type_index identity() const { return typeid(*this); }
    // The copy the node keeps; composite views bind their state slots here.
    virtual std::shared_ptr<const ViewImpl> instantiate(ViewNode&) const { return shared_from_this(); }

    // The views directly beneath this one. Runs under observation tracking.
    virtual void makeChildren(ViewNode&, ChildList&) const {}
    virtual void adjustEnvironment(EnvironmentValues&) const {}
    // After each evaluation (first: the node is new); before the node goes away.
    virtual void didEvaluate(ViewNode&, bool /*first*/) const {}
    virtual void willUnmount(ViewNode&) const {}

    // Group, ForEach and GridRow: their children take part in the parent's layout, and a
    // modifier applied to them applies to each child.
    virtual bool isTransparent() const { return false; }
    virtual std::optional<AnyView> mapChildren(const std::function<AnyView(const AnyView&)>& f) const;

    // Layout (two phases): the size for a proposal, then placement in a frame of the root's
    // coordinate space. The default overlays the children, centred (single-child wrappers).
    virtual CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const;
    virtual void placeChildren(ViewNode& node, const CGRect& frame) const;
    virtual CGFloat layoutPriority() const { return 0; }
    virtual bool isSpacer() const { return false; }

    // Drawing: a transform applied to the children (offset, scale), and the node's own
    // content and effects in the render tree.
    virtual CGAffineTransform contentTransform(const ViewNode&) const { return CGAffineTransform::identity(); }
    virtual void render(const ViewNode&, RenderNode&) const {}

    // An explicit identity (.id()), which replaces the position as the node's key.
    virtual std::string explicitIdentity() const { return {}; }

    // The gestures the view adds to a press that lands on its content.
    virtual void collectGestures(ViewNode&, std::vector<GestureAttachment>&) const {}

    // Keys reach the focused field and then its ancestors: true when handled. submit() runs
    // the Return action of the fields beneath (onSubmit).
    virtual bool handleKeyPress(ViewNode&, const KeyPress&) const { return false; }
    virtual void submit(ViewNode&) const {}

    // What a menu or a label makes of the view without building it.
    virtual std::string textContent() const { return {}; }
    virtual void collectMenuItems(std::vector<MenuItem>&) const {}
};

// Gives every view type the platform's modifiers. Each returns a new, type-erased view.
template <class Self>
class View {
public:
    // Text and colour
    AnyView font(const Font& font) const;
    AnyView foregroundColor(const Color& color) const;
    AnyView foregroundStyle(const Color& color) const;
    AnyView multilineTextAlignment(TextAlignment alignment) const;
    AnyView lineLimit(std::optional<int> lines) const;
    AnyView allowsTightening(bool flag) const;
    AnyView truncationMode(TruncationMode mode) const;
    AnyView preferredColorScheme(ColorScheme scheme) const;

    // Layout
    // Designated fields, as the platform's labels: .frame({.maxWidth = infinity}).
    struct FrameSpec {
        std::optional<CGFloat> width = std::nullopt, height = std::nullopt;
        std::optional<CGFloat> minWidth = std::nullopt, idealWidth = std::nullopt, maxWidth = std::nullopt;
        std::optional<CGFloat> minHeight = std::nullopt, idealHeight = std::nullopt, maxHeight = std::nullopt;
        Alignment alignment = Alignment::center();
    };
    AnyView frame(const FrameSpec& spec) const;
    AnyView frame(CGFloat width, CGFloat height, Alignment alignment = Alignment::center()) const;
    AnyView padding(CGFloat length = 16) const;
    AnyView padding(Edges edges, CGFloat length = 16) const;
    AnyView padding(const EdgeInsets& insets) const;
    AnyView offset(CGFloat x, CGFloat y) const;
    AnyView offset(CGSize size) const;
    AnyView position(CGFloat x, CGFloat y) const;
    AnyView scaleEffect(CGFloat scale, UnitPoint anchor = UnitPoint::center()) const;
    AnyView scaleEffect(CGSize scale, UnitPoint anchor = UnitPoint::center()) const;
    AnyView fixedSize() const;
    AnyView fixedSize(bool horizontal, bool vertical) const;
    AnyView aspectRatio(std::optional<CGFloat> ratio, ContentMode mode) const;
    AnyView aspectRatio(ContentMode mode) const;
    AnyView layoutPriority(CGFloat priority) const;
    AnyView gridCellColumns(int count) const;
    AnyView background(const AnyView& view, Alignment alignment = Alignment::center()) const;
    AnyView background(const Color& color, Edges ignoresSafeAreaEdges) const;
    AnyView overlay(const AnyView& view, Alignment alignment = Alignment::center()) const;
    AnyView ignoresSafeArea(Edges edges = Edges::all()) const;

    // Effects
    AnyView opacity(double value) const;
    // Each pixel of the drawn content through a shader function (see Shader).
    AnyView colorEffect(const Shader& shader, bool isEnabled = true) const;
    AnyView shadow(const Color& color, CGFloat radius, CGFloat x = 0, CGFloat y = 0) const;
    AnyView hidden() const;
    AnyView disabled(bool disabled) const;
    AnyView allowsHitTesting(bool enabled) const;
    AnyView contentShape() const;  // the whole frame takes clicks
    AnyView accessibilityIdentifier(std::string identifier) const;
    AnyView accessibilityLabel(std::string label) const;
    AnyView accessibilityAddTraits(AccessibilityTraits traits) const;
    AnyView id(std::string identity) const;
    template <class I> requires std::integral<I> AnyView id(I identity) const;

    // Environment
    AnyView environment(std::function<void(EnvironmentValues&)> change) const;
    template <class T> AnyView environment(std::shared_ptr<T> object) const;

    // Life cycle and changes
    AnyView onAppear(std::function<void()> action) const;
    AnyView onDisappear(std::function<void()> action) const;
    // action(old, new), action(new) or action(); fired after the update that changed the value
    // and, with initial, once when the view first appears.
    template <class T, class F> AnyView onChange(const T& value, bool initial, F action) const;
    template <class T, class F> AnyView onChange(const T& value, F action) const;

    // Gestures and controls
    AnyView gesture(const AnyGesture& gesture, GestureMask including) const;
    AnyView gesture(const AnyGesture& gesture) const;
    AnyView simultaneousGesture(const AnyGesture& gesture) const;
    AnyView highPriorityGesture(const AnyGesture& gesture) const;
    AnyView onTapGesture(int count, std::function<void()> action) const;
    AnyView onTapGesture(std::function<void()> action) const;
    template <class St> requires std::derived_from<St, ButtonStyle> AnyView buttonStyle(St style) const;
    AnyView buttonStyle(std::shared_ptr<const ButtonStyle> style) const;
    AnyView textFieldStyle(TextFieldStyle style) const;
    AnyView menuStyle(MenuStyle style) const;
    AnyView menuIndicator(MenuIndicatorVisibility visibility) const;
    // The look of scroll views' edges and lists' rows below this view.
    AnyView scrollEdgeEffectStyle(std::optional<ScrollEdgeEffectStyle> style, Edges edges) const;
    AnyView alternatingRowBackgrounds(AlternatingRowBackgroundBehavior behavior) const;
    AnyView focused(const Binding<bool>& isFocused) const;
    AnyView onSubmit(std::function<void()> action) const;
    AnyView onKeyPress(const KeyPressPhases& phases, std::function<KeyPressResult(const KeyPress&)> action) const;
    AnyView onKeyPress(const KeyEquivalent& key, std::function<KeyPressResult()> action) const;

    // A custom modifier: any type with `AnyView body(const AnyView& content) const`.
    template <class M> AnyView modifier(const M& m) const;

private:
    const Self& self() const { return static_cast<const Self&>(*this); }
};

template <class V>
concept ViewType = std::derived_from<V, ViewImpl> || requires(const V& v) { v.body(); };

// A view of any type: the currency of child lists and bodies.
class AnyView : public View<AnyView> {
public:
    AnyView();  // an EmptyView
    template <class V>
        requires(!std::same_as<std::decay_t<V>, AnyView> && ViewType<std::decay_t<V>>)
    AnyView(V&& view);
    explicit AnyView(std::shared_ptr<const ViewImpl> impl) : impl_(std::move(impl)) {}

    const std::shared_ptr<const ViewImpl>& impl() const { return impl_; }
    bool isEmpty() const;

private:
    std::shared_ptr<const ViewImpl> impl_;
};

using ViewList = std::vector<AnyView>;

struct ChildView {
    AnyView view;
    std::string id;
};

namespace detail {
// Binds the state members of a view value copied during instantiate() to a node's slots.
class BindingScope {
public:
    explicit BindingScope(ViewNode& node);
    ~BindingScope();
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;

private:
    void* previous_;
};
}  // namespace detail

// A user view: a struct with a body(). Its copy in the node keeps its state slots.
template <class V>
class CompositeView final : public ViewImpl {
public:
    explicit CompositeView(const V& view) : view_(view) {}
    std::type_index identity() const override { return typeid(V); }
    std::shared_ptr<const ViewImpl> instantiate(ViewNode& node) const override {
        detail::BindingScope scope(node);
        return std::make_shared<CompositeView<V>>(view_);  // exactly one copy under the scope
    }
    void makeChildren(ViewNode&, ChildList& out) const override { out.push_back({AnyView(view_.body()), {}}); }
    const V& value() const { return view_; }

private:
    V view_;
};

template <class V>
    requires(!std::same_as<std::decay_t<V>, AnyView> && ViewType<std::decay_t<V>>)
AnyView::AnyView(V&& view) {
    using T = std::decay_t<V>;
    if constexpr (std::derived_from<T, ViewImpl>)
        impl_ = std::make_shared<T>(std::forward<V>(view));
    else
        impl_ = std::make_shared<CompositeView<T>>(view);
}

// Shows nothing and takes no space.
struct EmptyView : ViewImpl, View<EmptyView> {
    CGSize sizeThatFits(ViewNode&, ProposedViewSize) const override { return {}; }
};

// The modifier implementations behind View<Self>; each wraps `content`.
namespace modifiers {
AnyView font(const AnyView& content, const Font& font);
AnyView foregroundColor(const AnyView& content, const Color& color);
AnyView multilineTextAlignment(const AnyView& content, TextAlignment alignment);
AnyView lineLimit(const AnyView& content, std::optional<int> lines);
AnyView allowsTightening(const AnyView& content, bool flag);
AnyView truncationMode(const AnyView& content, TruncationMode mode);
AnyView preferredColorScheme(const AnyView& content, ColorScheme scheme);
AnyView frame(const AnyView& content, std::optional<CGFloat> width, std::optional<CGFloat> height,
              std::optional<CGFloat> minWidth, std::optional<CGFloat> idealWidth, std::optional<CGFloat> maxWidth,
              std::optional<CGFloat> minHeight, std::optional<CGFloat> idealHeight, std::optional<CGFloat> maxHeight,
              Alignment alignment);
AnyView padding(const AnyView& content, const EdgeInsets& insets);
AnyView offset(const AnyView& content, CGFloat x, CGFloat y);
AnyView position(const AnyView& content, CGFloat x, CGFloat y);
AnyView scaleEffect(const AnyView& content, CGSize scale, UnitPoint anchor);
AnyView fixedSize(const AnyView& content, bool horizontal, bool vertical);
AnyView aspectRatio(const AnyView& content, std::optional<CGFloat> ratio, ContentMode mode);
AnyView layoutPriority(const AnyView& content, CGFloat priority);
AnyView gridCellColumns(const AnyView& content, int count);
AnyView background(const AnyView& content, const AnyView& view, Alignment alignment);
AnyView backgroundColor(const AnyView& content, const Color& color, Edges ignoresSafeAreaEdges);
AnyView overlay(const AnyView& content, const AnyView& view, Alignment alignment);
AnyView ignoresSafeArea(const AnyView& content, Edges edges);
AnyView opacity(const AnyView& content, double value);
AnyView colorEffect(const AnyView& content, const Shader& shader, bool isEnabled);
AnyView shadow(const AnyView& content, const Color& color, CGFloat radius, CGFloat x, CGFloat y);
AnyView hidden(const AnyView& content);
AnyView disabled(const AnyView& content, bool disabled);
AnyView allowsHitTesting(const AnyView& content, bool enabled);
AnyView contentShape(const AnyView& content);
AnyView accessibility(const AnyView& content, std::optional<std::string> identifier, std::optional<std::string> label,
                      std::optional<AccessibilityTraits> traits);
AnyView id(const AnyView& content, std::string identity);
AnyView environment(const AnyView& content, std::function<void(EnvironmentValues&)> change);
AnyView environmentObject(const AnyView& content, std::type_index type, std::shared_ptr<void> object);
AnyView onAppear(const AnyView& content, std::function<void()> action);
AnyView onDisappear(const AnyView& content, std::function<void()> action);
// `value` is compared with `equal`; `action(old, new)` runs after a change.
AnyView onChange(const AnyView& content, std::any value, std::function<bool(const std::any&, const std::any&)> equal,
                 bool initial, std::function<void(const std::any&, const std::any&)> action);
AnyView gesture(const AnyView& content, const AnyGesture& gesture, int priority, GestureMask mask);
AnyView onTapGesture(const AnyView& content, int count, std::function<void()> action);
AnyView buttonStyle(const AnyView& content, std::shared_ptr<const ButtonStyle> style);
AnyView textFieldStyle(const AnyView& content, TextFieldStyle style);
AnyView menuStyle(const AnyView& content, MenuStyle style);
AnyView menuIndicator(const AnyView& content, MenuIndicatorVisibility visibility);
AnyView scrollEdgeEffectStyle(const AnyView& content, std::optional<ScrollEdgeEffectStyle> style, Edges edges);
AnyView alternatingRowBackgrounds(const AnyView& content, AlternatingRowBackgroundBehavior behavior);
AnyView focused(const AnyView& content, const Binding<bool>& isFocused);
AnyView onSubmit(const AnyView& content, std::function<void()> action);
AnyView onKeyPress(const AnyView& content, const KeyPressPhases& phases, std::function<KeyPressResult(const KeyPress&)> action);
AnyView onKeyPress(const AnyView& content, const KeyEquivalent& key, std::function<KeyPressResult()> action);
}  // namespace modifiers

// ---- modifier definitions ----

#define VZ_SWIFTUI_SELF AnyView(self())

template <class S> AnyView View<S>::font(const Font& f) const { return modifiers::font(VZ_SWIFTUI_SELF, f); }
template <class S> AnyView View<S>::foregroundColor(const Color& c) const { return modifiers::foregroundColor(VZ_SWIFTUI_SELF, c); }
template <class S> AnyView View<S>::foregroundStyle(const Color& c) const { return modifiers::foregroundColor(VZ_SWIFTUI_SELF, c); }
template <class S> AnyView View<S>::multilineTextAlignment(TextAlignment a) const {
    return modifiers::multilineTextAlignment(VZ_SWIFTUI_SELF, a);
}
template <class S> AnyView View<S>::lineLimit(std::optional<int> n) const { return modifiers::lineLimit(VZ_SWIFTUI_SELF, n); }
template <class S> AnyView View<S>::allowsTightening(bool f) const { return modifiers::allowsTightening(VZ_SWIFTUI_SELF, f); }
template <class S> AnyView View<S>::truncationMode(TruncationMode m) const { return modifiers::truncationMode(VZ_SWIFTUI_SELF, m); }
template <class S> AnyView View<S>::preferredColorScheme(ColorScheme s) const {
    return modifiers::preferredColorScheme(VZ_SWIFTUI_SELF, s);
}
template <class S> AnyView View<S>::frame(const FrameSpec& f) const {
    return modifiers::frame(VZ_SWIFTUI_SELF, f.width, f.height, f.minWidth, f.idealWidth, f.maxWidth, f.minHeight,
                            f.idealHeight, f.maxHeight, f.alignment);
}
template <class S> AnyView View<S>::frame(CGFloat w, CGFloat h, Alignment a) const {
    return modifiers::frame(VZ_SWIFTUI_SELF, w, h, {}, {}, {}, {}, {}, {}, a);
}
template <class S> AnyView View<S>::padding(CGFloat l) const { return modifiers::padding(VZ_SWIFTUI_SELF, EdgeInsets::uniform(l)); }
template <class S> AnyView View<S>::padding(Edges e, CGFloat l) const { return modifiers::padding(VZ_SWIFTUI_SELF, EdgeInsets::on(e, l)); }
template <class S> AnyView View<S>::padding(const EdgeInsets& i) const { return modifiers::padding(VZ_SWIFTUI_SELF, i); }
template <class S> AnyView View<S>::offset(CGFloat x, CGFloat y) const { return modifiers::offset(VZ_SWIFTUI_SELF, x, y); }
template <class S> AnyView View<S>::position(CGFloat x, CGFloat y) const { return modifiers::position(VZ_SWIFTUI_SELF, x, y); }
template <class S> AnyView View<S>::scaleEffect(CGFloat s, UnitPoint a) const { return modifiers::scaleEffect(VZ_SWIFTUI_SELF, {s, s}, a); }
template <class S> AnyView View<S>::scaleEffect(CGSize s, UnitPoint a) const { return modifiers::scaleEffect(VZ_SWIFTUI_SELF, s, a); }
template <class S> AnyView View<S>::fixedSize(bool h, bool v) const { return modifiers::fixedSize(VZ_SWIFTUI_SELF, h, v); }
template <class S> AnyView View<S>::aspectRatio(std::optional<CGFloat> r, ContentMode m) const {
    return modifiers::aspectRatio(VZ_SWIFTUI_SELF, r, m);
}
template <class S> AnyView View<S>::layoutPriority(CGFloat p) const { return modifiers::layoutPriority(VZ_SWIFTUI_SELF, p); }
template <class S> AnyView View<S>::gridCellColumns(int n) const { return modifiers::gridCellColumns(VZ_SWIFTUI_SELF, n); }
template <class S> AnyView View<S>::background(const AnyView& v, Alignment a) const { return modifiers::background(VZ_SWIFTUI_SELF, v, a); }
template <class S> AnyView View<S>::background(const Color& c, Edges e) const {
    return modifiers::backgroundColor(VZ_SWIFTUI_SELF, c, e);
}
template <class S> AnyView View<S>::overlay(const AnyView& v, Alignment a) const { return modifiers::overlay(VZ_SWIFTUI_SELF, v, a); }
template <class S> AnyView View<S>::ignoresSafeArea(Edges e) const { return modifiers::ignoresSafeArea(VZ_SWIFTUI_SELF, e); }
template <class S> AnyView View<S>::opacity(double v) const { return modifiers::opacity(VZ_SWIFTUI_SELF, v); }
template <class S> AnyView View<S>::colorEffect(const Shader& s, bool on) const { return modifiers::colorEffect(VZ_SWIFTUI_SELF, s, on); }
template <class S> AnyView View<S>::shadow(const Color& c, CGFloat r, CGFloat x, CGFloat y) const {
    return modifiers::shadow(VZ_SWIFTUI_SELF, c, r, x, y);
}
template <class S> AnyView View<S>::hidden() const { return modifiers::hidden(VZ_SWIFTUI_SELF); }
template <class S> AnyView View<S>::disabled(bool d) const { return modifiers::disabled(VZ_SWIFTUI_SELF, d); }
template <class S> AnyView View<S>::allowsHitTesting(bool e) const { return modifiers::allowsHitTesting(VZ_SWIFTUI_SELF, e); }
template <class S> AnyView View<S>::contentShape() const { return modifiers::contentShape(VZ_SWIFTUI_SELF); }
template <class S> AnyView View<S>::accessibilityIdentifier(std::string i) const {
    return modifiers::accessibility(VZ_SWIFTUI_SELF, std::move(i), std::nullopt, std::nullopt);
}
template <class S> AnyView View<S>::accessibilityLabel(std::string l) const {
    return modifiers::accessibility(VZ_SWIFTUI_SELF, std::nullopt, std::move(l), std::nullopt);
}
template <class S> AnyView View<S>::accessibilityAddTraits(AccessibilityTraits t) const {
    return modifiers::accessibility(VZ_SWIFTUI_SELF, std::nullopt, std::nullopt, t);
}
template <class S> AnyView View<S>::id(std::string i) const { return modifiers::id(VZ_SWIFTUI_SELF, std::move(i)); }
template <class S> AnyView View<S>::environment(std::function<void(EnvironmentValues&)> c) const {
    return modifiers::environment(VZ_SWIFTUI_SELF, std::move(c));
}
template <class S> template <class T> AnyView View<S>::environment(std::shared_ptr<T> object) const {
    return modifiers::environmentObject(VZ_SWIFTUI_SELF, typeid(T), std::static_pointer_cast<void>(std::move(object)));
}
template <class S> AnyView View<S>::onAppear(std::function<void()> a) const { return modifiers::onAppear(VZ_SWIFTUI_SELF, std::move(a)); }
template <class S> AnyView View<S>::onDisappear(std::function<void()> a) const {
    return modifiers::onDisappear(VZ_SWIFTUI_SELF, std::move(a));
}
template <class S> template <class T, class F> AnyView View<S>::onChange(const T& value, bool initial, F action) const {
    static_assert(std::equality_comparable<T>, "onChange needs a value with ==");
    auto equal = [](const std::any& a, const std::any& b) { return std::any_cast<const T&>(a) == std::any_cast<const T&>(b); };
    auto run = [action = std::move(action)](const std::any& o, const std::any& n) {
        if constexpr (std::invocable<F, const T&, const T&>)
            action(std::any_cast<const T&>(o), std::any_cast<const T&>(n));
        else if constexpr (std::invocable<F, const T&>)
            action(std::any_cast<const T&>(n));
        else
            action();
    };
    return modifiers::onChange(VZ_SWIFTUI_SELF, std::any(value), equal, initial, run);
}
template <class S> AnyView View<S>::gesture(const AnyGesture& g, GestureMask m) const { return modifiers::gesture(VZ_SWIFTUI_SELF, g, 0, m); }
template <class S> AnyView View<S>::gesture(const AnyGesture& g) const { return modifiers::gesture(VZ_SWIFTUI_SELF, g, 0, GestureMask(3)); }
template <class S> AnyView View<S>::simultaneousGesture(const AnyGesture& g) const {
    return modifiers::gesture(VZ_SWIFTUI_SELF, g, 1, GestureMask(3));
}
template <class S> AnyView View<S>::highPriorityGesture(const AnyGesture& g) const {
    return modifiers::gesture(VZ_SWIFTUI_SELF, g, 2, GestureMask(3));
}
template <class S> AnyView View<S>::onTapGesture(int n, std::function<void()> a) const {
    return modifiers::onTapGesture(VZ_SWIFTUI_SELF, n, std::move(a));
}
template <class S> AnyView View<S>::buttonStyle(std::shared_ptr<const ButtonStyle> s) const {
    return modifiers::buttonStyle(VZ_SWIFTUI_SELF, std::move(s));
}
template <class S> AnyView View<S>::textFieldStyle(TextFieldStyle s) const { return modifiers::textFieldStyle(VZ_SWIFTUI_SELF, s); }
template <class S> AnyView View<S>::menuStyle(MenuStyle s) const { return modifiers::menuStyle(VZ_SWIFTUI_SELF, s); }
template <class S> AnyView View<S>::menuIndicator(MenuIndicatorVisibility v) const { return modifiers::menuIndicator(VZ_SWIFTUI_SELF, v); }
template <class S> AnyView View<S>::scrollEdgeEffectStyle(std::optional<ScrollEdgeEffectStyle> s, Edges e) const {
    return modifiers::scrollEdgeEffectStyle(VZ_SWIFTUI_SELF, s, e);
}
template <class S> AnyView View<S>::alternatingRowBackgrounds(AlternatingRowBackgroundBehavior b) const {
    return modifiers::alternatingRowBackgrounds(VZ_SWIFTUI_SELF, b);
}
template <class S> AnyView View<S>::focused(const Binding<bool>& b) const { return modifiers::focused(VZ_SWIFTUI_SELF, b); }
template <class S> AnyView View<S>::onSubmit(std::function<void()> a) const { return modifiers::onSubmit(VZ_SWIFTUI_SELF, std::move(a)); }
template <class S> AnyView View<S>::onKeyPress(const KeyPressPhases& p, std::function<KeyPressResult(const KeyPress&)> a) const {
    return modifiers::onKeyPress(VZ_SWIFTUI_SELF, p, std::move(a));
}
template <class S> AnyView View<S>::onKeyPress(const KeyEquivalent& k, std::function<KeyPressResult()> a) const {
    return modifiers::onKeyPress(VZ_SWIFTUI_SELF, k, std::move(a));
}
template <class S> template <class M> AnyView View<S>::modifier(const M& m) const { return AnyView(m.body(VZ_SWIFTUI_SELF)); }

template <class S> AnyView View<S>::offset(CGSize size) const { return offset(size.width, size.height); }
template <class S> AnyView View<S>::fixedSize() const { return fixedSize(true, true); }
template <class S> AnyView View<S>::aspectRatio(ContentMode mode) const { return aspectRatio(std::nullopt, mode); }
template <class S> template <class I> requires std::integral<I> AnyView View<S>::id(I identity) const { return id(std::to_string(identity)); }
template <class S> template <class T, class F> AnyView View<S>::onChange(const T& value, F action) const {
    return onChange(value, false, std::move(action));
}
template <class S> AnyView View<S>::onTapGesture(std::function<void()> action) const { return onTapGesture(1, std::move(action)); }
template <class S> template <class St> requires std::derived_from<St, ButtonStyle> AnyView View<S>::buttonStyle(St style) const {
    return buttonStyle(std::shared_ptr<const ButtonStyle>(std::make_shared<St>(std::move(style))));
}

#undef VZ_SWIFTUI_SELF

}  // namespace SwiftUI
