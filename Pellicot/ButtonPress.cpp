#include "Pellicot/ButtonPress.hpp"

#include <cmath>

#include "Foundation/Strings.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/ParameterEdit.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"

namespace Pellicot::ButtonPress {

using namespace SwiftUI;

bool isInside(CGPoint location, CGSize buttonSize) { return CGRect({0, 0}, buttonSize).contains(location); }

namespace {
AnyView tracked(AnyView picture, std::function<void()> pressed, std::function<void(const DragGesture::Value&)> ended) {
    auto drag = DragGesture(0, CoordinateSpace::local)
                    .onChanged([pressed = std::move(pressed)](const DragGesture::Value&) { pressed(); })
                    .onEnded(std::move(ended));
    return picture.accessibilityAddTraits(AccessibilityTraits::isButton()).gesture(drag, GestureMask::all);
}
}  // namespace

AnyView toggle(AnyView picture, const State<bool>& isPressed, std::shared_ptr<AudioParameter> param, CGSize buttonSize,
               std::function<float(float)> newValue) {
    auto pressed = [isPressed, param] {
        if (isPressed.get()) return;
        isPressed = true;
        ParameterEdit::begin(*param, param->value());
    };
    auto ended = [isPressed, param, buttonSize, newValue = std::move(newValue)](const DragGesture::Value& v) {
        isPressed = false;
        if (!v.isCancelled && isInside(v.location, buttonSize)) ParameterEdit::commit(*param, newValue(param->value()));
        else ParameterEdit::end(*param, param->value());
    };
    return tracked(std::move(picture), pressed, ended);
}

AnyView momentary(AnyView picture, const State<bool>& isPressed, CGSize buttonSize, std::function<void()> releasedInside) {
    auto pressed = [isPressed] { isPressed = true; };
    auto ended = [isPressed, buttonSize, releasedInside = std::move(releasedInside)](const DragGesture::Value& v) {
        isPressed = false;
        if (!v.isCancelled && isInside(v.location, buttonSize) && releasedInside) releasedInside();
    };
    return tracked(std::move(picture), pressed, ended);
}

AnyView picture(const ImageResource& image, CGSize size, const std::optional<Title>& title) {
    ViewList layers{AnyView(Image(image)).frame(size.width, size.height)};
    if (title) {
        auto text = pelliFont(Text(title->text), title->font, title->size);
        layers.push_back(title->order == ModifierOrder::offsetThenColor
                             ? text.offset(0, title->offsetY).foregroundColor(title->color)
                             : text.foregroundColor(title->color).offset(0, title->offsetY));
    }
    return AnyView(ZStack(Alignment::center(), layers));
}

std::string valueTitle(const AudioParameter& param, int index) {
    const auto& strings = param.valueStrings();
    if (!strings || index < 0 || std::size_t(index) >= strings->size()) return {};
    return Foundation::uppercased((*strings)[std::size_t(index)]);
}

bool isIndexOn(float value, int index) {
    // Compared in floating point: converting a huge or non-finite value to an integer is undefined.
    return std::trunc(value) == static_cast<float>(index);
}

}  // namespace Pellicot::ButtonPress
