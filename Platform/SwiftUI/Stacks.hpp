#pragma once
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

// Shared by the stacks: lays children out along one axis with the platform's proposal
// rules (least flexible first, higher layout priority first, spacing between neighbours).
class StackLayout : public ViewImpl {
public:
    StackLayout(Axis axis, std::optional<CGFloat> spacing, ViewList content)
        : axis_(axis), spacing_(spacing.value_or(defaultSpacing)), content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

protected:
    virtual CGFloat crossOffset(CGFloat length, CGFloat available) const = 0;

private:
    std::vector<CGSize> childSizes(const std::vector<ViewNode*>& children, ProposedViewSize proposal) const;
    std::vector<ViewNode*> arranged(ViewNode& node) const;
    Axis axis_;
    CGFloat spacing_;
    ViewList content_;
};

class VStack : public StackLayout, public View<VStack> {
public:
    VStack(ViewList content) : VStack(HorizontalAlignment::center, std::nullopt, std::move(content)) {}
    VStack(HorizontalAlignment alignment, ViewList content) : VStack(alignment, std::nullopt, std::move(content)) {}
    VStack(HorizontalAlignment alignment, std::optional<CGFloat> spacing, ViewList content)
        : StackLayout(Axis::vertical, spacing, std::move(content)), alignment_(alignment) {}

protected:
    CGFloat crossOffset(CGFloat l, CGFloat a) const override { return alignedOffset(l, a, alignment_); }

private:
    HorizontalAlignment alignment_;
};

class HStack : public StackLayout, public View<HStack> {
public:
    HStack(ViewList content) : HStack(VerticalAlignment::center, std::nullopt, std::move(content)) {}
    HStack(VerticalAlignment alignment, ViewList content) : HStack(alignment, std::nullopt, std::move(content)) {}
    HStack(VerticalAlignment alignment, std::optional<CGFloat> spacing, ViewList content)
        : StackLayout(Axis::horizontal, spacing, std::move(content)), alignment_(alignment) {}

protected:
    CGFloat crossOffset(CGFloat l, CGFloat a) const override { return alignedOffset(l, a, alignment_); }

private:
    VerticalAlignment alignment_;
};

// Children overlaid, back to front, aligned; as large as the largest.
class ZStack : public ViewImpl, public View<ZStack> {
public:
    ZStack(ViewList content) : ZStack(Alignment::center(), std::move(content)) {}
    ZStack(Alignment alignment, ViewList content) : alignment_(alignment), content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    Alignment alignment_;
    ViewList content_;
};

// Flexible space along the axis of the stack it is in; at least `minLength` long.
class Spacer : public ViewImpl, public View<Spacer> {
public:
    explicit Spacer(std::optional<CGFloat> minLength = std::nullopt) : minLength_(minLength.value_or(defaultSpacerMinLength)) {}
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    bool isSpacer() const override { return true; }
    CGFloat minLength() const { return minLength_; }

private:
    CGFloat minLength_;
};

// A one-point line across the stack's axis (horizontal outside horizontal stacks).
class Divider : public ViewImpl, public View<Divider> {
public:
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    void collectMenuItems(std::vector<MenuItem>& out) const override;
};

// Children that take part in the parent's layout as if they were the parent's own.
class Group : public ViewImpl, public View<Group> {
public:
    Group(ViewList content);
    explicit Group(ChildList children) : children_(std::move(children)) {}
    void makeChildren(ViewNode&, ChildList& out) const override { out.insert(out.end(), children_.begin(), children_.end()); }
    bool isTransparent() const override { return true; }
    std::optional<AnyView> mapChildren(const std::function<AnyView(const AnyView&)>& f) const override;
    void collectMenuItems(std::vector<MenuItem>& out) const override;
    const ChildList& children() const { return children_; }

private:
    ChildList children_;
};

namespace detail {
inline std::string identityString(const std::string& s) { return "s" + s; }
inline std::string identityString(const char* s) { return "s" + std::string(s); }
template <class T>
std::string identityString(const T& v) {
    if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
        return "i" + std::to_string(static_cast<long long>(v));
    else
        return "h" + std::to_string(std::hash<T>{}(v));
}
}  // namespace detail

// One view per element, identified by the element's id, so state follows the element when
// the collection changes.
class ForEach : public ViewImpl, public View<ForEach> {
public:
    template <class Data, class IdOf, class Content>
        requires std::invocable<IdOf, const typename Data::value_type&>
    ForEach(const Data& data, IdOf idOf, Content content) {
        for (const auto& e : data) children_.push_back({AnyView(content(e)), detail::identityString(idOf(e))});
    }
    // Elements identified by themselves (numbers, strings) or by their `id` member.
    template <class Data, class Content>
    ForEach(const Data& data, Content content) {
        for (const auto& e : data) {
            if constexpr (requires { e.id; })
                children_.push_back({AnyView(content(e)), detail::identityString(e.id)});
            else
                children_.push_back({AnyView(content(e)), detail::identityString(e)});
        }
    }
    // The integers lower..<upper.
    template <class Content>
    static ForEach range(int lower, int upper, Content content) {
        std::vector<int> v;
        for (int i = lower; i < upper; ++i) v.push_back(i);
        return ForEach(v, std::move(content));
    }
    void makeChildren(ViewNode&, ChildList& out) const override { out.insert(out.end(), children_.begin(), children_.end()); }
    bool isTransparent() const override { return true; }
    std::optional<AnyView> mapChildren(const std::function<AnyView(const AnyView&)>& f) const override;
    void collectMenuItems(std::vector<MenuItem>& out) const override;
    const ChildList& children() const { return children_; }

private:
    ForEach() = default;
    ChildList children_;
};

// Conditional content. The two branches have their own identity, so switching branches
// replaces the view (and its state) even when both are of one type.
AnyView If(bool condition, const AnyView& then, const AnyView& otherwise = AnyView());
template <class F>
    requires std::invocable<F>
AnyView If(bool condition, F then) {
    return condition ? If(true, AnyView(then())) : If(false, AnyView());
}

}  // namespace SwiftUI
