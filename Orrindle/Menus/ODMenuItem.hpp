#pragma once
#include <any>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSMenu.hpp"
#include "Orrindle/Menus/ODMenuType.hpp"
#include "Orrindle/Protocols/MenuPresentable.hpp"

namespace Orrindle {

// One menu item described as a value, built into an NSMenuItem on demand (asMenu). The target
// is held weakly, as the item built from it will hold it.
struct ODMenuItem {
    std::optional<std::string> title;
    Runtime::Selector action;  // null: none
    std::weak_ptr<Runtime::NSObject> target;
    std::optional<std::string> shortcutKey;
    AppKit::ModifierFlags modifiers;
    ODMenuType menuType = ODMenuType::standard();
    std::optional<std::vector<ODMenuItem>> submenu;
    std::optional<std::vector<std::shared_ptr<const MenuPresentable>>> submenuEnum;
    Runtime::Selector submenuEmumSelector;  // the action of the items built from submenuEnum
    std::optional<std::int64_t> tag;
    std::any representedObject;  // empty: none

    // Every field none, no modifiers, of the separator kind.
    static ODMenuItem separator();

    // A new item: title (or ""), action, key (or "") and modifiers; a section header or a
    // separator of that kind as they are; delegate kinds get an empty submenu with the
    // delegate, the services kind the application's (new) services menu; a `submenu` array, else
    // a `submenuEnum` array, becomes the submenu; then the target, the tag and the represented
    // object where set.
    AppKit::NSMenuItem::Ptr asMenu() const;
};

// A menu of the items' asMenu, in order, that never enables items on its own.
AppKit::NSMenu::Ptr asMenu(const std::vector<ODMenuItem>& items);

}  // namespace Orrindle
