#include "SwiftUI/TextField.hpp"

#include <cmath>

#include "CoreGraphics/TextLayout.hpp"
#include "SwiftUI/Modifiers.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewGraph.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

constexpr CGFloat fieldIdealWidth = 100;
constexpr CGFloat fieldPadding = 3;

bool isControl(const std::string& s) {
    return s.empty() || (s.size() == 1 && (static_cast<unsigned char>(s[0]) < 0x20 || s[0] == 0x7f)) ||
           (s.size() == 3 && static_cast<unsigned char>(s[0]) == 0xEF && static_cast<unsigned char>(s[1]) == 0x9C);
}

void dropLastCharacter(std::string& s) {
    if (s.empty()) return;
    std::size_t i = s.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    s.erase(i);
}

class FocusGesture final : public GestureImpl {
public:
    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override {
        struct R final : GestureRecognizer {
            std::weak_ptr<ViewNode> node;
            void down(const PointerEvent&) override {
                if (auto n = node.lock(); n && n->isMounted()) n->graph().focus(n.get());
                setState(State::ended);
            }
        };
        auto r = std::make_unique<R>();
        r->node = node;
        return r;
    }
};

class OnSubmitModifier final : public ModifierView {
public:
    OnSubmitModifier(AnyView content, std::function<void()> action) : ModifierView(std::move(content)), action_(std::move(action)) {}
    void submit(ViewNode&) const override {
        if (action_) action_();
    }

private:
    std::function<void()> action_;
};

class OnKeyPressModifier final : public ModifierView {
public:
    OnKeyPressModifier(AnyView content, KeyPressPhases phases, std::optional<KeyEquivalent> key,
                       std::function<KeyPressResult(const KeyPress&)> action)
        : ModifierView(std::move(content)), phases_(phases), key_(std::move(key)), action_(std::move(action)) {}
    bool handleKeyPress(ViewNode&, const KeyPress& k) const override {
        if (!phases_.contains(k.phaseSet())) return false;
        if (key_ && !(k.key == *key_)) return false;
        return action_ && action_(k) == KeyPressResult::handled;
    }

private:
    KeyPressPhases phases_;
    std::optional<KeyEquivalent> key_;
    std::function<KeyPressResult(const KeyPress&)> action_;
};

}  // namespace

CGSize TextField::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    auto metrics = CoreGraphics::TextLayout::metrics(node.environment().resolvedFont().resolved());
    CGFloat h = std::ceil(metrics.lineHeight) + 2 * fieldPadding;
    return {p.width.value_or(fieldIdealWidth), h};
}

void TextField::render(const ViewNode& node, RenderNode& r) const {
    const auto& env = node.environment();
    r.kind = RenderNode::Kind::textField;
    r.text = text_.get();
    r.placeholder = placeholder_;
    r.font = env.resolvedFont();
    r.color = env.resolvedForeground();
    r.alignment = env.multilineTextAlignment;
    r.textFieldStyle = env.textFieldStyle;
    r.focused = node.graph().focusedField() == &node;
}

void TextField::collectGestures(ViewNode&, std::vector<GestureAttachment>& out) const {
    out.push_back({std::make_shared<FocusGesture>(), 1, GestureMask::all});
}

bool TextField::handleKeyPress(ViewNode& node, const KeyPress& key) const {
    if (node.graph().focusedField() != &node || !node.isEnabled()) return false;
    if (key.phase == KeyPress::Phase::up) return false;
    if (key.key == KeyEquivalent::returnKey()) {
        for (ViewNode* n = &node; n; n = n->parent())
            if (n->view()) n->view()->submit(*n);
        return true;
    }
    if (key.key == KeyEquivalent::deleteKey()) {
        std::string s = text_.get();
        dropLastCharacter(s);
        text_.set(s);
        return true;
    }
    if (isControl(key.characters)) return false;
    text_.set(text_.get() + key.characters);
    return true;
}

void FocusedModifier::didEvaluate(ViewNode& node, bool) const { node.graph().registerFocusBinding(node); }

ViewNode* FocusedModifier::fieldNode(ViewNode& self) const {
    std::vector<ViewNode*> stack{&self};
    while (!stack.empty()) {
        ViewNode* n = stack.back();
        stack.pop_back();
        if (n->viewAs<TextField>()) return n;
        for (auto it = n->children().rbegin(); it != n->children().rend(); ++it) stack.push_back(it->get());
    }
    return nullptr;
}

namespace modifiers {
AnyView focused(const AnyView& c, const Binding<bool>& b) { return AnyView(std::make_shared<FocusedModifier>(c, b)); }
AnyView onSubmit(const AnyView& c, std::function<void()> a) { return AnyView(std::make_shared<OnSubmitModifier>(c, std::move(a))); }
AnyView onKeyPress(const AnyView& c, const KeyPressPhases& phases, std::function<KeyPressResult(const KeyPress&)> a) {
    return AnyView(std::make_shared<OnKeyPressModifier>(c, phases, std::nullopt, std::move(a)));
}
AnyView onKeyPress(const AnyView& c, const KeyEquivalent& key, std::function<KeyPressResult()> a) {
    return AnyView(std::make_shared<OnKeyPressModifier>(c, KeyPressPhases::down() | KeyPressPhases::repeat(), key,
                                                        [a = std::move(a)](const KeyPress&) { return a(); }));
}
}  // namespace modifiers

}  // namespace SwiftUI
