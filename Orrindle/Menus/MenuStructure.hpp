#pragma once
#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSMenu.hpp"
#include "Orrindle/Protocols/Displayable.hpp"
#include "Orrindle/Protocols/MenuPresentable.hpp"

namespace Orrindle {

// A menu described as a tree whose leaves are presentable values: items, titled submenus,
// inline section titles and separators. Built into NSMenuItems on demand; the builders exist
// for Element types that are MenuPresentable.
template <class Element>
class MenuStructure {
public:
    enum class Kind { item, submenu, inlineTitle, separator };

    static MenuStructure item(Element element) {
        MenuStructure s(Kind::item);
        s.element_ = std::make_shared<Element>(std::move(element));
        return s;
    }
    static MenuStructure submenu(std::string title, std::vector<MenuStructure> children) {
        MenuStructure s(Kind::submenu);
        s.title_ = std::move(title);
        s.children_ = std::move(children);
        return s;
    }
    static MenuStructure inlineTitle(std::string title) {
        MenuStructure s(Kind::inlineTitle);
        s.title_ = std::move(title);
        return s;
    }
    static MenuStructure separator() { return MenuStructure(Kind::separator); }

    Kind kind() const { return kind_; }
    const Element* element() const { return element_.get(); }
    const std::string& title() const { return title_; }
    const std::vector<MenuStructure>& children() const { return children_; }

    // The items of `structure`, with `target` and `action` (each falling back to the leaf's own
    // when null) passed down to every level:
    // - a leaf: its item (title, tag, represented object, image and state images), then an
    //   Option-key alternate when the value has both an alternate tag and an alternate title;
    // - a submenu: one item, with a submenu of its children's items unless it has none;
    // - an inline title: a section header; a separator: a separator tagged -1000.
    static std::vector<AppKit::NSMenuItem::Ptr> menuItems(const MenuStructure& structure,
                                                          const std::shared_ptr<Runtime::NSObject>& target,
                                                          Runtime::Selector action)
        requires std::derived_from<Element, MenuPresentable>;

    // A leaf's items; nothing for the other cases.
    std::vector<AppKit::NSMenuItem::Ptr> menuItems(const std::shared_ptr<Runtime::NSObject>& target,
                                                   Runtime::Selector action) const
        requires std::derived_from<Element, MenuPresentable>
    {
        if (kind_ != Kind::item) return {};
        return menuItems(*this, target, action);
    }

    // A submenu's menu: the submenu of the one item it builds (null without children); null for
    // the other cases.
    AppKit::NSMenu::Ptr menu(const std::shared_ptr<Runtime::NSObject>& target, Runtime::Selector action) const
        requires std::derived_from<Element, MenuPresentable>
    {
        if (kind_ != Kind::submenu) return nullptr;
        auto items = menuItems(*this, target, action);
        return items.empty() ? nullptr : items.front()->submenu();
    }

private:
    explicit MenuStructure(Kind kind) : kind_(kind) {}
    Kind kind_;
    std::shared_ptr<const Element> element_;
    std::string title_;
    std::vector<MenuStructure> children_;
};

template <class Element>
std::vector<AppKit::NSMenuItem::Ptr> MenuStructure<Element>::menuItems(const MenuStructure& structure,
                                                                       const std::shared_ptr<Runtime::NSObject>& target,
                                                                       Runtime::Selector action)
    requires std::derived_from<Element, MenuPresentable>
{
    switch (structure.kind_) {
    case Kind::item: {
        const MenuPresentable& e = *structure.element_;
        const Runtime::Selector sent = action.isNull() ? e.menuAction() : action;
        const auto receiver = target ? target : e.menuTarget();
        auto item = AppKit::NSMenuItem::make(e.menuTitle(), sent, "");
        item->setTag(e.menuTag());
        item->setRepresentedObject(e.menuRepresentedObject());
        item->setImage(e.menuImage());
        item->setOnStateImage(e.onStateImage());
        item->setOffStateImage(e.offStateImage());
        item->setMixedStateImage(e.mixedStateImage());
        item->setTarget(receiver);
        std::vector<AppKit::NSMenuItem::Ptr> items{item};
        const auto alternateTag = e.alternateTag();
        const auto alternateTitle = e.alternateTitle();
        if (alternateTag && alternateTitle) {
            auto alternate = AppKit::NSMenuItem::make(*alternateTitle, sent, "");
            alternate->setTag(*alternateTag);
            alternate->setRepresentedObject(e.alternateRepresentedObject());
            alternate->setTarget(receiver);
            alternate->setAlternate(true);
            alternate->setKeyEquivalentModifierMask(AppKit::ModifierFlags::option());
            items.push_back(alternate);
        }
        return items;
    }
    case Kind::submenu: {
        auto item = AppKit::NSMenuItem::make(structure.title_, {}, "");
        if (!structure.children_.empty()) {
            auto menu = AppKit::NSMenu::make(structure.title_);
            for (const auto& child : structure.children_)
                for (auto& built : menuItems(child, target, action)) menu->addItem(built);
            item->setSubmenu(menu);
        }
        return {item};
    }
    case Kind::inlineTitle: return {AppKit::NSMenuItem::sectionHeader(structure.title_)};
    case Kind::separator: {
        auto item = AppKit::NSMenuItem::separatorItem();
        item->setTag(-1000);
        return {item};
    }
    }
    return {};
}

// The menu structure of a presentable type: its own typeMenuStructure() when it declares one;
// else, for a type that lists its values (CaseIterable), a submenu titled menuTitleOf<T>() of
// one item per value in order; else a separator.
template <class T>
MenuStructure<T> menuStructureOf() {
    if constexpr (requires { { T::typeMenuStructure() } -> std::convertible_to<MenuStructure<T>>; }) {
        return T::typeMenuStructure();
    } else if constexpr (CaseIterable<T>) {
        std::vector<MenuStructure<T>> children;
        for (const auto& value : T::allCases()) children.push_back(MenuStructure<T>::item(value));
        return MenuStructure<T>::submenu(menuTitleOf<T>(), std::move(children));
    } else {
        return MenuStructure<T>::separator();
    }
}

}  // namespace Orrindle
