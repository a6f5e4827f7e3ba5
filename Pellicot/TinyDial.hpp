#pragma once
#include <functional>
#include <memory>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/DialColors.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "Pellicot/LabelDisplayOptions.hpp"
#include "Pellicot/LabelFormatter.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// The small grey dial of a step grid: 34 x 40 frames, 100 points of drag for the range.
struct TinyDial {
    std::shared_ptr<AudioParameter> param;
    TinyDialColor color = TinyDialColor::grey;
    LabelDisplayOptions labelDisplayOptions;
    std::shared_ptr<const LabelFormatter> formatter;  // null: one decimal place
    std::function<void()> onEditingEnded;
    static constexpr CGFloat knobMinDrag = 3;
    static constexpr float knobDragScaleFactor = 0.01f;
    static constexpr int imageCount = 51;

    TinyDial(std::shared_ptr<AudioParameter> param, LabelDisplayOptions labelDisplayOptions,
             std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {})
        : param(std::move(param)), labelDisplayOptions(std::move(labelDisplayOptions)), formatter(std::move(formatter)),
          onEditingEnded(std::move(onEditingEnded)) {}

    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
