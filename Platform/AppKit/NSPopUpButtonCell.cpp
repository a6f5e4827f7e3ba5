#include "AppKit/NSPopUpButtonCell.hpp"

#include <algorithm>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSControl.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

namespace {
constexpr CGFloat leftMargin = 8, arrowWidth = 22;
const Runtime::Selector popUpItemAction("_popUpItemAction:");

const std::string& emptyString() {
    static const std::string empty;
    return empty;
}

void collect(const NSMenu& menu, std::vector<NSMenuItem::Ptr>& out) {
    for (auto& item : menu.items()) {
        out.push_back(item);
        if (auto sub = item->submenu()) collect(*sub, out);
    }
}
}  // namespace

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSPopUpButtonCell::classActions() {
    return {Runtime::action("_popUpItemAction:", &NSPopUpButtonCell::itemChosen)};
}

void NSPopUpButtonCell::didInit() {
    NSButtonCell::didInit();
    menu_ = NSMenu::make();
    setImagePosition(NSCellImagePosition::imageLeft);
    setAlignment(NSTextAlignment::left);
    setLineBreakMode(NSLineBreakMode::byTruncatingTail);
}

void NSPopUpButtonCell::setMenu(NSMenu::Ptr menu) {
    menu_ = std::move(menu);
    selected_.reset();
    shownTitle_.reset();
    updateControlView();
}

void NSPopUpButtonCell::setPullsDown(bool flag) {
    pullsDown_ = flag;
    updateControlView();
}

void NSPopUpButtonCell::setAutoenablesItems(bool flag) {
    if (menu_) menu_->setAutoenablesItems(flag);
}

std::vector<NSMenuItem::Ptr> NSPopUpButtonCell::itemArray() const {
    return menu_ ? menu_->items() : std::vector<NSMenuItem::Ptr>{};
}

std::vector<std::string> NSPopUpButtonCell::itemTitles() const {
    std::vector<std::string> titles;
    for (auto& item : itemArray()) titles.push_back(item->title());
    return titles;
}

void NSPopUpButtonCell::adoptItem(const NSMenuItem::Ptr& item) {
    // Items without an action of their own stand for the control's action, so they validate
    // while the menu enables items automatically.
    if (item->action().isNull() && !item->isSeparatorItem() && !item->isSectionHeader() && !item->hasSubmenu()) {
        item->setAction(popUpItemAction);
        item->setTarget(sharedAs<NSObject>());
    }
}

void NSPopUpButtonCell::addItem(std::string title) { insertItem(std::move(title), numberOfItems()); }

void NSPopUpButtonCell::addItems(const std::vector<std::string>& titles) {
    for (auto& title : titles) addItem(title);
}

void NSPopUpButtonCell::insertItem(std::string title, int index) {
    if (!menu_) return;
    // Titles are unique in a pop-up: the old item of that title goes.
    if (int old = menu_->indexOfItemWithTitle(title); old >= 0) {
        menu_->removeItem(old);
        if (old < index) --index;
    }
    auto item = NSMenuItem::make(std::move(title));
    adoptItem(item);
    menu_->insertItem(item, index);
    updateControlView();
}

void NSPopUpButtonCell::removeItem(int index) {
    if (menu_) menu_->removeItem(index);
    updateControlView();
}

void NSPopUpButtonCell::removeAllItems() {
    if (menu_) menu_->removeAllItems();
    selected_.reset();
    updateControlView();
}

bool NSPopUpButtonCell::contains(const NSMenuItem& item) const {
    for (auto menu = item.menu(); menu; menu = menu->supermenu())
        if (menu == menu_) return true;
    return false;
}

NSMenuItem::Ptr NSPopUpButtonCell::selectedItem() const {
    if (auto s = selected_.lock(); s && contains(*s)) return s;
    if (pullsDown_ || !menu_) return nullptr;
    for (auto& item : menu_->items())
        if (!item->isSeparatorItem() && !item->isSectionHeader()) return item;
    return nullptr;
}

int NSPopUpButtonCell::indexOfSelectedItem() const { return indexOfItem(selectedItem()); }

void NSPopUpButtonCell::selectItem(const NSMenuItem::Ptr& item) {
    if (item && !contains(*item)) return;
    if (!pullsDown_)
        if (auto old = selected_.lock()) old->setState(ControlStateValue::off);
    selected_ = item;
    shownTitle_.reset();
    if (item && !pullsDown_) item->setState(ControlStateValue::on);
    updateControlView();
}

bool NSPopUpButtonCell::selectItemWithTitle(const std::string& title) {
    auto it = menu_ ? menu_->itemWithTitle(title) : nullptr;
    selectItem(it);
    return it != nullptr;
}

bool NSPopUpButtonCell::selectItemWithTag(std::int64_t tag) {
    auto it = menu_ ? menu_->itemWithTag(tag) : nullptr;
    selectItem(it);
    return it != nullptr;
}

std::string NSPopUpButtonCell::titleOfSelectedItem() const {
    auto s = selectedItem();
    return s ? s->title() : std::string();
}

