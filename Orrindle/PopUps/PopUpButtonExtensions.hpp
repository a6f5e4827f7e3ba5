#pragma once
#include <any>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "AppKit/NSPopUpButton.hpp"
#include "Combine/Combine.hpp"
#include "Orrindle/Menus/MenuStructure.hpp"
#include "Orrindle/Protocols/DisplayNameLocalizable.hpp"
#include "Orrindle/Publishers/ControlPublishers.hpp"

namespace Orrindle {

// A value with a raw value it can be made from again: `using RawValue = ...`,
// `RawValue rawValue() const` and `static std::optional<T> fromRawValue(RawValue)`.
template <class T>
concept RawRepresentable = requires(const T& t, typename T::RawValue raw) {
    { t.rawValue() } -> std::convertible_to<typename T::RawValue>;
    { T::fromRawValue(raw) } -> std::same_as<std::optional<T>>;
} && std::equality_comparable<typename T::RawValue>;

// A dynamic value read as `Raw`, bridging numbers as the platform does: a number reads as an
// integer type only when it holds exactly such a value.
template <class Raw>
std::optional<Raw> readAs(const std::any& object) {
    if (const Raw* exact = std::any_cast<Raw>(&object)) return *exact;
    if constexpr (std::is_arithmetic_v<Raw> && !std::is_same_v<Raw, bool>) {
        auto fits = [](auto v) -> std::optional<Raw> {
            using V = decltype(v);
            if constexpr (std::is_floating_point_v<Raw>) {
                return static_cast<Raw>(v);
            } else if constexpr (std::is_floating_point_v<V>) {
                if (!std::isfinite(v) || v != std::trunc(v)) return std::nullopt;
                if (v < double(std::numeric_limits<Raw>::min()) || v > double(std::numeric_limits<Raw>::max())) return std::nullopt;
                return static_cast<Raw>(v);
            } else {
                if (!std::in_range<Raw>(v)) return std::nullopt;
                return static_cast<Raw>(v);
            }
        };
        if (auto* v = std::any_cast<std::int64_t>(&object)) return fits(*v);
        if (auto* v = std::any_cast<std::uint64_t>(&object)) return fits(*v);
        if (auto* v = std::any_cast<int>(&object)) return fits(*v);
        if (auto* v = std::any_cast<unsigned>(&object)) return fits(*v);
        if (auto* v = std::any_cast<double>(&object)) return fits(*v);
    }
    return std::nullopt;
}

// --- Stepping the selection -------------------------------------------------------------------
// Both are also action methods of every pop-up button ("selectNextItem:",
// "selectPreviousItem:"). After selecting, the button's action (if any) is sent through the
// application to its target with the button as sender.

// The first enabled, non-separator item after the selected one (from the top when nothing is
// selected). Past the end it wraps to the first such item from the top, and only when the
// menu has none at all to the first item itself. Nothing is selected in an empty menu.
void selectNextItem(AppKit::NSPopUpButton& popUp);
// The nearest such item before the selected one; past the start (or with nothing selected)
// the last such item, or the last item itself when there is none.
void selectPreviousItem(AppKit::NSPopUpButton& popUp);

// --- Menu values ------------------------------------------------------------------------------

// Selects the first item whose represented object, read as T's raw value type, equals the
// value's raw value; leaves the selection alone when none does.
template <RawRepresentable T>
void selectItemMatchingRawRepresentableValue(AppKit::NSPopUpButton& popUp, const T& value) {
    if (!popUp.menu()) return;
    const auto items = popUp.itemArray();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto raw = readAs<typename T::RawValue>(items[i]->representedObject());
        if (raw && *raw == value.rawValue()) {
            popUp.selectItem(int(i));
            return;
        }
    }
}

// Fills the button with the menu of T's menu structure (no target, no action) and selects
// the value's item. When no item matches, the new menu's own selection stays.
template <class T>
    requires RawRepresentable<T> && std::derived_from<T, MenuPresentable>
void configureWithMenuPresentableValue(AppKit::NSPopUpButton& popUp, const T& value) {
    popUp.removeAllItems();
    auto menu = menuStructureOf<T>().menu(nullptr, {});
    popUp.setMenu(menu ? menu : AppKit::NSMenu::make());
    selectItemMatchingRawRepresentableValue(popUp, value);
}

template <RawRepresentable T>
std::optional<T> selectedRawRepresentableValue(const AppKit::NSPopUpButton& popUp) {
    auto item = popUp.selectedItem();
    if (!item) return std::nullopt;
    auto raw = readAs<typename T::RawValue>(item->representedObject());
    if (!raw) return std::nullopt;
    return T::fromRawValue(*raw);
}
template <RawRepresentable T>
T selectedRawRepresentableValue(const AppKit::NSPopUpButton& popUp, const T& replacingNilWithDefault) {
    return selectedRawRepresentableValue<T>(popUp).value_or(replacingNilWithDefault);
}

// Keeps the button and a published value in step through item tags: fills the button for
// `value`; each value the publisher sends selects the item with its tag; each item the user
// picks becomes a T (items whose tag makes none are skipped) for `onValueChanged`. The
// button is held weakly: once it is gone, values are ignored. Both subscriptions go into
// `cancellables`. Integer raw values only.
template <class T, Combine::Publisher P>
    requires RawRepresentable<T> && std::derived_from<T, MenuPresentable> && std::derived_from<T, DisplayNameLocalizable> &&
             std::integral<typename T::RawValue> && std::same_as<typename P::Output, T>
void bindMenu(const std::shared_ptr<AppKit::NSPopUpButton>& popUp, const T& value, const P& publisher,
              Combine::Cancellables& cancellables, std::function<void(const std::type_identity_t<T>&)> onValueChanged) {
    configureWithMenuPresentableValue(*popUp, value);
    std::weak_ptr<AppKit::NSPopUpButton> weak = popUp;
    publisher
        .sink([weak](const T& v) {
            if (auto button = weak.lock()) button->selectItemWithTag(static_cast<std::int64_t>(v.rawValue()));
        })
        .store(cancellables);
    controlEventPublisher(*popUp)
        .sink([onValueChanged = std::move(onValueChanged)](const std::shared_ptr<AppKit::NSPopUpButton>& button) {
            auto item = button->selectedItem();
            if (!item) return;
            auto raw = readAs<typename T::RawValue>(std::any(item->tag()));
            if (!raw) return;
            if (auto v = T::fromRawValue(*raw); v && onValueChanged) onValueChanged(*v);
        })
        .store(cancellables);
}

}  // namespace Orrindle
