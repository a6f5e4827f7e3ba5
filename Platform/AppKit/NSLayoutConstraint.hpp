#pragma once
#include <memory>
#include <vector>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

using CoreGraphics::CGFloat;
class NSView;

// Layout attributes. Vertical positions are measured downward from the top of the common
// superview, whether or not it is flipped, as the platform's constraints are.
enum class LayoutAttribute { notAnAttribute, left, right, top, bottom, leading, trailing, width, height, centerX, centerY };
enum class LayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

// firstItem.firstAttribute (relation) secondItem.secondAttribute * multiplier + constant.
// The layout pass resolves required equalities between a view and its superview or its
// siblings, and fixed sizes; see NSView::layout.
class NSLayoutConstraint : public Runtime::NSObject {
    VZ_OBJECT(NSLayoutConstraint, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSLayoutConstraint>;

    static Ptr make(const std::shared_ptr<NSView>& firstItem, LayoutAttribute firstAttribute, LayoutRelation relation,
                    const std::shared_ptr<NSView>& secondItem, LayoutAttribute secondAttribute,
                    CGFloat multiplier = 1, CGFloat constant = 0);

    // Activates the constraints in order: each is installed on the nearest common ancestor
    // of its items (the item itself for a fixed size), which then needs layout.
    static void activate(const std::vector<Ptr>& constraints);
    static void deactivate(const std::vector<Ptr>& constraints);

    // The items are held weakly, as the platform's constraints do not keep views alive.
    std::shared_ptr<NSView> firstItem() const { return first_.lock(); }
    std::shared_ptr<NSView> secondItem() const { return second_.lock(); }
    LayoutAttribute firstAttribute() const { return firstAttr_; }
    LayoutAttribute secondAttribute() const { return secondAttr_; }
    LayoutRelation relation() const { return relation_; }
    CGFloat multiplier() const { return multiplier_; }
    CGFloat constant() const { return constant_; }
    void setConstant(CGFloat c);
    float priority() const { return priority_; }
    void setPriority(float p) { priority_ = p; }

    bool isActive() const { return active_; }
    void setActive(bool active);

protected:
    NSLayoutConstraint() = default;

private:
    friend class NSView;
    std::shared_ptr<NSView> installTarget() const;
    void markNeedsLayout() const;

    std::weak_ptr<NSView> first_, second_;
    std::weak_ptr<NSView> installedOn_;
    LayoutAttribute firstAttr_ = LayoutAttribute::notAnAttribute, secondAttr_ = LayoutAttribute::notAnAttribute;
    LayoutRelation relation_ = LayoutRelation::equal;
    CGFloat multiplier_ = 1, constant_ = 0;
    float priority_ = 1000;
    bool active_ = false;
};

// One attribute of one view, the source of constraints (the platform's anchors).
class NSLayoutAnchor {
public:
    NSLayoutAnchor(std::weak_ptr<NSView> item, LayoutAttribute attribute) : item_(std::move(item)), attr_(attribute) {}

    NSLayoutConstraint::Ptr constraint(const NSLayoutAnchor& equalTo, CGFloat constant = 0) const;
    NSLayoutConstraint::Ptr constraintGreaterThanOrEqual(const NSLayoutAnchor& to, CGFloat constant = 0) const;
    NSLayoutConstraint::Ptr constraintLessThanOrEqual(const NSLayoutAnchor& to, CGFloat constant = 0) const;
    // Dimension anchors only: a fixed size, and a multiple of another dimension.
    NSLayoutConstraint::Ptr constraint(CGFloat equalToConstant) const;
    NSLayoutConstraint::Ptr constraint(const NSLayoutAnchor& equalTo, CGFloat multiplier, CGFloat constant) const;

    std::shared_ptr<NSView> item() const { return item_.lock(); }
    LayoutAttribute attribute() const { return attr_; }

private:
    std::weak_ptr<NSView> item_;
    LayoutAttribute attr_;
};

}  // namespace AppKit
