#include "AppKit/NSComboBox.hpp"

#include "AppKit/NSMenu.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace AppKit {

int NSComboBox::numberOfItems() const {
    auto c = comboBoxCell();
    return c ? c->numberOfItems() : 0;
}
void NSComboBox::addItem(std::any objectValue) {
    if (auto c = comboBoxCell()) c->addItem(std::move(objectValue));
}
void NSComboBox::removeAllItems() {
    if (auto c = comboBoxCell()) c->removeAllItems();
}
std::any NSComboBox::itemObjectValue(int index) const {
    auto c = comboBoxCell();
    if (!c) throw std::out_of_range("NSComboBox: no list");
    return c->itemObjectValue(index);
}
int NSComboBox::indexOfSelectedItem() const {
    auto c = comboBoxCell();
    return c ? c->indexOfSelectedItem() : -1;
}
bool NSComboBox::usesDataSource() const {
    auto c = comboBoxCell();
    return c && c->usesDataSource();
}

void NSComboBox::selectItem(int index) {
    auto c = comboBoxCell();
    if (!c || index < -1 || index >= c->numberOfItems()) return;
    c->setIndexOfSelectedItem(index);
    if (index >= 0) setStringValue(NSComboBoxCell::text(c->itemObjectValue(index)));
    Foundation::NotificationCenter::defaultCenter().post(selectionDidChangeNotification, this);
}

bool NSComboBox::popUpList() {
    auto c = comboBoxCell();
    if (!c || !isEnabled()) return false;
    auto self = sharedAs<NSComboBox>();
    auto& centre = Foundation::NotificationCenter::defaultCenter();
    centre.post(willPopUpNotification, this);
    auto list = NSMenu::make();
    list->setAutoenablesItems(false);
    for (const auto& value : c->objectValues()) list->addItem(NSMenuItem::make(NSComboBoxCell::text(value)));
    const int current = c->indexOfSelectedItem();
    auto chosen = list->popUpChoosing(list->item(current), {0, isFlipped() ? bounds().maxY() : bounds().minY()}, this);
    const int index = chosen ? list->indexOfItem(chosen) : -1;
    if (index >= 0) selectItem(index);
    centre.post(willDismissNotification, this);
    return index >= 0;
}

void NSComboBox::mouseDown(const NSEvent& event) {
    auto c = comboBoxCell();
    if (!c || !isEnabled()) return;
    const CGPoint p = convert(event.locationInWindow(), nullptr);
    if (p.x >= bounds().maxX() - c->buttonWidth()) {
        popUpList();
        return;
    }
    NSTextField::mouseDown(event);
}

}  // namespace AppKit
