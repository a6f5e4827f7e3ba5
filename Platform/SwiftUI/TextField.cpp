#include "SwiftUI/TextField.hpp"

#include <cmath>

#include "AppKit/TextEditing.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "SwiftUI/Modifiers.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewGraph.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

constexpr CGFloat fieldIdealWidth = 100;
constexpr CGFloat fieldPadding = 3;

// The field's editing state, kept in step with the binding: text set from outside puts the
// caret at its end.
AppKit::TextEditing& editing(ViewNode& node, const std::string& text) {
    auto& e = node.storage<AppKit::TextEditing>();
    if (e.text() != text) e.setText(text);
    return e;
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
    r.colorScheme = env.colorScheme;
    if (const auto* e = node.storageIf<AppKit::TextEditing>(); r.focused && e && e->text() == r.text) {
        r.selectionStart = e->selectionStart();
        r.selectionEnd = e->selectionEnd();
    } else {
        r.selectionStart = r.selectionEnd = r.text.size();
    }
}

void TextField::beginEditing(ViewNode& node) const {
    editing(node, text_.get()).selectAll();
    node.setNeedsEvaluation();
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
    auto& e = editing(node, text_.get());
    const bool shift = key.modifiers.contains(EventModifiers::shift());
    const bool command = key.modifiers.contains(EventModifiers::command()) || key.modifiers.contains(EventModifiers::control());
    const auto before = std::pair(e.anchor(), e.caret());
    if (!e.handleKey(key.characters, shift, command)) return false;
    if (e.text() != text_.get()) text_.set(e.text());
    else if (before != std::pair(e.anchor(), e.caret())) node.setNeedsEvaluation();
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
