#pragma once
#include <any>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSImage.hpp"
#include "Runtime/NSObject.hpp"
#include "Runtime/Selector.hpp"

namespace Orrindle {

// A value that says how it appears as a menu item (typically a case of an enumeration): the
// leaves of the kit's declarative menus. The optional parts default to none.
//
// The type-level requirements cannot share the instance members' names in C++: a presentable
// type declares `static std::string typeMenuTitle()` (its menu's title; "" when absent) and
// `static MenuStructure<T> typeMenuStructure()` (its menu; a separator when absent), read
// through menuTitleOf<T>() and the menus' own accessor.
class MenuPresentable {
public:
    virtual ~MenuPresentable() = default;

    virtual std::int64_t menuTag() const = 0;
    virtual std::string menuTitle() const = 0;
    // Empty for none.
    virtual std::any menuRepresentedObject() const = 0;
    virtual AppKit::NSImage::Ptr menuImage() const { return nullptr; }
    virtual AppKit::NSImage::Ptr onStateImage() const { return nullptr; }
    virtual AppKit::NSImage::Ptr offStateImage() const { return nullptr; }
    virtual AppKit::NSImage::Ptr mixedStateImage() const { return nullptr; }
    virtual std::optional<std::int64_t> alternateTag() const { return std::nullopt; }
    virtual std::optional<std::string> alternateTitle() const { return std::nullopt; }
    virtual std::any alternateRepresentedObject() const { return {}; }
    virtual std::shared_ptr<Runtime::NSObject> menuTarget() const { return nullptr; }
    // Null for none.
    virtual Runtime::Selector menuAction() const { return {}; }
};

// The type-level menu title of a presentable type, "" when it declares none.
template <class T>
std::string menuTitleOf() {
    if constexpr (requires { { T::typeMenuTitle() } -> std::convertible_to<std::string>; })
        return T::typeMenuTitle();
    else
        return {};
}

}  // namespace Orrindle
