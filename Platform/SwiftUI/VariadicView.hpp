#pragma once
#include <string>
#include <utility>
#include <vector>

#include "SwiftUI/View.hpp"

namespace SwiftUI::VariadicView {

// One view of a content's list, with its identity: the explicit one (a ForEach element's, an
// .id()) or its position, prefixed by the identities of the containers it came out of.
struct Child {
    AnyView view;
    std::string id;
};
using Children = std::vector<Child>;

// The views `content` is made of, in order: groups, ForEach and conditional content are looked
// through, empty views left out; any other view is one child.
Children children(const AnyView& content);

// A view tree whose root receives the children of its content rather than the content as one
// view (a unary root): `Root` has `AnyView body(const Children&) const`. The root's body is
// built again whenever the tree is, so its children keep their identities (and state) as long
// as the content's views keep theirs. Like a group, the views the root makes take part in the
// layout of the tree's parent.
template <class Root>
class Tree : public ViewImpl, public View<Tree<Root>> {
public:
    Tree(Root root, AnyView content) : root_(std::move(root)), content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override { out.push_back({AnyView(root_.body(children(content_))), {}}); }
    bool isTransparent() const override { return true; }

private:
    Root root_;
    AnyView content_;
};

}  // namespace SwiftUI::VariadicView
