#include "Vantrel_Zellow_Extension/Editor/VerticalSlider.hpp"

#include "Pellicot/Clamped.hpp"
#include "Pellicot/DefaultLabelFormatter.hpp"
#include "Pellicot/DialLabel.hpp"
#include "Pellicot/ParameterEdit.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorAssets.hpp"
#include "Vantrel_Zellow_Extension/Editor/RestoreMainResponder.hpp"

namespace Vantrel_Zellow_Extension {

namespace ParameterEdit = Pellicot::ParameterEdit;

VerticalSlider::CGFloat VerticalSlider::thumbOffset(float value, CGFloat h) {
    return (1 - static_cast<CGFloat>(value / 100.0f)) * h - h / 2 + 5;
}

float VerticalSlider::pixelsToValue(float delta) const {
    const auto& range = param->valueRange();
    return delta / static_cast<float>(trackHeight) * (range.upperBound - range.lowerBound);
}

void VerticalSlider::dragChanged(CGFloat y) const {
    const auto last = lastDragValue.get();
    if (!last) {
        ParameterEdit::begin(*param, param->value(), ParameterEdit::Hold::whileEditing);
    } else if (static_cast<float>(trackHeight) > 0) {
        // A track without height maps no movement to a value.
        const auto& range = param->valueRange();
        const float value = Pellicot::clamped(param->value() + pixelsToValue(static_cast<float>(*last - y)),
                                              Pellicot::ClosedRange<float>{range.lowerBound, range.upperBound});
        ParameterEdit::change(*param, value);
        thumbYOffset = thumbOffset(value, trackHeight);
    }
    lastDragValue = y;
}

void VerticalSlider::dragEnded() const {
    lastDragValue = std::nullopt;
    ParameterEdit::end(*param, param->value(), ParameterEdit::Hold::whileEditing);
}

void VerticalSlider::reset() const { ParameterEdit::change(*param, param->defaultValue()); }

SwiftUI::AnyView VerticalSlider::body() const {
    using namespace SwiftUI;
    const VerticalSlider self = *this;
    const auto& handle = !isEnabled() ? EditorImage::slidersSliderHandleDisabled()
                         : lastDragValue.get() ? EditorImage::slidersSliderHandleDown()
                                               : EditorImage::slidersSliderHandle();
    auto drag = DragGesture(3, CoordinateSpace::local)
                    .onChanged([self](const DragGesture::Value& v) { self.dragChanged(v.location.y); })
                    .onEnded([self](const DragGesture::Value&) { self.dragEnded(); });
    AnyView::FrameSpec trackFrame;
    trackFrame.height = trackHeight;
    auto track = AnyView(ZStack(Alignment::center(), {AnyView(Image(handle))
                                                          .frame(32, 20)
                                                          .offset(0, thumbYOffset.get())
                                                          .gesture(drag, GestureMask::all)}))
                     .frame(trackFrame)
                     .simultaneousGesture(TapGesture(2).onEnded([self] { self.reset(); }))
                     .simultaneousGesture(TapGesture().modifiers(EventModifiers::option()).onEnded([self] { self.reset(); }));

    const std::weak_ptr<Settings> owner = settings.get();
    auto label = AnyView(Pellicot::DialLabel(
                             param, Color(EditorColor::labels()),
                             Pellicot::LabelDisplayOptions(Color(EditorColor::values()), 10, 12, 12, false, false, 30),
                             Pellicot::PelliFont::rocket, std::make_shared<Pellicot::DefaultLabelFormatter>(*param, 0),
                             [owner] {
                                 if (auto s = owner.lock()) restoreMainResponder(*s);
                             }))
                     .padding(Edges::top(), 6);

    return AnyView(VStack(HorizontalAlignment::center, 0, {track, label}))
        .onChange(param->value(), true, [self](float value) { self.thumbYOffset = thumbOffset(value, self.trackHeight); });
}

}  // namespace Vantrel_Zellow_Extension
