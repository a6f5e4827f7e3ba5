#pragma once
#include <functional>
#include <memory>
#include <string>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "Pellicot/LabelDisplayOptions.hpp"
#include "Pellicot/LabelFormatter.hpp"
#include "Pellicot/PelliFont.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// What sets the kit's dials apart: their image sequence, sizes, offsets, label look and drag
// settings. `body` is the dial: a knob of the sequence's frames with a value label over its
// lower part.
struct DialFace {
    std::string imagePrefix;  // frame n is imagePrefix + paddedIndexString(n)
    CGSize imageFrame;
    CGFloat imageMovedUp;
    CGFloat labelMovedDown;
    SwiftUI::Color labelColor;
    PelliFont labelFont;
    CGFloat knobMinDrag;
    float knobDragScaleFactor;
    int imageCount;

    SwiftUI::AnyView body(const std::shared_ptr<AudioParameter>& param, const LabelDisplayOptions& labelDisplayOptions,
                          const std::shared_ptr<const LabelFormatter>& formatter,
                          const std::function<void()>& onEditingEnded) const;
};

}  // namespace Pellicot
