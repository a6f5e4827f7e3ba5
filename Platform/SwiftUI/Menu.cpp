#include "SwiftUI/Menu.hpp"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "SwiftUI/Environment.hpp"
#include "AppKit/NSMenu.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/MenuBridge.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/Text.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace detail {
std::shared_ptr<const GestureImpl> pressGesture(std::function<void()> onRelease);
}

namespace {
std::mutex presenterMutex;

bool showsIndicator(const ViewNode& node) { return node.environment().menuIndicator != MenuIndicatorVisibility::hidden; }
Menu::Presenter& presenter() {
    static Menu::Presenter p;
    return p;
}
}  // namespace

std::vector<std::string> MenuModel::titles() const {
    std::vector<std::string> out;
    for (auto& i : items) out.push_back(i.kind == MenuItem::Kind::separator ? "-" : i.title);
    return out;
}

bool MenuModel::choose(std::size_t index) const {
    if (index >= items.size() || items[index].kind != MenuItem::Kind::button) return false;
    if (items[index].action) items[index].action();
    return true;
}

bool MenuModel::choose(const std::string& title) const {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == MenuItem::Kind::button && items[i].title == title) return choose(i);
    return false;
}

Menu::Menu(std::string title, ViewList content) : content_(std::move(content)), label_(Text(std::move(title))) {}

void Menu::setPresenter(Presenter p) {
    std::lock_guard lock(presenterMutex);
    presenter() = std::move(p);
}

MenuModel Menu::model() const {
    MenuModel m;
    for (auto& v : content_) v.impl()->collectMenuItems(m.items);
    return m;
}

void Menu::collectGestures(ViewNode& node, std::vector<GestureAttachment>& out) const {
    auto pins = node.pinPath();
    auto self = std::static_pointer_cast<const Menu>(shared_from_this());
    std::weak_ptr<ViewNode> weakNode = node.weak_from_this();
    out.push_back({detail::pressGesture([self, pins, weakNode] {
                       Presenter p;
                       {
                           std::lock_guard lock(presenterMutex);
                           p = presenter();
                       }
                       MenuModel m = self->model();
                       m.pins = pins;
                       if (p) {
                           if (auto chosen = p(m)) m.choose(*chosen);
                           return;
                       }
                       // Without a presenter of its own the menu opens as an AppKit pop-up,
                       // whose chooser (a test's, or the back end's) picks the item.
                       std::vector<std::shared_ptr<Runtime::NSObject>> targets;
                       auto menu = AppKit::NSMenu::make();
                       for (auto& item : m.items) menu->addItem(detail::makeMenuItem(item, targets));
                       // As large as the content it belongs to is drawn.
                       if (auto n = weakNode.lock()) menu->setScale(std::hypot(n->drawTransform().a, n->drawTransform().b));
                       menu->popUp(nullptr, {}, nullptr);
                   }),
                   0, GestureMask::all});
}

CGSize Menu::sizeThatFits(ViewNode& node, ProposedViewSize p) const {
    const CGFloat room = showsIndicator(node) ? indicatorWidth : 0;
    if (p.width) p.width = std::max<CGFloat>(0, *p.width - room);
    const CGSize label = ViewImpl::sizeThatFits(node, p);
    return {label.width + room, label.height};
}

void Menu::placeChildren(ViewNode& node, const CGRect& frame) const {
    const CGFloat room = showsIndicator(node) ? indicatorWidth : 0;
    ViewImpl::placeChildren(node, {frame.origin, {std::max<CGFloat>(0, frame.size.width - room), frame.size.height}});
}

void Menu::render(const ViewNode& node, RenderNode& r) const {
    r.kind = RenderNode::Kind::menu;
    auto m = std::make_shared<MenuModel>(model());
    m->pins = node.pinPath();
    r.menu = std::move(m);
    r.text = textContent();
    r.showsMenuIndicator = showsIndicator(node);
}

}  // namespace SwiftUI
