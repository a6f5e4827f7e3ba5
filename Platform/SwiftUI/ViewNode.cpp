#include "SwiftUI/ViewNode.hpp"

#include <algorithm>
#include <unordered_map>

#include "SwiftUI/ViewGraph.hpp"

namespace SwiftUI {

namespace {

struct BindingContext {
    ViewNode* node;
    std::size_t next = 0;
};
thread_local BindingContext* currentBinding = nullptr;

}  // namespace

namespace detail {

BindingScope::BindingScope(ViewNode& node) : previous_(currentBinding) { currentBinding = new BindingContext{&node}; }
BindingScope::~BindingScope() {
    delete currentBinding;
    currentBinding = static_cast<BindingContext*>(previous_);
}

bool isBinding() { return currentBinding != nullptr; }

std::shared_ptr<SlotBase> takeSlot(std::type_index type, const std::function<std::shared_ptr<SlotBase>()>& make) {
    return currentBinding->node->slot(currentBinding->next++, type, make);
}

const EnvironmentValues* bindingEnvironment() { return currentBinding ? &currentBinding->node->environment() : nullptr; }

void SlotBase::invalidateOwner() const {
    if (auto node = owner.lock()) node->setNeedsEvaluation();
}

}  // namespace detail

// ---- ViewImpl defaults: children overlaid and centred ----

std::optional<AnyView> ViewImpl::mapChildren(const std::function<AnyView(const AnyView&)>&) const { return std::nullopt; }

CGSize ViewImpl::sizeThatFits(ViewNode& node, ProposedViewSize proposal) const {
    CGSize size;
    for (ViewNode* child : node.layoutChildren()) {
        CGSize s = child->sizeThatFits(proposal);
        size.width = std::max(size.width, s.width);
        size.height = std::max(size.height, s.height);
    }
    return size;
}

void ViewImpl::placeChildren(ViewNode& node, const CGRect& frame) const {
    for (ViewNode* child : node.layoutChildren()) {
        CGSize s = child->sizeThatFits(ProposedViewSize::of(frame.size));
        child->place({alignedOrigin(s, frame, Alignment::center()), s});
    }
}

// ---- AnyView ----

AnyView::AnyView() : impl_(std::make_shared<EmptyView>()) {}
bool AnyView::isEmpty() const { return dynamic_cast<const EmptyView*>(impl_.get()) != nullptr; }

// ---- layout helpers ----

CGFloat alignedOffset(CGFloat length, CGFloat available, HorizontalAlignment a) {
    switch (a) {
    case HorizontalAlignment::leading: return 0;
    case HorizontalAlignment::center: return (available - length) / 2;
    case HorizontalAlignment::trailing: return available - length;
    }
    return 0;
}

CGFloat alignedOffset(CGFloat length, CGFloat available, VerticalAlignment a) {
    switch (a) {
    case VerticalAlignment::top: return 0;
    case VerticalAlignment::bottom: return available - length;
    default: return (available - length) / 2;
    }
}

CGPoint alignedOrigin(CGSize size, const CGRect& box, Alignment alignment) {
    return {box.origin.x + alignedOffset(size.width, box.size.width, alignment.horizontal),
            box.origin.y + alignedOffset(size.height, box.size.height, alignment.vertical)};
}

// ---- ViewNode ----

ViewNode::ViewNode(ViewGraph& graph, ViewNode* parent)
    : graph_(graph), parent_(parent), depth_(parent ? parent->depth_ + 1 : 0) {}

ViewNode::~ViewNode() = default;

std::vector<ViewNode*> ViewNode::layoutChildren() const {
    std::vector<ViewNode*> out;
    for (auto& c : children_) {
        if (c->view_ && c->view_->isTransparent()) {
            auto inner = c->layoutChildren();
            out.insert(out.end(), inner.begin(), inner.end());
        } else {
            out.push_back(c.get());
        }
    }
    return out;
}

void ViewNode::assign(const AnyView& view, const EnvironmentValues& environment) {
    environment_ = environment;
    // Closures made by the previous value may still run during this update.
    if (view_) graph_.retire(std::move(view_));
    view_ = view.impl()->instantiate(*this);
    evaluate();
}

void ViewNode::evaluate() {
    dirty_ = false;
    ChildList list;
    observation_.cancel();
    auto accesses = Observation::recordAccesses([&] { view_->makeChildren(*this, list); });
    observation_ = Observation::subscribe(accesses, graph_.invalidator(weak_from_this()));
    childEnvironment_ = environment_;
    view_->adjustEnvironment(childEnvironment_);
    reconcile(list);
    const bool first = !evaluated_;
    evaluated_ = true;
    view_->didEvaluate(*this, first);
    graph_.setNeedsLayout();
}

void ViewNode::setNeedsEvaluation() {
    if (!mounted_) return;
    dirty_ = true;
    graph_.invalidate(weak_from_this());
}

void ViewNode::reconcile(ChildList& list) {
    std::unordered_multimap<std::string, std::shared_ptr<ViewNode>> old;
    for (std::size_t i = 0; i < children_.size(); ++i) old.emplace(childKeys_[i], children_[i]);

    std::vector<std::shared_ptr<ViewNode>> next;
    std::vector<std::string> keys;
    next.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string id = list[i].id.empty() ? list[i].view.impl()->explicitIdentity() : list[i].id;
        std::string key = id.empty() ? "#" + std::to_string(i) : "=" + id;
        const std::type_index type = list[i].view.impl()->identity();
        std::shared_ptr<ViewNode> node;
        auto range = old.equal_range(key);
        for (auto it = range.first; it != range.second; ++it) {
            if (it->second->view_ && it->second->view_->identity() == type) {
                node = it->second;
                old.erase(it);
                break;
            }
        }
        if (!node) node = std::make_shared<ViewNode>(graph_, this);
        node->assign(list[i].view, childEnvironment_);
        next.push_back(std::move(node));
        keys.push_back(std::move(key));
    }
    for (auto& [key, node] : old) node->unmount();
    children_ = std::move(next);
    childKeys_ = std::move(keys);
}

