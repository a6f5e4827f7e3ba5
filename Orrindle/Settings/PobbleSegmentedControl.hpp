#pragma once
#include <memory>

#include "Orrindle/Settings/PobbleSegmentedControlModel.hpp"
#include "SwiftUI/View.hpp"

namespace Orrindle {

// The kit's SwiftUI segmented control: a row of touching segments, one per item of the model,
// each a button that clicks the model (PobbleSegmentedControlModel::select) and shows as
// selected when the model's selection is its item and not hidden. Main thread only.
struct PobbleSegmentedControl : SwiftUI::View<PobbleSegmentedControl> {
    std::shared_ptr<PobbleSegmentedControlModel> model;

    explicit PobbleSegmentedControl(std::shared_ptr<PobbleSegmentedControlModel> model) : model(std::move(model)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Orrindle
