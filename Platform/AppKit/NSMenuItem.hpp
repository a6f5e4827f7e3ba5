#pragma once
#include <any>
#include <cstdint>
#include <memory>
#include <string>

#include "AppKit/NSEvent.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSMenu;
class NSImage;

enum class ControlStateValue : int { mixed = -1, off = 0, on = 1 };

// One entry of a menu: a title with an action sent to a target (or along the responder
// chain when the target is null), or a separator, or the owner of a submenu.
class NSMenuItem : public Runtime::NSObject {
    VZ_OBJECT(NSMenuItem, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSMenuItem>;

    static Ptr make(std::string title, Runtime::Selector action = {}, std::string keyEquivalent = {});
    static Ptr separatorItem();
    // A title that heads a section of the menu: shown, never chosen, no action.
    static Ptr sectionHeader(std::string title);

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    Runtime::Selector action() const { return action_; }
    void setAction(Runtime::Selector action) { action_ = action; }
    // Held weakly, as the platform does.
    std::shared_ptr<Runtime::NSObject> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Runtime::NSObject>& target) { target_ = target; }
    std::int64_t tag() const { return tag_; }
    void setTag(std::int64_t tag) { tag_ = tag; }
    // Any value the item carries for its owner.
    const std::any& representedObject() const { return representedObject_; }
    void setRepresentedObject(std::any object) { representedObject_ = std::move(object); }

    // The key (lower case; an upper-case letter implies Shift) and its modifiers
    // (Command by default, which the desktop's Ctrl key gives).
    const std::string& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(std::string key) { keyEquivalent_ = std::move(key); }
    ModifierFlags keyEquivalentModifierMask() const { return keyModifiers_; }
    void setKeyEquivalentModifierMask(ModifierFlags flags) { keyModifiers_ = flags; }
    bool matchesKeyEquivalent(const NSEvent& event) const;

    bool isSeparatorItem() const { return separator_; }
    bool isSectionHeader() const { return sectionHeader_; }
    // Shown instead of the item before it (same menu) while the item's modifiers are held.
    bool isAlternate() const { return alternate_; }
    void setAlternate(bool flag) { alternate_ = flag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    ControlStateValue state() const { return state_; }
    void setState(ControlStateValue state) { state_ = state; }
    std::shared_ptr<NSImage> image() const { return image_; }
    void setImage(std::shared_ptr<NSImage> image) { image_ = std::move(image); }
    // The marks shown for each state (null: the platform's check, none and dash).
    std::shared_ptr<NSImage> onStateImage() const { return onStateImage_; }
    void setOnStateImage(std::shared_ptr<NSImage> image) { onStateImage_ = std::move(image); }
    std::shared_ptr<NSImage> offStateImage() const { return offStateImage_; }
    void setOffStateImage(std::shared_ptr<NSImage> image) { offStateImage_ = std::move(image); }
    std::shared_ptr<NSImage> mixedStateImage() const { return mixedStateImage_; }
    void setMixedStateImage(std::shared_ptr<NSImage> image) { mixedStateImage_ = std::move(image); }
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string tip) { toolTip_ = std::move(tip); }

    std::shared_ptr<NSMenu> submenu() const { return submenu_; }
    void setSubmenu(const std::shared_ptr<NSMenu>& submenu);
    bool hasSubmenu() const { return submenu_ != nullptr; }
    std::shared_ptr<NSMenu> menu() const { return menu_.lock(); }

protected:
    NSMenuItem() = default;

private:
    friend class NSMenu;
    std::string title_;
    Runtime::Selector action_;
    std::weak_ptr<Runtime::NSObject> target_;
    std::int64_t tag_ = 0;
    std::any representedObject_;
    std::string keyEquivalent_;
    ModifierFlags keyModifiers_ = ModifierFlags::command();
    bool separator_ = false, sectionHeader_ = false, alternate_ = false, enabled_ = true, hidden_ = false;
    ControlStateValue state_ = ControlStateValue::off;
    std::shared_ptr<NSImage> image_, onStateImage_, offStateImage_, mixedStateImage_;
    std::string identifier_, toolTip_;
    std::shared_ptr<NSMenu> submenu_;
    std::weak_ptr<NSMenu> menu_;
};

}  // namespace AppKit