void ViewNode::unmount() {
    if (!mounted_) return;
    mounted_ = false;
    observation_.cancel();
    for (auto& c : children_) c->unmount();
    if (view_) view_->willUnmount(*this);
    graph_.nodeWillUnmount(*this);
}

CGSize ViewNode::sizeThatFits(ProposedViewSize proposal) {
    if (cacheGeneration_ != graph_.layoutGeneration()) {
        sizeCache_.clear();
        cacheGeneration_ = graph_.layoutGeneration();
    }
    for (auto& [p, s] : sizeCache_)
        if (p == proposal) return s;
    CGSize s = view_ ? view_->sizeThatFits(*this, proposal) : CGSize{};
    sizeCache_.emplace_back(proposal, s);
    return s;
}

void ViewNode::place(const CGRect& frame) {
    frame_ = frame;
    if (view_) view_->placeChildren(*this, frame);
}

void ViewNode::updateDrawTransforms(const CGAffineTransform& parentTransform) {
    drawTransform_ = parentTransform;
    CGAffineTransform inner = view_ ? view_->contentTransform(*this).concatenating(parentTransform) : parentTransform;
    for (auto& c : children_) c->updateDrawTransforms(inner);
}

std::vector<std::shared_ptr<const ViewImpl>> ViewNode::pinPath() const {
    std::vector<std::shared_ptr<const ViewImpl>> out;
    for (const ViewNode* n = this; n; n = n->parent_)
        if (n->view_) out.push_back(n->view_);
    return out;
}

std::shared_ptr<detail::SlotBase> ViewNode::slot(std::size_t index, std::type_index type,
                                                 const std::function<std::shared_ptr<detail::SlotBase>()>& make) {
    if (index < slots_.size() && slots_[index].first == type) return slots_[index].second;
    auto s = make();
    s->owner = weak_from_this();
    if (index < slots_.size())
        slots_[index] = {type, s};
    else
        slots_.emplace_back(type, s);  // slots are taken in order, so index == size here
    return s;
}

}  // namespace SwiftUI
