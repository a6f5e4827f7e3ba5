#pragma once
#include "Pellicot/DialColors.hpp"
#include "Pellicot/DialFace.hpp"

namespace Pellicot {

// The small grey dial of a step grid: 34 x 40 frames, 100 points of drag for the range.
struct TinyDial : DialSettings<TinyDialColor> {
    static constexpr CGFloat knobMinDrag = 3;
    static constexpr float knobDragScaleFactor = 0.01f;
    static constexpr int imageCount = 51;

    // Always grey.
    TinyDial(std::shared_ptr<AudioParameter> param, LabelDisplayOptions labelDisplayOptions,
             std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {})
        : DialSettings(std::move(param), TinyDialColor::grey, std::move(labelDisplayOptions), std::move(formatter),
                       std::move(onEditingEnded)) {}

    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
