#pragma once
#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Orrindle/Extensions/MenuFlattening.hpp"
#include "Orrindle/PopUps/StyledPopUpButton.hpp"
#include "Orrindle/SwiftUI/PopupItem.hpp"
#include "SwiftUI/NSViewRepresentable.hpp"
#include "SwiftUI/State.hpp"

namespace Orrindle {

// The receiver of a wrapped pop-up's choices: writes the chosen item's value into the binding.
// Made only with a binding (there is no plain creation).
template <std::equality_comparable T>
class StyledPopUpButtonCoordinator : public Runtime::NSObject {
    VZ_OBJECT(StyledPopUpButtonCoordinator, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("menuItemSelected:", &StyledPopUpButtonCoordinator::menuItemSelected)};
    }

    SwiftUI::Binding<T> selection;

    // An item carrying a T sets the binding; any other item changes nothing.
    void menuItemSelected(Runtime::NSObject* sender) {
        auto* item = dynamic_cast<AppKit::NSMenuItem*>(sender);
        if (!item) return;
        if (const T* value = std::any_cast<T>(&item->representedObject())) selection.set(*value);
    }

protected:
    explicit StyledPopUpButtonCoordinator(SwiftUI::Binding<T> binding) : selection(std::move(binding)) {}
};

// The kit's pop-up button in a SwiftUI tree: a menu from `items`, the item whose value equals
// the binding shown, the picked item's value written back. The menu is rebuilt at every update;
// `fixedWidth` is applied only when the button is made.
template <std::equality_comparable T>
struct StyledPopUpButtonWrapper
    : SwiftUI::NSViewRepresentable<StyledPopUpButtonWrapper<T>, StyledPopUpButton, std::shared_ptr<StyledPopUpButtonCoordinator<T>>> {
    using Coordinator = StyledPopUpButtonCoordinator<T>;
    using Context = SwiftUI::RepresentableContext<std::shared_ptr<Coordinator>>;

    std::vector<PopupItem<T>> items;
    SwiftUI::Binding<T> selection;
    std::optional<std::string> label;
    std::optional<CGFloat> fixedWidth;

    StyledPopUpButtonWrapper(std::vector<PopupItem<T>> items, SwiftUI::Binding<T> selection,
                             std::optional<std::string> label = std::nullopt, std::optional<CGFloat> fixedWidth = std::nullopt)
        : items(std::move(items)), selection(std::move(selection)), label(std::move(label)), fixedWidth(fixedWidth) {}

    std::shared_ptr<Coordinator> makeCoordinator() const { return Runtime::make<Coordinator>(selection); }

    std::shared_ptr<StyledPopUpButton> makeNSView(Context& context) const {
        auto button = Runtime::make<StyledPopUpButton>(CGRect{}, false, fixedWidth);
        button->setLabel(label);
        button->setAutoenablesItems(false);
        fill(*button, context.coordinator);
        return button;
    }

    void updateNSView(StyledPopUpButton& button, Context& context) const {
        button.removeAllItems();
        fill(button, context.coordinator);
        button.setLabel(label);
        context.coordinator->selection = selection;
    }

private:
    void fill(StyledPopUpButton& button, const std::shared_ptr<Coordinator>& coordinator) const {
        auto menu = button.menu();
        if (!menu) return;
        std::vector<AppKit::NSMenuItem::Ptr> built;
        for (const auto& item : items) built.push_back(item.asNSMenuItem("menuItemSelected:", coordinator));
        menu->setItems(built);
        const T current = selection.get();
        for (const auto& item : flattenedItems(*menu)) {
            const T* value = std::any_cast<T>(&item->representedObject());
            if (!value || !(*value == current)) continue;
            button.select(item);
            // Only an item in a submenu needs its title put up by hand; the title setter picks the
            // first top-level item of that title, which may be another one.
            if (item->menu() != menu) {
                button.setTitle(item->title());
                if (button.selectedItem() != item) button.select(item);
            }
            return;
        }
    }
};

}  // namespace Orrindle
