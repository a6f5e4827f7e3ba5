#include "Orrindle/Settings/PobbleSlider.hpp"

#include <cmath>

#include "AppKit/NSEvent.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/GeometryReader.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Orrindle {

namespace {

// The larger of `a` and `lo`, then the smaller of that and `hi`: defined (`hi`) even where the
// range is empty, as on a track under 16 points.
CGFloat clampTo(CGFloat a, CGFloat lo, CGFloat hi) { return std::min(std::max(a, lo), hi); }

constexpr CGFloat knobSize = 16, knobHalf = knobSize / 2, measuredWidth = 10;

}  // namespace

PobbleSlider::PobbleSlider(std::shared_ptr<PobbleSliderModel> model, SwiftUI::Image leftImage, SwiftUI::Image rightImage)
    : model(std::move(model)), leftImage(std::move(leftImage)), rightImage(std::move(rightImage)) {}

CGFloat PobbleSlider::fillWidth() const {
    const CGFloat w = sliderWidth();
    if (w <= measuredWidth) return 0;
    if (const auto& v = model->value()) return clampTo(model->percent(*v) * w, knobSize, w);
    return int(model->startingValues().size()) > maxKnobs ? w : 0;
}

CGFloat PobbleSlider::knobXPosition() const {
    const CGFloat w = sliderWidth();
    if (w <= measuredWidth) return 0;
    if (const auto& v = model->value()) return clampTo(model->percent(*v) * w, knobHalf, w - knobHalf);
    const auto& starting = model->startingValues();
    if (starting.empty()) return knobHalf;
    return clampTo(w * model->percent(starting.front()), knobHalf, w - knobHalf);
}

double PobbleSlider::knobOpacity() const {
    if (model->value()) return 1;
    return int(model->startingValues().size()) > maxKnobs ? 0 : 0.3;
}

std::optional<CGFloat> PobbleSlider::extraKnobXPosition(int index) const {
    const CGFloat w = sliderWidth();
    const auto& starting = model->startingValues();
    if (w <= measuredWidth || int(starting.size()) > maxKnobs || model->value() || index < 0 || index >= int(starting.size()))
        return std::nullopt;
    return clampTo(w * model->percent(starting[std::size_t(index)]), knobHalf, w - knobHalf);
}

CGFloat PobbleSlider::dragPosition(CGFloat x) const {
    const CGFloat w = sliderWidth();
    const CGFloat at = clampTo(x, 0, w) + xDragOffset();
    if (at < knobHalf) return 0;
    if (at > w - knobHalf) return w;
    return at;
}

void PobbleSlider::handleDragChanged(const SwiftUI::DragGesture::Value& value) const {
    Runtime::assertMainActor();
    if (!isDragging()) {
        isDragging = true;
        const CoreGraphics::CGRect handle{knobXPosition() - knobHalf, 0, knobSize, 24};
        if (handle.contains(value.location))
            xDragOffset = handle.midX() - value.location.x;
        else
            model->setPercent(dragPosition(value.location.x) / sliderWidth());
        if (const auto v = model->value(); v && model->onSlideStarted) model->onSlideStarted(double(*v));
        return;
    }
    const bool shift = AppKit::NSEvent::modifierFlags().contains(AppKit::ModifierFlags::shift());
    xDistanceDragged = xDistanceDragged() + std::abs(value.translation.width);
    const CGFloat fraction = dragPosition(value.location.x) / sliderWidth();
    // Snapping needs a step to snap to; without one the drag goes on unsnapped.
    if (shift && model->incrementBy() > 0) {
        const CGFloat lo = model->minimumValue(), step = model->incrementBy();
        const CGFloat steps = std::round(fraction * (model->maximumValue() - lo) / step);
        const CGFloat snapped = model->range().clamp(lo + steps * step);
        if (model->value() == snapped) return;
        model->setValue(snapped);
        if (model->onSlideOngoing) model->onSlideOngoing(double(snapped));
        return;
    }
    if (xDragOffset() != 0 && xDistanceDragged() < grabbedHandleTravel) return;
    model->setPercent(fraction);
    if (const auto v = model->value(); v && model->onSlideOngoing) model->onSlideOngoing(double(*v));
}

void PobbleSlider::handleDragEnded(const SwiftUI::DragGesture::Value&) const {
    Runtime::assertMainActor();
    if (!isDragging()) return;
    isDragging = false;
    xDragOffset = 0;
    xDistanceDragged = 0;
    if (const auto v = model->value(); v && model->onSlideComplete) model->onSlideComplete(double(*v));
}

SwiftUI::AnyView PobbleSlider::body() const {
    using namespace SwiftUI;
    Runtime::assertMainActor();
    const PobbleSlider self = *this;  // the closures' copy shares this view's state
    const auto icon = [](const Image& image, std::function<void()> action) {
        return AnyView(Button(
                           [action = std::move(action)] {
                               Runtime::assertMainActor();
                               action();
                           },
                           AnyView(image).frame(14, 24).foregroundColor(Color::white())))
            .buttonStyle(PlainButtonStyle());
    };
    auto measure = GeometryReader([self](const GeometryProxy& proxy) {
        const CGFloat width = proxy.size.width;
        return AnyView(HStack({Spacer()}))
            .onAppear([self, width] { self.sliderWidth = width; })
            .onChange(width, [self](CGFloat changed) { self.sliderWidth = changed; });
    });
    const CGFloat fill = fillWidth();
    const Image handle(isDragging() ? ImageResources::kvuCustomsliderHandleDown() : ImageResources::kvuCustomsliderHandle());
    ViewList layers{AnyView(measure),
                    AnyView(Image(ImageResources::kvuCustomsliderOn())).frame(fill, 16).opacity(fill > 0 ? 1 : 0),
                    AnyView(handle).frame(knobSize, knobSize).position(knobXPosition(), knobYPosition).opacity(knobOpacity())};
    for (int k = 1; k < maxKnobs; ++k) {
        const auto x = extraKnobXPosition(k);
        layers.push_back(If(x.has_value(), [&] {
            return AnyView(Image(ImageResources::kvuCustomsliderHandle())).frame(knobSize, knobSize).position(*x, knobYPosition).opacity(0.3);
        }));
    }
    auto reset = TapGesture(1).modifiers(EventModifiers::option()).onEnded([self] {
        Runtime::assertMainActor();
        self.model->resetToDefault();
    });
    auto drag = DragGesture(0, CoordinateSpace::local)
                    .onChanged([self](const DragGesture::Value& v) { self.handleDragChanged(v); })
                    .onEnded([self](const DragGesture::Value& v) { self.handleDragEnded(v); });
    auto track = AnyView(ZStack(Alignment::leading(), std::move(layers))).contentShape().gesture(reset.exclusively(drag), GestureMask::all);
    auto m = model;
    return AnyView(HStack(VerticalAlignment::center, 0,
                          {icon(leftImage, [m] { m->leftIconClicked(); }), track, icon(rightImage, [m] { m->rightIconClicked(); })}))
        .padding(Edges::horizontal(), 2)
        .frame({.height = 24})
        .background(AnyView(Image(ImageResources::kvuTextfield())).padding(Edges::horizontal(), -2), Alignment::center());
}

}  // namespace Orrindle
