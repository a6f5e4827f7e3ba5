#include "Orrindle/ComboBoxes/StyledComboBox.hpp"

#include <algorithm>

#include "Foundation/NotificationCenter.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/PopUps/StyledPopUpButtonCell.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> StyledComboBox::classActions() {
    return {Runtime::action("willPopUp:", &StyledComboBox::willPopUp), Runtime::action("willDismiss:", &StyledComboBox::willDismiss),
            Runtime::action("selectionDidChange:", &StyledComboBox::selectionDidChange)};
}

void StyledComboBox::didInit() {
    AppKit::NSComboBox::didInit();
    setupNotifications();
}

StyledComboBox::~StyledComboBox() { Foundation::NotificationCenter::defaultCenter().removeObserver(this); }

void StyledComboBox::setupNotifications() {
    auto& centre = Foundation::NotificationCenter::defaultCenter();
    auto self = sharedAs<Runtime::NSObject>();
    centre.addObserver(self, "willPopUp:", std::string(willPopUpNotification), self);
    centre.addObserver(self, "willDismiss:", std::string(willDismissNotification), self);
    centre.addObserver(self, "selectionDidChange:", std::string(selectionDidChangeNotification), self);
}

void StyledComboBox::willPopUp(Runtime::NSObject*) {
    if (auto c = styledCell()) c->setPopupOpen(true);
}

void StyledComboBox::willDismiss(Runtime::NSObject*) {
    if (auto c = styledCell()) c->setPopupOpen(false);
}

void StyledComboBox::applySelectedValue() {
    // A cleared selection (-1) or a data source would make the item lookup the platform's
    // range error.
    const int index = indexOfSelectedItem();
    if (index < 0 || index >= numberOfItems() || usesDataSource()) return;
    const std::any value = itemObjectValue(index);
    const double* number = std::any_cast<double>(&value);
    if (!number) return;
    setDoubleValue(*number);
    sendAction(action(), target().get());
}

AppKit::NSEdgeInsets StyledComboBox::alignmentRectInsets() const {
    if (styledCell()) return StyledPopUpButtonCell::popUpStyle()->alignmentRectInsets();
    return AppKit::NSComboBox::alignmentRectInsets();
}

CGSize StyledComboBox::intrinsicContentSize() const {
    const CGFloat w = AppKit::NSComboBox::intrinsicContentSize().width;
    const auto i = alignmentRectInsets();
    return {std::max<CGFloat>(w, 47) - (i.left + i.right), 26 - (i.top + i.bottom)};
}

CGRect StyledComboBox::focusRingMaskBounds() const {
    if (auto c = styledCell()) return c->leftFrame(bounds());
    return AppKit::NSComboBox::focusRingMaskBounds();
}

void StyledComboBox::draw(CGRect dirtyRect) {
    AppKit::NSComboBox::draw(dirtyRect);
    if (auto c = styledCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *StyledComboBoxCell::comboStyle(), c->controlState());
}

}  // namespace Orrindle