void NSPopUpButtonCell::setUsesItemFromMenu(bool flag) {
    usesItemFromMenu_ = flag;
    updateControlView();
}

NSMenuItem::Ptr NSPopUpButtonCell::menuItem() const {
    if (!usesItemFromMenu_) return ownMenuItem_;
    if (pullsDown_) return item(0);
    return selectedItem();
}

void NSPopUpButtonCell::setMenuItem(NSMenuItem::Ptr item) {
    if (usesItemFromMenu_)
        selectItem(item);
    else
        ownMenuItem_ = std::move(item);
    updateControlView();
}

const std::string& NSPopUpButtonCell::title() const {
    if (shownTitle_) return *shownTitle_;
    auto shown = menuItem();
    return shown ? shown->title() : emptyString();
}

void NSPopUpButtonCell::setTitle(std::string title) {
    if (usesItemFromMenu_ && !pullsDown_ && menu_) {
        if (auto it = menu_->itemWithTitle(title)) {
            selectItem(it);
            return;
        }
    }
    shownTitle_ = std::move(title);
    updateControlView();
}

NSImage::Ptr NSPopUpButtonCell::image() const {
    if (auto own = NSButtonCell::image()) return own;
    auto shown = menuItem();
    return shown ? shown->image() : nullptr;
}

CGRect NSPopUpButtonCell::drawingRect(CGRect b) const {
    return {b.minX() + leftMargin, b.minY(), std::max<CGFloat>(0, b.width() - leftMargin - arrowWidth), b.height()};
}

CGSize NSPopUpButtonCell::cellSize(CGRect forBounds) const {
    CGFloat widest = 0, tallest = 0;
    const auto measure = [&](const std::string& text) {
        const CGSize s = CoreGraphics::TextLayout::size(attributedText(text));
        widest = std::max(widest, s.width);
        tallest = std::max(tallest, s.height);
    };
    if (pullsDown_ || !menu_)
        measure(title());
    else
        for (auto& item : menu_->items())
            if (!item->isSeparatorItem()) measure(item->title());
    if (auto picture = image(); picture && imagePosition() != NSCellImagePosition::noImage) {
        widest += picture->size().width + 4;
        tallest = std::max(tallest, picture->size().height);
    }
    const CGSize button = NSButtonCell::cellSize(forBounds);
    return {std::ceil(widest) + leftMargin + arrowWidth, std::max(button.height, std::ceil(tallest) + 6)};
}

void NSPopUpButtonCell::drawBezel(CGRect withFrame, NSView& in) {
    NSButtonCell::drawBezel(withFrame, in);
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    // The arrows: a pair of chevrons for a pop-up, one pointing down for a pull-down.
    const CGFloat cx = withFrame.maxX() - arrowWidth / 2, cy = withFrame.midY();
    const bool flipped = in.isFlipped();
    const auto chevron = [&](CGFloat offset, bool down) {
        CoreGraphics::CGPath p;
        const CGFloat tip = (down == flipped) ? 2.5 : -2.5;  // towards the screen's bottom when down
        p.move({cx - 3.5, cy + offset - tip});
        p.addLine({cx, cy + offset + tip});
        p.addLine({cx + 3.5, cy + offset - tip});
        return p;
    };
    ctx->saveGState();
    auto colour = NSColor::controlTextColor()->cgColor();
    if (!isEnabled()) colour = colour.withAlpha(colour.alpha() * 0.5);
    ctx->setStrokeColor(colour);
    ctx->setLineWidth(1.5);
    if (pullsDown_) {
        ctx->stroke(chevron(0, true));
    } else {
        const CGFloat apart = flipped ? 3.5 : -3.5;
        ctx->stroke(chevron(-apart, false));
        ctx->stroke(chevron(apart, true));
    }
    ctx->restoreGState();
}

bool NSPopUpButtonCell::trackMenu(CGRect frame, NSView& view) {
    auto menu = menu_;
    if (!menu) return false;
    std::vector<NSMenuItem::Ptr> all;
    collect(*menu, all);
    for (auto& item : all) adoptItem(item);
    menu->setFont(font());
    const CGFloat below = view.isFlipped() ? frame.maxY() : frame.minY();
    const CGFloat top = view.isFlipped() ? frame.minY() : frame.maxY();
    auto positioning = pullsDown_ ? nullptr : selectedItem();
    auto chosen = menu->popUpChoosing(positioning, {frame.minX(), pullsDown_ ? below : top}, &view);
    if (!chosen) return false;
    if (!pullsDown_) selectItem(chosen);
    auto owner = chosen->menu();
    owner->performActionForItem(owner->indexOfItem(chosen));
    return true;
}

void NSPopUpButtonCell::itemChosen(Runtime::NSObject* sender) {
    auto* item = dynamic_cast<NSMenuItem*>(sender);
    if (item && !pullsDown_ && contains(*item)) selectItem(item->sharedAs<NSMenuItem>());
    auto control = std::dynamic_pointer_cast<NSControl>(controlView());
    if (control) control->sendAction(control->action(), control->target().get());
}

}  // namespace AppKit
