#pragma once
#include <any>
#include <concepts>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSMenu.hpp"
#include "Orrindle/Protocols/Displayable.hpp"

namespace Orrindle {

// One entry of a SwiftUI pop-up's menu: a value of the caller's type with its title, or a
// divider; it may be disabled and may hold a submenu.
template <std::equality_comparable T>
struct PopupItem {
    std::optional<T> object;
    std::string title;
    AppKit::NSImage::Ptr image;
    bool isDivider = false;
    bool isEnabled = true;
    std::optional<std::vector<PopupItem>> subMenu;

    PopupItem(std::optional<T> object, std::string title, AppKit::NSImage::Ptr image = nullptr, bool isEnabled = true)
        : object(std::move(object)), title(std::move(title)), image(std::move(image)), isEnabled(isEnabled) {}
    explicit PopupItem(bool isDivider) : isDivider(isDivider) {}
    static PopupItem divider() { return PopupItem(true); }
    // The value as the item's object when it is a T (none otherwise), titled by displayTitle.
    template <DisplayableType D>
    static PopupItem displayable(const D& value, AppKit::NSImage::Ptr image = nullptr) {
        std::optional<T> object;
        if constexpr (std::convertible_to<const D&, T>) object = T(value);
        return PopupItem(std::move(object), value.displayTitle(), std::move(image));
    }

    // A separator for a divider; else an item with the action and target, the object boxed as
    // its represented object (none stays none), its enabled flag and image, and a submenu that
    // never enables items on its own when `subMenu` is set (empty or not).
    AppKit::NSMenuItem::Ptr asNSMenuItem(Runtime::Selector action, const std::shared_ptr<Runtime::NSObject>& target) const {
        if (isDivider) return AppKit::NSMenuItem::separatorItem();
        auto item = AppKit::NSMenuItem::make(title, action, "");
        item->setTarget(target);
        item->setRepresentedObject(object ? std::any(*object) : std::any());
        item->setEnabled(isEnabled);
        item->setImage(image);
        if (subMenu) {
            auto menu = AppKit::NSMenu::make();
            menu->setAutoenablesItems(false);
            for (const auto& child : *subMenu) menu->addItem(child.asNSMenuItem(action, target));
            item->setSubmenu(menu);
        }
        return item;
    }
};

}  // namespace Orrindle
