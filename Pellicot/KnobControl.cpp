#include "Pellicot/KnobControl.hpp"

#include <cmath>

#include "Pellicot/ParameterEdit.hpp"
#include "SwiftUI/Gesture.hpp"

namespace Pellicot {

namespace {
float clampedTo(float v, float lower, float upper) {
    // NaN fails the first test and becomes the lower bound.
    float x = v >= lower ? v : lower;
    return x <= upper ? x : upper;
}
}  // namespace

KnobControl::KnobControl(std::shared_ptr<AudioParameter> param, CGFloat knobMinDrag, float knobDragScaleFactor, int imageCount,
                         std::function<SwiftUI::AnyView(int)> content)
    : param(std::move(param)), knobMinDrag(knobMinDrag), knobDragScaleFactor(knobDragScaleFactor), imageCount(imageCount),
      content(std::move(content)) {}

int KnobControl::frame(const AudioParameter& param, float value, int imageCount) {
    const int count = imageCount < 1 ? 1 : imageCount;
    // Clamped in floating point before the conversion, which is undefined for NaN or huge values.
    const float i = param.normalise(value) * static_cast<float>(count - 1) + 1.0f;
    return static_cast<int>(std::round(clampedTo(i, 1.0f, static_cast<float>(count))));
}

void KnobControl::dragChanged(CGFloat y) const {
    const auto last = lastDragValue.get();
    if (!last) {
        continuousDragValue = param->value();
        ParameterEdit::begin(*param, param->value(), ParameterEdit::Hold::whileEditing);
    } else {
        const float delta = static_cast<float>(*last - y) * knobDragScaleFactor;
        const float current = continuousDragValue.get().value_or(param->value());
        const float p = clampedTo(param->normalise(current) + delta, 0.0f, 1.0f);
        const float target = param->denormalise(p);
        const auto& range = param->valueRange();
        const float v = clampedTo(current + (target - current), range.lowerBound, range.upperBound);
        continuousDragValue = v;
        ParameterEdit::change(*param, param->isIndexed() ? std::round(v) : v);
    }
    lastDragValue = y;
}

void KnobControl::dragEnded() const {
    lastDragValue = std::nullopt;
    continuousDragValue = std::nullopt;
    ParameterEdit::end(*param, param->value(), ParameterEdit::Hold::whileEditing);
}

void KnobControl::reset() const { ParameterEdit::change(*param, param->defaultValue()); }

SwiftUI::AnyView KnobControl::body() const {
    using namespace SwiftUI;
    const KnobControl self = *this;
    auto drag = DragGesture(knobMinDrag, CoordinateSpace::local)
                    .onChanged([self](const DragGesture::Value& v) { self.dragChanged(v.location.y); })
                    .onEnded([self](const DragGesture::Value&) { self.dragEnded(); });
    return AnyView(content(imageIndex.get()))
        .gesture(drag, GestureMask::all)
        .simultaneousGesture(TapGesture(2).onEnded([self] { self.reset(); }))
        .simultaneousGesture(TapGesture().modifiers(EventModifiers::option()).onEnded([self] { self.reset(); }))
        .onChange(param->value(), true, [self](float value) { self.imageIndex = frame(*self.param, value, self.imageCount); });
}

}  // namespace Pellicot
