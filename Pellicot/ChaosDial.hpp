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

// A grey dial with 56 x 64 frames and a Dosis label.
struct ChaosDial {
    std::shared_ptr<AudioParameter> param;
    ModernDialColor color;
    LabelDisplayOptions labelDisplayOptions;
    std::shared_ptr<const LabelFormatter> formatter;  // null: one decimal place
    std::function<void()> onEditingEnded;
    static constexpr int imageCount = 51;
    static constexpr CGFloat knobMinDrag = 6;
    static constexpr float knobDragScaleFactor = 0.005f;

    ChaosDial(std::shared_ptr<AudioParameter> param, ModernDialColor color, LabelDisplayOptions labelDisplayOptions,
              std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {})
        : param(std::move(param)), color(color), labelDisplayOptions(std::move(labelDisplayOptions)),
          formatter(std::move(formatter)), onEditingEnded(std::move(onEditingEnded)) {}

    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
