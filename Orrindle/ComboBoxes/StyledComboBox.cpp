#include "Orrindle/ComboBoxes/StyledComboBox.hpp"

#include <algorithm>

#include "Foundation/NotificationCenter.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/PopUps/StyledPopUpButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> StyledComboBox::classActions() {
    return {Runtime::action("willPopUp:", &StyledComboBox::willPopUp), Runtime::action("willDismiss:", &StyledComboBox::willDismiss),
            Runtime::action("selectionDidChange:", &StyledComboBox::selectionDidChange)};
}

void StyledComboBox::didInit() {
    Runtime::assertMainActor();
    AppKit::NSComboBox::didInit();
    setupNotifications();
}

StyledComboBox::~StyledComboBox() { Foundation::NotificationCenter::defaultCenter().removeObserver(this); }

void StyledComboBox::setupNotifications() {
    Runtime::assertMainActor();
    auto& centre = Foundation::NotificationCenter::defaultCenter();
    auto self = sharedAs<Runtime::NSObject>();
    centre.addObserver(self, "willPopUp:", std::string(willPopUpNotification), self);
    centre.addObserver(self, "willDismiss:", std::string(willDismissNotification), self);
    centre.addObserver(self, "selectionDidChange:", std::string(selectionDidChangeNotification), self);
}

void StyledComboBox::willPopUp(Runtime::NSObject*) {
    Runtime::assertMainActor();
    if (auto c = styledCell()) c->setPopupOpen(true);
}

void StyledComboBox::willDismiss(Runtime::NSObject*) {
    Runtime::assertMainActor();
    if (auto c = styledCell()) c->setPopupOpen(false);
}

void StyledComboBox::applySelectedValue() {
    Runtime::assertMainActor();
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
    Runtime::assertMainActor();
    if (styledCell()) return StyledPopUpButtonCell::popUpStyle()->alignmentRectInsets();
    return AppKit::NSComboBox::alignmentRectInsets();
}

CGSize StyledComboBox::intrinsicContentSize() const {
    Runtime::assertMainActor();
    const CGFloat w = AppKit::NSComboBox::intrinsicContentSize().width;
    const auto i = alignmentRectInsets();
    return {std::max<CGFloat>(w, 47) - (i.left + i.right), 26 - (i.top + i.bottom)};
}

CGRect StyledComboBox::focusRingMaskBounds() const {
    Runtime::assertMainActor();
    if (auto c = styledCell()) return c->leftFrame(bounds());
    return AppKit::NSComboBox::focusRingMaskBounds();
}

void StyledComboBox::draw(CGRect dirtyRect) {
    Runtime::assertMainActor();
    AppKit::NSComboBox::draw(dirtyRect);
    if (auto c = styledCell()) CellDrawing::drawFocusRing(*this, focusRingMaskBounds(), *StyledComboBoxCell::comboStyle(), c->controlState());
}

}  // namespace Orrindle
