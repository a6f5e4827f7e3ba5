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
constexpr CGFloat fieldPadding = RenderNode::textFieldInset;

// The field's editing state, kept in step with the binding: text set from outside puts the
// caret at its end.
AppKit::TextEditing& editing(ViewNode& node, const std::string& text) {
    auto& e = node.storage<AppKit::TextEditing>();
    if (e.text() != text) e.setText(text);
    return e;
}

// The field's one line as it is drawn: the widths of its text in the field's font, the room
// inside the padding and the alignment.
struct FieldLine {
    AppKit::TextEditing::Measure widthOf;
    CGFloat room;
    double alignment;
};

FieldLine lineOf(const ViewNode& node, const std::string& text) {
    const auto& env = node.environment();
    const double alignment = env.multilineTextAlignment == TextAlignment::center     ? 0.5
                             : env.multilineTextAlignment == TextAlignment::trailing ? 1
                                                                                     : 0;
    auto widthOf = [&text, font = env.resolvedFont().resolved()](std::size_t bytes) {
        return CoreGraphics::TextLayout::size(CoreGraphics::AttributedText(text.substr(0, bytes), font, CoreGraphics::CGColor::black())).width;
    };
    return {widthOf, node.frame().width() - 2 * fieldPadding, alignment};
}

void scrollToCaret(ViewNode& node, AppKit::TextEditing& e) {
    const auto line = lineOf(node, e.text());
    e.scrollToCaret(line.widthOf, line.room, line.alignment);
    node.setNeedsEvaluation();
}

// A press in the field. The first gives it the keyboard with its text selected; once it has the
// keyboard a press places the caret (Shift extends the selection to it, a double click takes a
// word, a triple click all of it) and a drag selects.
class FieldPressGesture final : public GestureImpl {
public:
    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override {
        struct R final : GestureRecognizer {
            std::weak_ptr<ViewNode> node;
            std::shared_ptr<ViewNode> editedNode() const {
                auto n = node.lock();
                return n && n->isMounted() && n->graph().focusedField() == n.get() && n->viewAs<TextField>() ? n : nullptr;
            }
            void down(const PointerEvent& event) override {
                auto n = editedNode();
                if (!n) {
                    if (auto unfocused = node.lock(); unfocused && unfocused->isMounted()) unfocused->graph().focus(unfocused.get());
                    setState(State::ended);
                    return;
                }
                auto& e = editing(*n, n->viewAs<TextField>()->text().get());
                const auto line = lineOf(*n, e.text());
                e.click(event.location.x - fieldPadding, event.clickCount, event.modifiers.contains(EventModifiers::shift()),
                        line.widthOf, line.room, line.alignment);
                scrollToCaret(*n, e);
                setState(State::active);
            }
            void moved(const PointerEvent& event) override {
                auto n = editedNode();
                if (!n) return cancel();
                auto& e = editing(*n, n->viewAs<TextField>()->text().get());
                const auto line = lineOf(*n, e.text());
                e.drag(event.location.x - fieldPadding, line.widthOf, line.room, line.alignment);
                scrollToCaret(*n, e);
            }
            void up(const PointerEvent&) override { setState(State::ended); }
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
    const auto* e = node.storageIf<AppKit::TextEditing>();
    const bool edited = r.focused && e && e->text() == r.text;
    // Without the keyboard a line too long for the field shows its start.
    AppKit::TextEditing resting(r.text);
    resting.select(0, 0);
    const AppKit::TextEditing& shown = edited ? *e : resting;
    r.selectionStart = edited ? e->selectionStart() : r.text.size();
    r.selectionEnd = edited ? e->selectionEnd() : r.text.size();
    const auto line = lineOf(node, r.text);
    r.lineStart = shown.lineStart(line.widthOf, line.room, line.alignment);
    r.selectionFrom = r.lineStart + line.widthOf(r.selectionStart);
    r.selectionTo = r.lineStart + line.widthOf(r.selectionEnd);
}

void TextField::beginEditing(ViewNode& node) const {
    auto& e = editing(node, text_.get());
    e.selectAll();
    e.forgetUndo();
    scrollToCaret(node, e);
}

void TextField::collectGestures(ViewNode&, std::vector<GestureAttachment>& out) const {
    out.push_back({std::make_shared<FieldPressGesture>(), 1, GestureMask::all});
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
    if (!e.handleKey(key.characters, shift, command)) return false;
    scrollToCaret(node, e);
    if (e.text() != text_.get()) text_.set(e.text());
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
