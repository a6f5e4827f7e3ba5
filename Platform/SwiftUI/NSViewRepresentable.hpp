#pragma once
#include <memory>
#include <variant>

#include "AppKit/NSView.hpp"
#include "AppKit/NSViewController.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

template <class Coordinator>
struct RepresentableContext {
    Coordinator& coordinator;
    const EnvironmentValues& environment;
};

namespace detail {
template <class Host, class Coordinator>
struct Represented {
    std::shared_ptr<Host> object;
    std::shared_ptr<Coordinator> coordinator;
};

inline CGSize representableSize(const AppKit::NSView& view, ProposedViewSize p) {
    CGSize intrinsic = view.intrinsicContentSize();
    auto axis = [](std::optional<CGFloat> proposed, CGFloat own) {
        if (own != AppKit::NSViewNoIntrinsicMetric) return own;
        return proposed.value_or(10);
    };
    return {axis(p.width, intrinsic.width), axis(p.height, intrinsic.height)};
}
}  // namespace detail

namespace detail {
// The representable's own coordinator when it makes one, else a default-made one.
template <class Coordinator, class Self>
std::shared_ptr<Coordinator> makeCoordinatorFor(const Self& self) {
    if constexpr (requires { self.makeCoordinator(); })
        return std::make_shared<Coordinator>(self.makeCoordinator());
    else
        return std::make_shared<Coordinator>();
}
}  // namespace detail

// An AppKit view inside a view graph. Self provides
//   std::shared_ptr<ViewType> makeNSView(Context&) const;
//   void updateNSView(ViewType&, Context&) const;
// and may provide `Coordinator makeCoordinator() const` and
//   static void dismantleNSView(ViewType&, Coordinator&).
// The coordinator is made first, then the view; update runs after creation and after every
// new value of the representable; dismantle runs when it leaves the tree.
template <class Self, class ViewType, class Coordinator = std::monostate>
class NSViewRepresentable : public ViewImpl, public View<Self> {
public:
    using Context = RepresentableContext<Coordinator>;

    void didEvaluate(ViewNode& node, bool first) const override {
        auto& r = node.template storage<detail::Represented<ViewType, Coordinator>>();
        const Self& self = static_cast<const Self&>(*this);
        if (first || !r.object) {
            r.coordinator = detail::makeCoordinatorFor<Coordinator>(self);
            Context ctx{*r.coordinator, node.environment()};
            r.object = self.makeNSView(ctx);
        }
        Context ctx{*r.coordinator, node.environment()};
        if (r.object) self.updateNSView(*r.object, ctx);
    }
    void willUnmount(ViewNode& node) const override {
        auto* r = node.template storageIf<detail::Represented<ViewType, Coordinator>>();
        if (!r || !r->object) return;
        if constexpr (requires { Self::dismantleNSView(*r->object, *r->coordinator); }) Self::dismantleNSView(*r->object, *r->coordinator);
        r->object->removeFromSuperview();
    }
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize p) const override {
        auto* r = node.template storageIf<detail::Represented<ViewType, Coordinator>>();
        return r && r->object ? detail::representableSize(*r->object, p) : p.replacingUnspecifiedDimensions();
    }
    void render(const ViewNode& node, RenderNode& out) const override {
        auto* r = const_cast<ViewNode&>(node).template storageIf<detail::Represented<ViewType, Coordinator>>();
        out.kind = RenderNode::Kind::hostedView;
        if (r) out.hostedView = r->object;
    }
};

// An AppKit view controller inside a view graph; its view is hosted like a representable
// view's. Self provides makeNSViewController(Context&) and updateNSViewController(VC&,
// Context&), optionally makeCoordinator() and static dismantleNSViewController(VC&, C&).
template <class Self, class ControllerType, class Coordinator = std::monostate>
class NSViewControllerRepresentable : public ViewImpl, public View<Self> {
public:
    using Context = RepresentableContext<Coordinator>;

    void didEvaluate(ViewNode& node, bool first) const override {
        auto& r = node.template storage<detail::Represented<ControllerType, Coordinator>>();
        const Self& self = static_cast<const Self&>(*this);
        if (first || !r.object) {
            r.coordinator = detail::makeCoordinatorFor<Coordinator>(self);
            Context ctx{*r.coordinator, node.environment()};
            r.object = self.makeNSViewController(ctx);
        }
        Context ctx{*r.coordinator, node.environment()};
        if (r.object) self.updateNSViewController(*r.object, ctx);
    }
    void willUnmount(ViewNode& node) const override {
        auto* r = node.template storageIf<detail::Represented<ControllerType, Coordinator>>();
        if (!r || !r->object) return;
        if constexpr (requires { Self::dismantleNSViewController(*r->object, *r->coordinator); })
            Self::dismantleNSViewController(*r->object, *r->coordinator);
        r->object->view()->removeFromSuperview();
    }
    // Flexible in both axes.
    CGSize sizeThatFits(ViewNode&, ProposedViewSize p) const override { return p.replacingUnspecifiedDimensions(); }
    void render(const ViewNode& node, RenderNode& out) const override {
        auto* r = const_cast<ViewNode&>(node).template storageIf<detail::Represented<ControllerType, Coordinator>>();
        out.kind = RenderNode::Kind::hostedView;
        if (r && r->object) out.hostedView = r->object->view();
    }
};

}  // namespace SwiftUI
