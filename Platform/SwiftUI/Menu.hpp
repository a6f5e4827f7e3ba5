#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

struct MenuItem {
    enum class Kind { button, separator };
    Kind kind = Kind::button;
    std::string title;
    std::function<void()> action;

    static MenuItem button(std::string title, std::function<void()> action) { return {Kind::button, std::move(title), std::move(action)}; }
    static MenuItem separator() { return {Kind::separator, {}, {}}; }
};

// An open menu: its items in order. Choosing runs the item's action.
struct MenuModel {
    std::vector<MenuItem> items;
    std::vector<std::shared_ptr<const ViewImpl>> pins;  // keeps the closures' views alive

    std::vector<std::string> titles() const;  // separators as "-"
    bool choose(const std::string& title) const;
    bool choose(std::size_t index) const;
};

// A menu: drawn as its label, with the menu indicator (a chevron) after it unless the
// indicator is hidden; a click opens it. Opening asks the presenter (the AppKit pop-up, or a
// test's chooser) which item to choose; without a presenter nothing is chosen.
class Menu : public ViewImpl, public View<Menu> {
public:
    // The room the indicator takes at the trailing end, the chevron in its middle.
    static constexpr CGFloat indicatorWidth = 16;

    Menu(ViewList content, AnyView label) : content_(std::move(content)), label_(std::move(label)) {}
    Menu(std::string title, ViewList content);

    using Presenter = std::function<std::optional<std::size_t>(const MenuModel&)>;
    static void setPresenter(Presenter presenter);

    MenuModel model() const;

    void makeChildren(ViewNode&, ChildList& out) const override { out.push_back({label_, {}}); }
    // The label, and the indicator's room beside it.
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;
    void collectGestures(ViewNode& node, std::vector<GestureAttachment>& out) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    std::string textContent() const override { return label_.impl()->textContent(); }

private:
    ViewList content_;
    AnyView label_;
};

}  // namespace SwiftUI
