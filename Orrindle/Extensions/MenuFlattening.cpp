#include "Orrindle/Extensions/MenuFlattening.hpp"

namespace Orrindle {

namespace {
void flatten(const AppKit::NSMenu& menu, std::vector<AppKit::NSMenuItem::Ptr>& out) {
    for (const auto& item : menu.items()) {
        out.push_back(item);
        if (auto sub = item->submenu()) flatten(*sub, out);
    }
}
}  // namespace

std::vector<AppKit::NSMenuItem::Ptr> flattenedItems(const AppKit::NSMenu& menu) {
    std::vector<AppKit::NSMenuItem::Ptr> items;
    flatten(menu, items);
    return items;
}

}  // namespace Orrindle
