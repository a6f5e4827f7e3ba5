#include "SwiftUI/RenderTree.hpp"

#include <functional>

namespace SwiftUI {

namespace {
template <class F>
const RenderNode* findIn(const RenderNode& n, const F& pred) {
    if (pred(n)) return &n;
    for (auto& c : n.children)
        if (auto* r = findIn(c, pred)) return r;
    return nullptr;
}
template <class F>
void collect(const RenderNode& n, const F& pred, std::vector<const RenderNode*>& out) {
    if (pred(n)) out.push_back(&n);
    for (auto& c : n.children) collect(c, pred, out);
}
bool takesClicks(const RenderNode& n) {
    if (!n.hitTestable) return false;
    if (n.contentShape) return true;
    return n.kind != RenderNode::Kind::group;
}
const RenderNode* hit(const RenderNode& n, CGPoint p) {
    for (auto it = n.children.rbegin(); it != n.children.rend(); ++it)
        if (auto* r = hit(*it, p)) return r;
    if (takesClicks(n) && n.frame.contains(p)) return &n;
    return nullptr;
}
}  // namespace

const RenderNode* RenderNode::find(const std::function<bool(const RenderNode&)>& pred) const { return findIn(*this, pred); }

std::vector<const RenderNode*> RenderNode::findAll(const std::function<bool(const RenderNode&)>& pred) const {
    std::vector<const RenderNode*> out;
    collect(*this, pred, out);
    return out;
}

const RenderNode* RenderNode::findText(const std::string& t) const {
    return find([&](const RenderNode& n) { return n.kind == Kind::text && n.text == t; });
}
const RenderNode* RenderNode::findImage(const std::string& name) const {
    return find([&](const RenderNode& n) { return n.kind == Kind::image && n.imageName == name; });
}
const RenderNode* RenderNode::findIdentifier(const std::string& id) const {
    return find([&](const RenderNode& n) { return n.identifier == id; });
}
const RenderNode* RenderNode::findMenu() const {
    return find([](const RenderNode& n) { return n.kind == Kind::menu; });
}

std::vector<std::string> RenderNode::texts() const {
    std::vector<std::string> out;
    for (auto* n : findAll([](const RenderNode& n) { return n.kind == Kind::text; })) out.push_back(n->text);
    return out;
}

const RenderNode* RenderNode::hitTest(CGPoint point) const { return hit(*this, point); }

std::vector<const RenderNode*> RenderNode::items() const {
    return findAll([](const RenderNode& n) { return n.kind != Kind::group; });
}

namespace {
// Visits the drawn items in drawing order with the layer each is in.
void visitLayers(const RenderNode& n, int& layer, const std::function<void(const RenderNode&, int)>& f) {
    if (n.kind == RenderNode::Kind::hostedView) {
        ++layer;
        return;
    }
    if (n.kind != RenderNode::Kind::group) f(n, layer);
    for (auto& c : n.children) visitLayers(c, layer, f);
}
}  // namespace

bool RenderNode::hasItems(int layer) const {
    bool found = false;
    int at = 0;
    visitLayers(*this, at, [&](const RenderNode&, int l) { found = found || l == layer; });
    return found;
}

int RenderNode::layerOf(const RenderNode* item) const {
    int found = -1, at = 0;
    visitLayers(*this, at, [&](const RenderNode& n, int l) {
        if (&n == item) found = l;
    });
    return found;
}

}  // namespace SwiftUI
