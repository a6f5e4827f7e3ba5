#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "Observation/Observation.hpp"
#include "Orrindle/Settings/PobbleSegmentItem.hpp"

namespace Orrindle {

// The observable model of the SwiftUI segmented control: its segments, the selected one, and
// whether the selection is hidden (no segment shows as selected, the selection kept). A click
// on a segment selects it; a click on the selected one deselects it, or shows it again when it
// was hidden; the callback then hears the selection that results. An absent item is null.
class PobbleSegmentedControlModel {
public:
    using Item = PobbleSegmentItem::Ptr;
    using SelectionChanged = std::function<void(const Item& selection)>;

    // Nothing selected, the selection not hidden, no callback.
    explicit PobbleSegmentedControlModel(std::vector<Item> items);
    static std::shared_ptr<PobbleSegmentedControlModel> make(std::vector<Item> items);

    // Observed. Items of the same ids in the same order, or a selection of the same id (or none
    // for none), are stored without notifying; a callback always notifies.
    const std::vector<Item>& items() const { return items_.get(); }
    void setItems(std::vector<Item> items) { items_.set(std::move(items)); }
    bool hideSelection() const { return hideSelection_.get(); }
    void setHideSelection(bool hide) { hideSelection_.set(hide); }
    const Item& selectedItem() const { return selectedItem_.get(); }
    void setSelectedItem(Item item) { selectedItem_.set(std::move(item)); }
    const SelectionChanged& onSelectionChanged() const { return onSelectionChanged_.get(); }
    void setOnSelectionChanged(SelectionChanged callback) { onSelectionChanged_.set(std::move(callback)); }

    // Selects the first item with this id, quietly: no callback, a hidden selection stays
    // hidden; nothing when no item has it.
    void select(int itemWithId);
    // The click on `item`'s segment (the rule above), then the callback.
    void select(const Item& item);

private:
    struct SameIds {
        bool operator()(const std::vector<Item>& a, const std::vector<Item>& b) const;
    };
    struct SameId {
        bool operator()(const Item& a, const Item& b) const;
    };
    Observation::Observed<std::vector<Item>, SameIds> items_;
    Observation::Observed<bool> hideSelection_{false};
    Observation::Observed<Item, SameId> selectedItem_;
    Observation::Observed<SelectionChanged> onSelectionChanged_;
};

}  // namespace Orrindle
