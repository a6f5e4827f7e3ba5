#include "SwiftUI/Stacks.hpp"

#include <algorithm>
#include <numeric>

#include "SwiftUI/Menu.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

CGFloat main(CGSize s, Axis a) { return a == Axis::horizontal ? s.width : s.height; }
CGFloat cross(CGSize s, Axis a) { return a == Axis::horizontal ? s.height : s.width; }
ProposedViewSize proposal(Axis a, std::optional<CGFloat> m, std::optional<CGFloat> c) {
    return a == Axis::horizontal ? ProposedViewSize{m, c} : ProposedViewSize{c, m};
}

// The first layout priority on the chain of single-child wrappers (a priority set under
// other modifiers still counts).
CGFloat priorityOf(ViewNode* n) {
    while (n) {
        if (n->view() && n->view()->layoutPriority() != 0) return n->view()->layoutPriority();
        if (n->children().size() != 1) return 0;
        n = n->children().front().get();
    }
    return 0;
}

ChildList positional(const ViewList& views) {
    ChildList out;
    out.reserve(views.size());
    for (auto& v : views) out.push_back({v, {}});
    return out;
}

}  // namespace

// ---- stacks ----

void StackLayout::makeChildren(ViewNode&, ChildList& out) const {
    for (auto& v : content_) out.push_back({v, {}});
}

std::vector<ViewNode*> StackLayout::arranged(ViewNode& node) const {
    std::vector<ViewNode*> out;
    for (ViewNode* c : node.layoutChildren()) {
        // Empty views (absent conditional content) take neither space nor spacing.
        if (c->viewAs<EmptyView>()) continue;
        c->setStackAxis(axis_);
        out.push_back(c);
    }
    return out;
}

std::vector<CGSize> StackLayout::childSizes(const std::vector<ViewNode*>& children, ProposedViewSize p) const {
    const std::size_t n = children.size();
    std::vector<CGSize> sizes(n);
    if (n == 0) return sizes;
    const std::optional<CGFloat> crossP = axis_ == Axis::horizontal ? p.height : p.width;
    const std::optional<CGFloat> mainP = p.along(axis_);
    if (!mainP) {
        for (std::size_t i = 0; i < n; ++i) sizes[i] = children[i]->sizeThatFits(proposal(axis_, std::nullopt, crossP));
        return sizes;
    }
    std::vector<CGFloat> minMain(n), flex(n), prio(n);
    for (std::size_t i = 0; i < n; ++i) {
        minMain[i] = main(children[i]->sizeThatFits(proposal(axis_, 0.0, crossP)), axis_);
        CGFloat maxMain = main(children[i]->sizeThatFits(proposal(axis_, infinity, crossP)), axis_);
        flex[i] = maxMain - minMain[i];
        prio[i] = priorityOf(children[i]);
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (prio[a] != prio[b]) return prio[a] > prio[b];
        return flex[a] < flex[b];
    });
    CGFloat remaining = *mainP - spacing_ * CGFloat(n - 1);
    std::size_t k = 0;
    while (k < n) {
        // One priority group at a time; lower groups keep their minimum sizes in reserve.
        std::size_t end = k;
        while (end < n && prio[order[end]] == prio[order[k]]) ++end;
        CGFloat reserved = 0;
        for (std::size_t j = end; j < n; ++j) reserved += minMain[order[j]];
        CGFloat groupSpace = remaining - reserved;
        for (std::size_t j = k; j < end; ++j) {
            std::size_t i = order[j];
            CGFloat share = std::max<CGFloat>(0, groupSpace / CGFloat(end - j));
            sizes[i] = children[i]->sizeThatFits(proposal(axis_, share, crossP));
            groupSpace -= main(sizes[i], axis_);
            remaining -= main(sizes[i], axis_);
        }
        k = end;
    }
    return sizes;
}

CGSize StackLayout::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    auto children = arranged(node);
    auto sizes = childSizes(children, p);
    CGFloat m = 0, c = 0;
    for (auto& s : sizes) {
        m += main(s, axis_);
        c = std::max(c, cross(s, axis_));
    }
    if (!sizes.empty()) m += spacing_ * CGFloat(sizes.size() - 1);
    m = std::max<CGFloat>(0, m);
    return axis_ == Axis::horizontal ? CGSize{m, c} : CGSize{c, m};
}

void StackLayout::placeChildren(ViewNode& node, const CGRect& frame) const {
    auto children = arranged(node);
    auto sizes = childSizes(children, ProposedViewSize::of(frame.size));
    const CGFloat crossAvailable = cross(frame.size, axis_);
    CGFloat at = axis_ == Axis::horizontal ? frame.origin.x : frame.origin.y;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const CGSize s = sizes[i];
        const CGFloat off = crossOffset(cross(s, axis_), crossAvailable);
        if (axis_ == Axis::horizontal)
            children[i]->place({at, frame.origin.y + off, s.width, s.height});
        else
            children[i]->place({frame.origin.x + off, at, s.width, s.height});
        at += main(s, axis_) + spacing_;
    }
}

void ZStack::makeChildren(ViewNode&, ChildList& out) const {
    for (auto& v : content_) out.push_back({v, {}});
}

void ZStack::placeChildren(ViewNode& node, const CGRect& frame) const {
    for (ViewNode* child : node.layoutChildren()) {
        child->setStackAxis(std::nullopt);
        CGSize s = child->sizeThatFits(ProposedViewSize::of(frame.size));
        child->place({alignedOrigin(s, frame, alignment_), s});
    }
}

// ---- spacer, divider ----

CGSize Spacer::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    auto axis = node.stackAxis();
    auto len = [&](std::optional<CGFloat> v) { return std::max(minLength_, v.value_or(minLength_)); };
    if (!axis) return {len(p.width), len(p.height)};
    if (*axis == Axis::horizontal) return {len(p.width), 0};
    return {0, len(p.height)};
}

CGSize Divider::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    if (node.stackAxis() == Axis::horizontal) return {1, p.height.value_or(0)};
    return {p.width.value_or(0), 1};
}

void Divider::render(const ViewNode& node, RenderNode& r) const {
    r.kind = RenderNode::Kind::color;
    r.shape.fill = node.environment().colorScheme == ColorScheme::dark ? Color(1, 1, 1, 0.1) : Color(0, 0, 0, 0.1);
}

void Divider::collectMenuItems(std::vector<MenuItem>& out) const { out.push_back(MenuItem::separator()); }

// ---- group, for each, conditional ----

Group::Group(ViewList content) : children_(positional(content)) {}

std::optional<AnyView> Group::mapChildren(const std::function<AnyView(const AnyView&)>& f) const {
    ChildList mapped;
    for (auto& c : children_) mapped.push_back({f(c.view), c.id});
    return AnyView(Group(std::move(mapped)));
}

void Group::collectMenuItems(std::vector<MenuItem>& out) const {
    for (auto& c : children_) c.view.impl()->collectMenuItems(out);
}

std::optional<AnyView> ForEach::mapChildren(const std::function<AnyView(const AnyView&)>& f) const {
    ForEach copy;
    for (auto& c : children_) copy.children_.push_back({f(c.view), c.id});
    return AnyView(std::move(copy));
}

void ForEach::collectMenuItems(std::vector<MenuItem>& out) const {
    for (auto& c : children_) c.view.impl()->collectMenuItems(out);
}

AnyView If(bool condition, const AnyView& then, const AnyView& otherwise) {
    return AnyView(Group(ChildList{{condition ? then : otherwise, condition ? "if-then" : "if-else"}}));
}

}  // namespace SwiftUI
