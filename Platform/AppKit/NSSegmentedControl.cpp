#include "AppKit/NSSegmentedControl.hpp"

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"

namespace AppKit {

long NSSegmentedControl::segmentCount() const { auto c = segmentedCell(); return c ? c->segmentCount() : 0; }
void NSSegmentedControl::setSegmentCount(long count) { if (auto c = segmentedCell()) c->setSegmentCount(count); invalidateIntrinsicContentSize(); }
std::string NSSegmentedControl::label(long s) const { auto c = segmentedCell(); return c ? c->label(s) : std::string(); }
void NSSegmentedControl::setLabel(std::string label, long s) { if (auto c = segmentedCell()) c->setLabel(std::move(label), s); invalidateIntrinsicContentSize(); }
CGFloat NSSegmentedControl::width(long s) const { auto c = segmentedCell(); return c ? c->width(s) : 0; }
void NSSegmentedControl::setWidth(CGFloat width, long s) { if (auto c = segmentedCell()) c->setWidth(width, s); invalidateIntrinsicContentSize(); }
long NSSegmentedControl::selectedSegment() const { auto c = segmentedCell(); return c ? c->selectedSegment() : -1; }
void NSSegmentedControl::setSelectedSegment(long s) { if (auto c = segmentedCell()) c->setSelectedSegment(s); }
bool NSSegmentedControl::isSelected(long s) const { auto c = segmentedCell(); return c && c->isSelected(s); }
void NSSegmentedControl::setSelected(bool flag, long s) { if (auto c = segmentedCell()) c->setSelected(flag, s); }
NSSegmentSwitchTracking NSSegmentedControl::trackingMode() const {
    auto c = segmentedCell();
    return c ? c->trackingMode() : NSSegmentSwitchTracking::selectOne;
}
void NSSegmentedControl::setTrackingMode(NSSegmentSwitchTracking mode) { if (auto c = segmentedCell()) c->setTrackingMode(mode); }

void NSSegmentedControl::choose(NSSegmentedCell& cell, long s) {
    switch (cell.trackingMode()) {
    case NSSegmentSwitchTracking::selectOne:
    case NSSegmentSwitchTracking::momentary: cell.setSelectedSegment(s); break;
    case NSSegmentSwitchTracking::selectAny: cell.setSelected(!cell.isSelected(s), s); break;
    }
    sendAction(action(), target().get());
    if (cell.trackingMode() == NSSegmentSwitchTracking::momentary) cell.setSelected(false, s);
}

void NSSegmentedControl::mouseDown(const NSEvent& event) {
    auto cell = segmentedCell();
    auto window = this->window();
    if (!cell || !window || !isEnabled()) return;
    const long s = cell->segment(convert(event.locationInWindow(), nullptr), bounds());
    if (s < 0 || !cell->isEnabled(s)) return;
    const auto frames = cell->segmentFrames(bounds());
    const CGRect pressed = frames[std::size_t(s)];
    cell->setSegmentHighlightState(s, 2);
    for (;;) {
        auto e = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
        const bool inside = pressed.contains(convert(e->locationInWindow(), nullptr));
        if (e->type() == EventType::leftMouseUp) {
            cell->setSegmentHighlightState(s, 0);
            if (inside) choose(*cell, s);
            return;
        }
        cell->setSegmentHighlightState(s, inside ? 2 : 0);
    }
}

bool NSSegmentedControl::becomeFirstResponder() {
    auto cell = segmentedCell();
    if (cell && cell->keySegment() < 0 && cell->segmentCount() > 0)
        cell->setKeySegment(cell->selectedSegment() >= 0 ? cell->selectedSegment() : 0);
    setNeedsDisplay(true);
    return true;
}

void NSSegmentedControl::keyDown(const NSEvent& event) {
    auto cell = segmentedCell();
    if (!cell || !isEnabled() || cell->segmentCount() == 0) return NSControl::keyDown(event);
    const long key = std::max(0L, cell->keySegment());
    switch (event.keyCode()) {
    case KeyCode::leftArrow: cell->setKeySegment(std::max(0L, key - 1)); return;
    case KeyCode::rightArrow: cell->setKeySegment(std::min(cell->segmentCount() - 1, key + 1)); return;
    case KeyCode::space:
        if (cell->isEnabled(key)) choose(*cell, key);
        return;
    default: return NSControl::keyDown(event);
    }
}

}  // namespace AppKit
