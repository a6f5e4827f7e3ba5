#pragma once
#include <functional>
#include <memory>
#include <string>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

struct ButtonStyleConfiguration {
    AnyView label;
    bool isPressed = false;
};

// How a button looks for its label and pressed state. The button itself decides when its
// action runs (mouse-up inside it).
class ButtonStyle {
public:
    using Configuration = ButtonStyleConfiguration;
    virtual ~ButtonStyle() = default;
    virtual AnyView makeBody(const Configuration& configuration) const = 0;
};

// The label alone (.buttonStyle(.plain)).
struct PlainButtonStyle : ButtonStyle {
    AnyView makeBody(const Configuration& configuration) const override;
};
// The default look: the label on a small rounded bezel that darkens while pressed.
struct BorderedButtonStyle : ButtonStyle {
    AnyView makeBody(const Configuration& configuration) const override;
};

// Runs its action when a click that began on it ends on it; pressed while the mouse is down
// inside. Disabled buttons take no clicks.
class Button : public ViewImpl, public View<Button> {
public:
    Button(std::function<void()> action, AnyView label) : action_(std::move(action)), label_(std::move(label)) {}
    Button(const char* titleKey, std::function<void()> action);
    Button(std::string title, std::function<void()> action);

    void makeChildren(ViewNode& node, ChildList& out) const override;
    void collectGestures(ViewNode& node, std::vector<GestureAttachment>& out) const override;
    void collectMenuItems(std::vector<MenuItem>& out) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    std::string textContent() const override { return label_.impl()->textContent(); }

    const std::function<void()>& action() const { return action_; }

private:
    std::function<void()> action_;
    AnyView label_;
};

}  // namespace SwiftUI
