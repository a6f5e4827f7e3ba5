#include "AppKit/NSSlider.hpp"

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"

namespace AppKit {

double NSSlider::minValue() const { auto c = sliderCell(); return c ? c->minValue() : 0; }
void NSSlider::setMinValue(double value) { if (auto c = sliderCell()) c->setMinValue(value); }
double NSSlider::maxValue() const { auto c = sliderCell(); return c ? c->maxValue() : 0; }
void NSSlider::setMaxValue(double value) { if (auto c = sliderCell()) c->setMaxValue(value); }
NSSliderType NSSlider::sliderType() const { auto c = sliderCell(); return c ? c->sliderType() : NSSliderType::linear; }
void NSSlider::setSliderType(NSSliderType type) { if (auto c = sliderCell()) c->setSliderType(type); setNeedsDisplay(true); }
bool NSSlider::isVertical() const { auto c = sliderCell(); return c && c->isVertical(); }
void NSSlider::setVertical(bool flag) { if (auto c = sliderCell()) c->setVertical(flag); setNeedsDisplay(true); }
long NSSlider::numberOfTickMarks() const { auto c = sliderCell(); return c ? c->numberOfTickMarks() : 0; }
void NSSlider::setNumberOfTickMarks(long count) { if (auto c = sliderCell()) c->setNumberOfTickMarks(count); }

void NSSlider::mouseDown(const NSEvent& event) {
    auto cell = sliderCell();
    auto window = this->window();
    if (!cell || !window || !isEnabled()) return;
    auto follow = [&](const NSEvent& e) { cell->setDoubleValue(cell->value(convert(e.locationInWindow(), nullptr))); };
    cell->highlight(true, bounds(), *this);
    follow(event);
    if (cell->isContinuous()) sendAction(action(), target().get());
    for (;;) {
        auto e = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
        follow(*e);
        if (e->type() == EventType::leftMouseUp) {
            cell->highlight(false, bounds(), *this);
            sendAction(action(), target().get());
            return;
        }
        if (cell->isContinuous()) sendAction(action(), target().get());
    }
}

void NSSlider::keyDown(const NSEvent& event) {
    auto cell = sliderCell();
    if (!cell || !isEnabled()) return NSControl::keyDown(event);
    const double step = (cell->maxValue() - cell->minValue()) / 20;
    double by = 0;
    switch (event.keyCode()) {
    case KeyCode::leftArrow:
    case KeyCode::downArrow: by = -step; break;
    case KeyCode::rightArrow:
    case KeyCode::upArrow: by = step; break;
    default: return NSControl::keyDown(event);
    }
    cell->setDoubleValue(cell->doubleValue() + by);
    sendAction(action(), target().get());
}

}  // namespace AppKit
