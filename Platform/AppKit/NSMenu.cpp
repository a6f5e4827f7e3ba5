#include "AppKit/NSMenu.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSMenuDelegate.hpp"
#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "Runtime/MainActor.hpp"

namespace AppKit {

namespace {
NSMenu::Chooser& installedChooser() {
    static NSMenu::Chooser chooser;
    return chooser;
}
int opened = 0;
NSMenu::PopUpCall lastCall;

// Where a menu opens without a chooser: in the view's window at the point, or where the event
// being handled happened (a control that knows no view of its own); in the look of the view it
// opens from, or of the one under the event (a dark editor's menus are dark whatever its
// window's look).
struct Place {
    std::shared_ptr<NSWindow> window;
    CoreGraphics::CGPoint location;
    std::shared_ptr<NSAppearance> appearance;
    CoreGraphics::CGFloat scale = 1;  // of the view in its window
};
CoreGraphics::CGFloat scaleInWindow(const NSView& view) {
    const auto origin = view.convertTo(CoreGraphics::CGPoint{0, 0}, nullptr), unit = view.convertTo(CoreGraphics::CGPoint{1, 0}, nullptr);
    return std::hypot(unit.x - origin.x, unit.y - origin.y);
}
Place placeIn(CoreGraphics::CGPoint location, const NSView* view) {
    if (view) {
        auto window = view->window();
        if (window && window->isVisible())
            return {window, view->convertTo(location, nullptr), view->effectiveAppearance(), scaleInWindow(*view)};
        return {};
    }
    auto event = NSApplication::shared().currentEvent();
    auto window = event ? event->window() : nullptr;
    if (!window || !window->isVisible()) return {};
    if (auto under = window->hitTest(event->locationInWindow()))
        return {window, event->locationInWindow(), under->effectiveAppearance(), scaleInWindow(*under)};
    return {window, event->locationInWindow(), window->effectiveAppearance()};
}

NSMenuItem::Ptr findByTitle(const NSMenu& menu, const std::string& title) {
    for (auto& item : menu.items()) {
        if (!item->isSeparatorItem() && item->title() == title) return item;
        if (auto sub = item->submenu())
            if (auto found = findByTitle(*sub, title)) return found;
    }
    return nullptr;
}
}  // namespace

NSMenu::Ptr NSMenu::make(std::string title) {
    auto menu = Runtime::make<NSMenu>();
    menu->title_ = std::move(title);
    return menu;
}

void NSMenu::setItems(const std::vector<NSMenuItem::Ptr>& items) {
    removeAllItems();
    for (auto& item : items) addItem(item);
}

void NSMenu::addItem(const NSMenuItem::Ptr& item) { insertItem(item, numberOfItems()); }

NSMenuItem::Ptr NSMenu::addItem(std::string title, Runtime::Selector action, std::string keyEquivalent) {
    auto item = NSMenuItem::make(std::move(title), action, std::move(keyEquivalent));
    addItem(item);
    return item;
}

void NSMenu::insertItem(const NSMenuItem::Ptr& item, int index) {
    if (!item) return;
    // An item belongs to one menu at a time.
    if (auto old = item->menu()) old->removeItem(item);
    index = std::clamp(index, 0, numberOfItems());
    items_.insert(items_.begin() + index, item);
    auto self = sharedAs<NSMenu>();
    item->menu_ = self;
    if (auto sub = item->submenu()) sub->supermenu_ = self;
}

void NSMenu::removeItem(const NSMenuItem::Ptr& item) { removeItem(indexOfItem(item)); }

void NSMenu::removeItem(int index) {
    if (index < 0 || index >= numberOfItems()) return;
    items_[std::size_t(index)]->menu_.reset();
    items_.erase(items_.begin() + index);
}

void NSMenu::removeAllItems() {
    for (auto& item : items_) item->menu_.reset();
    items_.clear();
}

NSMenuItem::Ptr NSMenu::item(int index) const {
    return index >= 0 && index < numberOfItems() ? items_[std::size_t(index)] : nullptr;
}

NSMenuItem::Ptr NSMenu::itemWithTitle(const std::string& title) const { return item(indexOfItemWithTitle(title)); }
NSMenuItem::Ptr NSMenu::itemWithTag(std::int64_t tag) const { return item(indexOfItemWithTag(tag)); }

int NSMenu::indexOfItem(const NSMenuItem::Ptr& item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

int NSMenu::indexOfItemWithTitle(const std::string& title) const {
    for (int i = 0; i < numberOfItems(); ++i)
        if (items_[std::size_t(i)]->title() == title) return i;
    return -1;
}

int NSMenu::indexOfItemWithTag(std::int64_t tag) const {
    for (int i = 0; i < numberOfItems(); ++i)
        if (items_[std::size_t(i)]->tag() == tag) return i;
    return -1;
}

void NSMenu::update() {
    if (auto d = dynamic_cast<NSMenuDelegate*>(delegate().get())) d->menuNeedsUpdate(*this);
    if (!autoenables_) return;
    auto& app = NSApplication::shared();
    for (auto& item : items_) {
        if (item->isSeparatorItem() || item->isSectionHeader()) continue;
        if (item->hasSubmenu()) {
            item->setEnabled(true);
            continue;
        }
        auto target = item->target();
        item->setEnabled(!item->action().isNull() && app.targetForAction(item->action(), target.get(), item.get()));
    }
}

void NSMenu::performActionForItem(int index) {
    auto it = item(index);
    if (!it || it->isSeparatorItem() || !it->isEnabled() || it->action().isNull()) return;
    auto target = it->target();
    NSApplication::shared().sendAction(it->action(), target.get(), it.get());
}

bool NSMenu::performKeyEquivalent(const NSEvent& event) {
    update();
    for (int i = 0; i < numberOfItems(); ++i) {
        auto& it = items_[std::size_t(i)];
        if (it->isHidden()) continue;
        if (auto sub = it->submenu()) {
            if (sub->performKeyEquivalent(event)) return true;
        } else if (it->isEnabled() && it->matchesKeyEquivalent(event)) {
            performActionForItem(i);
            return true;
        }
    }
    return false;
}

bool NSMenu::popUp(const NSMenuItem::Ptr& positioning, CoreGraphics::CGPoint location, const NSView* inView) {
    auto chosen = popUpChoosing(positioning, location, inView);
    if (!chosen) return false;
    auto owner = chosen->menu();
    owner->performActionForItem(owner->indexOfItem(chosen));
    return true;
}

NSMenuItem::Ptr NSMenu::popUpChoosing(const NSMenuItem::Ptr& positioning, CoreGraphics::CGPoint location,
                                      const NSView* inView) {
    Runtime::assertMainActor();
    auto self = sharedAs<NSMenu>();
    lastCall = {self, positioning, location, inView};
    update();
    ++opened;
    auto d = dynamic_cast<NSMenuDelegate*>(delegate().get());
    if (d) d->menuWillOpen(*this);
    NSMenuItem::Ptr chosen;
    if (auto& chooser = installedChooser()) {
        chosen = chooser(*this);
    } else if (auto place = placeIn(location, inView); place.window) {
        chosen = MenuPresentation::track(*this, *place.window, place.location, positioning, place.appearance, place.scale * scale_);
    }
    highlighted_ = chosen;
    if (d) d->menuDidClose(*this);
    if (!chosen || chosen->isSeparatorItem() || chosen->isSectionHeader()) return nullptr;
    auto owner = chosen->menu();
    if (!owner) return nullptr;
    if (owner != self) owner->update();
    owner->highlighted_ = chosen;
    if (!chosen->isEnabled()) return nullptr;
    return chosen;
}

void NSMenu::popUpContextMenu(const Ptr& menu, const NSEvent& event, const NSView* forView) {
    if (menu) menu->popUp(nullptr, event.locationInWindow(), forView);
}

void NSMenu::setChooser(Chooser chooser) { installedChooser() = std::move(chooser); }

NSMenu::Chooser NSMenu::choosing(std::string title) {
    return [title = std::move(title)](NSMenu& menu) { return findByTitle(menu, title); };
}

NSMenu::Chooser NSMenu::choosingIndex(int index) {
    return [index](NSMenu& menu) { return menu.item(index); };
}

int NSMenu::openCount() { return opened; }
const NSMenu::PopUpCall& NSMenu::lastPopUp() { return lastCall; }

}  // namespace AppKit
