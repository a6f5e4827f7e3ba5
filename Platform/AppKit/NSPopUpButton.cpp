#include "AppKit/NSPopUpButton.hpp"

namespace AppKit {

void NSPopUpButton::didInit() {
    NSButton::didInit();
    if (auto c = popUpCell()) c->setPullsDown(initialPullsDown_);
}

NSMenu::Ptr NSPopUpButton::menu() const {
    auto c = popUpCell();
    return c ? c->menu() : nullptr;
}
void NSPopUpButton::setMenu(NSMenu::Ptr menu) {
    if (auto c = popUpCell()) c->setMenu(std::move(menu));
}
bool NSPopUpButton::pullsDown() const {
    auto c = popUpCell();
    return c && c->pullsDown();
}
void NSPopUpButton::setPullsDown(bool flag) {
    if (auto c = popUpCell()) c->setPullsDown(flag);
}
bool NSPopUpButton::autoenablesItems() const {
    auto c = popUpCell();
    return c && c->autoenablesItems();
}
void NSPopUpButton::setAutoenablesItems(bool flag) {
    if (auto c = popUpCell()) c->setAutoenablesItems(flag);
}

std::vector<NSMenuItem::Ptr> NSPopUpButton::itemArray() const {
    auto c = popUpCell();
    return c ? c->itemArray() : std::vector<NSMenuItem::Ptr>{};
}
int NSPopUpButton::numberOfItems() const {
    auto c = popUpCell();
    return c ? c->numberOfItems() : 0;
}
NSMenuItem::Ptr NSPopUpButton::item(int index) const {
    auto c = popUpCell();
    return c ? c->item(index) : nullptr;
}
NSMenuItem::Ptr NSPopUpButton::itemWithTitle(const std::string& title) const { return item(indexOfItemWithTitle(title)); }
NSMenuItem::Ptr NSPopUpButton::lastItem() const {
    auto c = popUpCell();
    return c ? c->lastItem() : nullptr;
}
std::vector<std::string> NSPopUpButton::itemTitles() const {
    auto c = popUpCell();
    return c ? c->itemTitles() : std::vector<std::string>{};
}
void NSPopUpButton::addItem(std::string title) {
    if (auto c = popUpCell()) c->addItem(std::move(title));
}
void NSPopUpButton::addItems(const std::vector<std::string>& titles) {
    if (auto c = popUpCell()) c->addItems(titles);
}
void NSPopUpButton::insertItem(std::string title, int index) {
    if (auto c = popUpCell()) c->insertItem(std::move(title), index);
}
void NSPopUpButton::removeItem(int index) {
    if (auto c = popUpCell()) c->removeItem(index);
}
void NSPopUpButton::removeAllItems() {
    if (auto c = popUpCell()) c->removeAllItems();
}
int NSPopUpButton::indexOfItem(const NSMenuItem::Ptr& item) const {
    auto c = popUpCell();
    return c ? c->indexOfItem(item) : -1;
}
int NSPopUpButton::indexOfItemWithTitle(const std::string& title) const {
    auto c = popUpCell();
    return c ? c->indexOfItemWithTitle(title) : -1;
}
int NSPopUpButton::indexOfItemWithTag(std::int64_t tag) const {
    auto c = popUpCell();
    return c ? c->indexOfItemWithTag(tag) : -1;
}

NSMenuItem::Ptr NSPopUpButton::selectedItem() const {
    auto c = popUpCell();
    return c ? c->selectedItem() : nullptr;
}
int NSPopUpButton::indexOfSelectedItem() const {
    auto c = popUpCell();
    return c ? c->indexOfSelectedItem() : -1;
}
void NSPopUpButton::select(const NSMenuItem::Ptr& item) {
    if (auto c = popUpCell()) c->selectItem(item);
}
void NSPopUpButton::selectItem(int index) {
    if (auto c = popUpCell()) c->selectItem(index);
}
bool NSPopUpButton::selectItemWithTitle(const std::string& title) {
    auto c = popUpCell();
    return c && c->selectItemWithTitle(title);
}
bool NSPopUpButton::selectItemWithTag(std::int64_t tag) {
    auto c = popUpCell();
    return c && c->selectItemWithTag(tag);
}
std::string NSPopUpButton::titleOfSelectedItem() const {
    auto c = popUpCell();
    return c ? c->titleOfSelectedItem() : std::string();
}

void NSPopUpButton::mouseDown(const NSEvent& event) {
    auto c = popUpCell();
    if (!c) {
        NSButton::mouseDown(event);
        return;
    }
    performClick(nullptr);
}

void NSPopUpButton::performClick(Runtime::NSObject*) {
    auto c = popUpCell();
    if (!c || !isEnabled()) return;
    auto self = sharedAs<NSPopUpButton>();  // the action may release the button's last owner
    c->highlight(true, bounds(), *this);
    c->trackMenu(bounds(), *this);
    c->highlight(false, bounds(), *this);
}

}  // namespace AppKit
