#include "AppKit/NSMenuItem.hpp"

#include <cctype>

#include "AppKit/NSMenu.hpp"

namespace AppKit {

NSMenuItem::Ptr NSMenuItem::make(std::string title, Runtime::Selector action, std::string keyEquivalent) {
    auto item = Runtime::make<NSMenuItem>();
    item->title_ = std::move(title);
    item->action_ = action;
    item->keyEquivalent_ = std::move(keyEquivalent);
    return item;
}

NSMenuItem::Ptr NSMenuItem::separatorItem() {
    auto item = Runtime::make<NSMenuItem>();
    item->separator_ = true;
    item->enabled_ = false;
    return item;
}

NSMenuItem::Ptr NSMenuItem::sectionHeader(std::string title) {
    auto item = make(std::move(title));
    item->sectionHeader_ = true;
    item->enabled_ = false;
    return item;
}

void NSMenuItem::setSubmenu(const std::shared_ptr<NSMenu>& submenu) {
    if (submenu_) submenu_->supermenu_.reset();
    submenu_ = submenu;
    if (submenu_) submenu_->supermenu_ = menu_;
}

bool NSMenuItem::matchesKeyEquivalent(const NSEvent& event) const {
    if (keyEquivalent_.empty() || separator_) return false;
    std::string key = keyEquivalent_;
    ModifierFlags required = keyModifiers_;
    if (key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0]))) {
        required = required | ModifierFlags::shift();
        key[0] = char(std::tolower(static_cast<unsigned char>(key[0])));
    }
    std::string pressed = event.charactersIgnoringModifiers();
    for (auto& c : pressed) c = char(std::tolower(static_cast<unsigned char>(c)));
    const ModifierFlags relevant = ModifierFlags::shift() | ModifierFlags::control() | ModifierFlags::option() |
                                   ModifierFlags::command();
    ModifierFlags held = event.flags() & relevant;
    // Ctrl is the desktop's command key: it stands for Command where the item asks for that alone.
    if (required.contains(ModifierFlags::command()) && !required.contains(ModifierFlags::control()) &&
        held.contains(ModifierFlags::control()) && !held.contains(ModifierFlags::command()))
        held = {(held.rawValue & ~ModifierFlags::control().rawValue) | ModifierFlags::command().rawValue};
    return pressed == key && held == (required & relevant);
}

}  // namespace AppKit
