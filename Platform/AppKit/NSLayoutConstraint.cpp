#include "AppKit/NSLayoutConstraint.hpp"

#include "AppKit/NSView.hpp"
#include "Runtime/FatalError.hpp"

namespace AppKit {

NSLayoutConstraint::Ptr NSLayoutConstraint::make(const std::shared_ptr<NSView>& firstItem, LayoutAttribute firstAttribute,
                                                 LayoutRelation relation, const std::shared_ptr<NSView>& secondItem,
                                                 LayoutAttribute secondAttribute, CGFloat multiplier, CGFloat constant) {
    if (!firstItem) Runtime::fatalError("NSLayoutConstraint: a constraint needs a first item");
    auto c = Runtime::make<NSLayoutConstraint>();
    c->first_ = firstItem;
    c->firstAttr_ = firstAttribute;
    c->relation_ = relation;
    c->second_ = secondItem;
    c->secondAttr_ = secondItem ? secondAttribute : LayoutAttribute::notAnAttribute;
    c->multiplier_ = multiplier;
    c->constant_ = constant;
    return c;
}

std::shared_ptr<NSView> NSLayoutConstraint::installTarget() const {
    auto a = firstItem(), b = secondItem();
    if (!b || a == b) return a;
    for (auto v = a; v; v = v->superview())
        if (b->isDescendant(*v)) return v;
    return nullptr;
}

void NSLayoutConstraint::markNeedsLayout() const {
    for (auto item : {firstItem(), secondItem()}) {
        if (!item) continue;
        item->setNeedsLayout(true);
        if (auto s = item->superview()) s->setNeedsLayout(true);
    }
    if (auto on = installedOn_.lock()) on->setNeedsLayout(true);
}

void NSLayoutConstraint::setActive(bool active) {
    if (active == active_) return;
    if (active) {
        auto target = installTarget();
        // As the platform raises: the items must share an ancestor.
        if (!target) Runtime::fatalError("NSLayoutConstraint: the items have no common ancestor");
        target->addConstraint(sharedAs<NSLayoutConstraint>());
    } else if (auto on = installedOn_.lock()) {
        on->removeConstraint(sharedAs<NSLayoutConstraint>());
    } else {
        active_ = false;
    }
}

void NSLayoutConstraint::setConstant(CGFloat c) {
    if (c == constant_) return;
    constant_ = c;
    if (active_) markNeedsLayout();
}

void NSLayoutConstraint::activate(const std::vector<Ptr>& constraints) {
    for (auto& c : constraints)
        if (c) c->setActive(true);
}

void NSLayoutConstraint::deactivate(const std::vector<Ptr>& constraints) {
    for (auto& c : constraints)
        if (c) c->setActive(false);
}

NSLayoutConstraint::Ptr NSLayoutAnchor::constraint(const NSLayoutAnchor& equalTo, CGFloat constant) const {
    return NSLayoutConstraint::make(item(), attr_, LayoutRelation::equal, equalTo.item(), equalTo.attr_, 1, constant);
}

NSLayoutConstraint::Ptr NSLayoutAnchor::constraintGreaterThanOrEqual(const NSLayoutAnchor& to, CGFloat constant) const {
    return NSLayoutConstraint::make(item(), attr_, LayoutRelation::greaterThanOrEqual, to.item(), to.attr_, 1, constant);
}

NSLayoutConstraint::Ptr NSLayoutAnchor::constraintLessThanOrEqual(const NSLayoutAnchor& to, CGFloat constant) const {
    return NSLayoutConstraint::make(item(), attr_, LayoutRelation::lessThanOrEqual, to.item(), to.attr_, 1, constant);
}

NSLayoutConstraint::Ptr NSLayoutAnchor::constraint(CGFloat equalToConstant) const {
    return NSLayoutConstraint::make(item(), attr_, LayoutRelation::equal, nullptr, LayoutAttribute::notAnAttribute, 1,
                                    equalToConstant);
}

NSLayoutConstraint::Ptr NSLayoutAnchor::constraint(const NSLayoutAnchor& equalTo, CGFloat multiplier, CGFloat constant) const {
    return NSLayoutConstraint::make(item(), attr_, LayoutRelation::equal, equalTo.item(), equalTo.attr_, multiplier, constant);
}

}  // namespace AppKit
