#include "SwiftUI/Button.hpp"

#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/Shapes.hpp"
#include "SwiftUI/Text.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {

struct PressState {
    bool pressed = false;
};

// Pressed while the pointer is down inside the control's drawn frame; on release inside,
// `onRelease` runs.
class PressRecognizer final : public GestureRecognizer {
public:
    PressRecognizer(std::weak_ptr<ViewNode> node, std::function<void()> onRelease) : node_(std::move(node)), onRelease_(std::move(onRelease)) {}
    void down(const PointerEvent& e) override {
        setState(State::active);
        setPressed(inside(e));
    }
    void moved(const PointerEvent& e) override { setPressed(inside(e)); }
    void up(const PointerEvent& e) override {
        const bool in = inside(e);
        setPressed(false);
        setState(State::ended);
        if (in && onRelease_) emit(onRelease_);
    }
    void cancel() override {
        setPressed(false);
        setState(State::failed);
    }

private:
    bool inside(const PointerEvent& e) const {
        auto n = node_.lock();
        return n && n->drawnFrame().contains(e.globalLocation);
    }
    void setPressed(bool p) {
        auto n = node_.lock();
        if (!n || !n->isMounted()) return;
        auto& s = n->storage<PressState>();
        if (s.pressed == p) return;
        s.pressed = p;
        n->setNeedsEvaluation();
    }
    std::weak_ptr<ViewNode> node_;
    std::function<void()> onRelease_;
};

class PressGesture final : public GestureImpl {
public:
    explicit PressGesture(std::function<void()> onRelease) : onRelease_(std::move(onRelease)) {}
    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override {
        return std::make_unique<PressRecognizer>(node, onRelease_);
    }

private:
    std::function<void()> onRelease_;
};

}  // namespace

namespace detail {
std::shared_ptr<const GestureImpl> pressGesture(std::function<void()> onRelease) {
    return std::make_shared<PressGesture>(std::move(onRelease));
}
bool isPressed(ViewNode& node) {
    auto* s = node.storageIf<PressState>();
    return s && s->pressed;
}
}  // namespace detail

AnyView PlainButtonStyle::makeBody(const Configuration& c) const { return c.label; }

AnyView BorderedButtonStyle::makeBody(const Configuration& c) const {
    Color bezel = c.isPressed ? Color(0.72, 0.72, 0.74) : Color(0.9, 0.9, 0.92);
    return c.label.foregroundColor(Color(0.1, 0.1, 0.1))
        .padding(EdgeInsets{3, 10, 3, 10})
        .background(AnyView(RoundedRectangle(5).fill(bezel)));
}

Button::Button(const char* titleKey, std::function<void()> action) : action_(std::move(action)), label_(Text(titleKey)) {}
Button::Button(std::string title, std::function<void()> action) : action_(std::move(action)), label_(Text(std::move(title))) {}

void Button::makeChildren(ViewNode& node, ChildList& out) const {
    static const auto automatic = std::make_shared<BorderedButtonStyle>();
    const ButtonStyle& style = node.environment().buttonStyle ? *node.environment().buttonStyle : *automatic;
    out.push_back({style.makeBody({label_, detail::isPressed(node)}), {}});
}

void Button::collectGestures(ViewNode&, std::vector<GestureAttachment>& out) const {
    out.push_back({detail::pressGesture(action_), 0, GestureMask::all});
}

void Button::collectMenuItems(std::vector<MenuItem>& out) const { out.push_back(MenuItem::button(textContent(), action_)); }

void Button::render(const ViewNode&, RenderNode& r) const { r.traits = r.traits | AccessibilityTraits::isButton(); }

}  // namespace SwiftUI
