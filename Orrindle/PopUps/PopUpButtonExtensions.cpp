#include "Orrindle/PopUps/PopUpButtonExtensions.hpp"

#include "AppKit/NSApplication.hpp"

namespace Orrindle {

namespace {

bool selectable(const AppKit::NSMenuItem::Ptr& item) { return item && item->isEnabled() && !item->isSeparatorItem(); }

void sendAction(AppKit::NSPopUpButton& popUp) {
    if (auto action = popUp.action()) AppKit::NSApplication::shared().sendAction(action, popUp.target().get(), &popUp);
}

// The first selectable index in [from, to) going up, or (to, from] going down.
int find(const std::vector<AppKit::NSMenuItem::Ptr>& items, int from, int to, int step) {
    for (int i = from; i != to; i += step)
        if (selectable(items[std::size_t(i)])) return i;
    return -1;
}

// The action methods: registered on the pop-up button class when the kit loads.
const bool registered = [] {
    Runtime::addMethod(AppKit::NSPopUpButton::staticClassInfo(), "selectNextItem:",
                       [](Runtime::NSObject& r, Runtime::NSObject*) { selectNextItem(static_cast<AppKit::NSPopUpButton&>(r)); });
    Runtime::addMethod(AppKit::NSPopUpButton::staticClassInfo(), "selectPreviousItem:",
                       [](Runtime::NSObject& r, Runtime::NSObject*) { selectPreviousItem(static_cast<AppKit::NSPopUpButton&>(r)); });
    return true;
}();

}  // namespace

void selectNextItem(AppKit::NSPopUpButton& popUp) {
    (void)registered;
    const auto items = popUp.itemArray();
    const int n = int(items.size());
    if (n > 0) {
        int next = find(items, popUp.indexOfSelectedItem() + 1, n, 1);
        if (next < 0) next = find(items, 0, n, 1);  // wrap to the first item a user can pick
        popUp.selectItem(next < 0 ? 0 : next);
    }
    sendAction(popUp);
}

void selectPreviousItem(AppKit::NSPopUpButton& popUp) {
    const auto items = popUp.itemArray();
    const int n = int(items.size());
    if (n > 0) {
        const int selected = popUp.indexOfSelectedItem();
        int previous = selected > 0 ? find(items, selected - 1, -1, -1) : -1;
        if (previous < 0) previous = find(items, n - 1, -1, -1);
        popUp.selectItem(previous < 0 ? n - 1 : previous);
    }
    sendAction(popUp);
}

}  // namespace Orrindle
