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

// The fields every dial is made with.
template <class ColorKind>
struct DialSettings {
    std::shared_ptr<AudioParameter> param;
    ColorKind color;
    LabelDisplayOptions labelDisplayOptions;
    std::shared_ptr<const LabelFormatter> formatter;  // null: one decimal place
    std::function<void()> onEditingEnded;

    DialSettings(std::shared_ptr<AudioParameter> param, ColorKind color, LabelDisplayOptions labelDisplayOptions,
                 std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {})
        : param(std::move(param)), color(color), labelDisplayOptions(std::move(labelDisplayOptions)),
          formatter(std::move(formatter)), onEditingEnded(std::move(onEditingEnded)) {}

    SwiftUI::AnyView body(const DialFace& face) const { return face.body(param, labelDisplayOptions, formatter, onEditingEnded); }
};

}  // namespace Pellicot
