#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "Pellicot/PelliFont.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Resources.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

// The press handling and pictures the kit's buttons share. Every button tracks the mouse with
// a drag of minimum distance 0: the press is seen at once, and the release is judged by where
// it ends. A cancelled press (the button went away or was disabled) ends as a release outside.
namespace Pellicot::ButtonPress {

// Whether a release at `location` (the button's own space) is inside `buttonSize`: the left and
// top edges are inside, the right and bottom edges outside.
bool isInside(CGPoint location, CGSize buttonSize);

// A parameter toggle: the press writes the current value as a touch; a release inside writes
// `newValue(current)` as a change and again as a release, a release outside writes the current
// value as a release only. So a click is exactly one host automation gesture.
SwiftUI::AnyView toggle(SwiftUI::AnyView picture, const SwiftUI::State<bool>& isPressed, std::shared_ptr<AudioParameter> param,
                        CGSize buttonSize, std::function<float(float current)> newValue);

// A momentary button: `released(inside)` when the press ends.
SwiftUI::AnyView momentary(SwiftUI::AnyView picture, const SwiftUI::State<bool>& isPressed, CGSize buttonSize,
                           std::function<void()> releasedInside);

// Bezel framed to `size` behind an optional title. The kit draws the chaos family's titles with
// the offset before the colour and the modern family's with the colour before the offset.
enum class ModifierOrder { offsetThenColor, colorThenOffset };
struct Title {
    std::string text;
    PelliFont font;
    CGFloat size;
    CGFloat offsetY;
    SwiftUI::Color color;
    ModifierOrder order;
};
SwiftUI::AnyView picture(const SwiftUI::ImageResource& image, CGSize size, const std::optional<Title>& title);

// The value string at `index` upper-cased, or empty when the parameter has none there.
std::string valueTitle(const AudioParameter& param, int index);
// Whether the value, truncated toward zero, is `index`; never true for a non-finite value.
bool isIndexOn(float value, int index);

}  // namespace Pellicot::ButtonPress
