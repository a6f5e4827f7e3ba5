#include "Orrindle/Menus/ODMenuItem.hpp"

#include "AppKit/NSApplication.hpp"

namespace Orrindle {

ODMenuItem ODMenuItem::separator() {
    ODMenuItem item;
    item.menuType = ODMenuType::separator();
    return item;
}

AppKit::NSMenuItem::Ptr ODMenuItem::asMenu() const {
    auto item = AppKit::NSMenuItem::make(title.value_or(""), action, shortcutKey.value_or(""));
    item->setKeyEquivalentModifierMask(modifiers);
    switch (menuType.kind()) {
    case ODMenuType::Kind::sectionHeader: return AppKit::NSMenuItem::sectionHeader(menuType.title());
    case ODMenuType::Kind::separator: return AppKit::NSMenuItem::separatorItem();
    case ODMenuType::Kind::documentTemplates:
    case ODMenuType::Kind::recentDocuments: {
        auto menu = AppKit::NSMenu::make();
        menu->setDelegate(menuType.delegate());
        item->setSubmenu(menu);
        break;
    }
    case ODMenuType::Kind::services: {
        // The application object always exists here (made on first use), so this cannot fail.
        auto& app = AppKit::NSApplication::shared();
        app.setServicesMenu(AppKit::NSMenu::make());
        item->setSubmenu(app.servicesMenu());
        break;
    }
    case ODMenuType::Kind::standard: break;
    }
    if (submenu) {
        auto menu = AppKit::NSMenu::make();
        for (const auto& child : *submenu) menu->addItem(child.asMenu());
        item->setSubmenu(menu);
    } else if (submenuEnum) {
        auto menu = AppKit::NSMenu::make();
        for (const auto& value : *submenuEnum) {
            if (!value) continue;
            auto child = AppKit::NSMenuItem::make(value->menuTitle(), submenuEmumSelector, "");
            child->setTag(value->menuTag());
            child->setImage(value->menuImage());
            menu->addItem(child);
        }
        item->setSubmenu(menu);
    }
    item->setTarget(target.lock());
    if (tag) item->setTag(*tag);
    if (representedObject.has_value()) item->setRepresentedObject(representedObject);
    return item;
}

AppKit::NSMenu::Ptr asMenu(const std::vector<ODMenuItem>& items) {
    auto menu = AppKit::NSMenu::make();
    menu->setAutoenablesItems(false);
    for (const auto& item : items) menu->addItem(item.asMenu());
    return menu;
}

}  // namespace Orrindle
