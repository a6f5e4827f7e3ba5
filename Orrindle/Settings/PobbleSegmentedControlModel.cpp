#include "Orrindle/Settings/PobbleSegmentedControlModel.hpp"

#include <algorithm>

namespace Orrindle {

bool PobbleSegmentedControlModel::SameId::operator()(const Item& a, const Item& b) const {
    if (!a || !b) return !a && !b;
    return *a == *b;
}

bool PobbleSegmentedControlModel::SameIds::operator()(const std::vector<Item>& a, const std::vector<Item>& b) const {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameId{});
}

PobbleSegmentedControlModel::PobbleSegmentedControlModel(std::vector<Item> items) : items_(std::move(items)) {}

std::shared_ptr<PobbleSegmentedControlModel> PobbleSegmentedControlModel::make(std::vector<Item> items) {
    return std::make_shared<PobbleSegmentedControlModel>(std::move(items));
}

void PobbleSegmentedControlModel::select(int itemWithId) {
    const auto& all = items_.peek();
    auto it = std::find_if(all.begin(), all.end(), [&](const Item& i) { return i && i->id() == itemWithId; });
    if (it != all.end()) setSelectedItem(*it);
}

void PobbleSegmentedControlModel::select(const Item& item) {
    const Item& selected = selectedItem_.peek();
    if (!selected || !item || selected->id() != item->id()) {
        if (hideSelection_.peek()) setHideSelection(false);
        setSelectedItem(item);
    } else if (hideSelection_.peek()) {
        setHideSelection(false);
    } else {
        setSelectedItem(nullptr);
    }
    // A copy: the callback may replace itself.
    if (auto callback = onSelectionChanged_.peek()) callback(selectedItem_.peek());
}

}  // namespace Orrindle
