#pragma once
#include <functional>
#include <string>

#include "SwiftUI/Environment.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

// A key, by the character it produces (the platform's KeyEquivalent).
struct KeyEquivalent {
    std::string character;
    static KeyEquivalent escape() { return {"\x1b"}; }
    static KeyEquivalent returnKey() { return {"\r"}; }
    static KeyEquivalent deleteKey() { return {"\x7f"}; }
    static KeyEquivalent tab() { return {"\t"}; }
    static KeyEquivalent space() { return {" "}; }
    static KeyEquivalent upArrow() { return {"\xEF\x9C\x80"}; }
    static KeyEquivalent downArrow() { return {"\xEF\x9C\x81"}; }
    static KeyEquivalent leftArrow() { return {"\xEF\x9C\x82"}; }
    static KeyEquivalent rightArrow() { return {"\xEF\x9C\x83"}; }
    friend bool operator==(const KeyEquivalent&, const KeyEquivalent&) = default;
};

struct KeyPressPhases {
    std::uint8_t rawValue = 0;
    static constexpr KeyPressPhases down() { return {1}; }
    static constexpr KeyPressPhases repeat() { return {2}; }
    static constexpr KeyPressPhases up() { return {4}; }
    static constexpr KeyPressPhases all() { return {7}; }
    constexpr bool contains(KeyPressPhases p) const { return (rawValue & p.rawValue) == p.rawValue; }
    friend constexpr KeyPressPhases operator|(KeyPressPhases a, KeyPressPhases b) { return {std::uint8_t(a.rawValue | b.rawValue)}; }
};

enum class KeyPressResult { handled, ignored };

struct KeyPress {
    enum class Phase { down, repeat, up };
    KeyEquivalent key;
    std::string characters;
    EventModifiers modifiers;
    Phase phase = Phase::down;

    static KeyPress character(std::string c, Phase phase = Phase::down) { return {{c}, c, {}, phase}; }
    static KeyPress of(KeyEquivalent k, Phase phase = Phase::down, EventModifiers m = {}) {
        return {k, k.character, m, phase};
    }
    KeyPressPhases phaseSet() const {
        return phase == Phase::down ? KeyPressPhases::down() : phase == Phase::repeat ? KeyPressPhases::repeat() : KeyPressPhases::up();
    }
};

// A one-line editable text. Clicking it (or a focus binding) gives it the keyboard with all its
// text selected, so typing replaces it; the keys then edit as the platform's field editor does
// (AppKit::TextEditing: a caret and a selection moved by the arrows, Shift extending, Backspace
// and Delete; Command or Control with A, C, X, V and Z to select all, copy, cut, paste and undo
// what was typed since the focus came), each change written to the binding; Return runs the
// onSubmit actions around it. While it has the keyboard a click places the caret and a drag
// selects. The line never wraps: it is clipped to the field and scrolls to keep the caret in
// view. Key handlers around it (onKeyPress) see each key first.
class TextField : public ViewImpl, public View<TextField> {
public:
    TextField(std::string placeholder, Binding<std::string> text)
        : placeholder_(std::move(placeholder)), text_(std::move(text)) {}

    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    void collectGestures(ViewNode& node, std::vector<GestureAttachment>& out) const override;
    bool handleKeyPress(ViewNode& node, const KeyPress& key) const override;
    // The focus arrived: the whole text is selected.
    void beginEditing(ViewNode& node) const;

    const Binding<std::string>& text() const { return text_; }
    const std::string& placeholder() const { return placeholder_; }

private:
    std::string placeholder_;
    Binding<std::string> text_;
};

// `.focused($flag)`: keeps a Bool in step with whether the first text field inside has the
// keyboard focus.
class FocusedModifier : public ViewImpl, public View<FocusedModifier> {
public:
    FocusedModifier(AnyView content, Binding<bool> binding) : content_(std::move(content)), binding_(std::move(binding)) {}
    void makeChildren(ViewNode&, ChildList& out) const override { out.push_back({content_, {}}); }
    void didEvaluate(ViewNode& node, bool first) const override;
    std::string textContent() const override { return content_.impl()->textContent(); }
    const Binding<bool>& binding() const { return binding_; }
    ViewNode* fieldNode(ViewNode& self) const;

private:
    AnyView content_;
    Binding<bool> binding_;
};

}  // namespace SwiftUI
