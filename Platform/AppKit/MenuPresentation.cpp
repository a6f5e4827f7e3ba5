#include "AppKit/MenuPresentation.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuDelegate.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/PostNotification.hpp"
#include "AppKit/WindowBackend.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/Path.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Dispatch/Clock.hpp"

namespace AppKit {

namespace {

constexpr CGFloat rowHeight = 22, separatorHeight = 11, padding = 5, leading = 22, trailing = 20, radius = 6;
constexpr CGFloat minimumWidth = 120;
// Between an item's title and its shortcut, and the room of a submenu's arrow.
constexpr CGFloat shortcutGap = 28, arrowRoom = 12;
// A submenu overlaps its menu this much, as a desktop's do.
constexpr CGFloat submenuOverlap = 3;

const MenuPresentation* tracked = nullptr;

// An alternate shows in place of the item before it only while its modifiers are held; the
// menu here shows the primary items.
bool hiddenFromView(const NSMenuItem& item) { return item.isHidden() || item.isAlternate(); }

std::shared_ptr<NSFont> itemFont(const NSMenuItem& item) {
    auto menu = item.menu();
    return menu && menu->font() ? menu->font() : NSFont::systemFont(NSFont::systemFontSize());
}

CoreGraphics::AttributedText titleText(const NSMenuItem& item, const CoreGraphics::CGColor& color) {
    return CoreGraphics::AttributedText(item.title(), itemFont(item)->font(), color,
                                        {CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byTruncatingTail});
}

CoreGraphics::AttributedText shortcut(const NSMenuItem& item, const CoreGraphics::CGColor& color) {
    return CoreGraphics::AttributedText(MenuPresentation::shortcutText(item), itemFont(item)->font(), color,
                                        {CoreGraphics::TextAlignment::right, CoreGraphics::LineBreakMode::byClipping});
}

// The name a key equivalent's key goes by on the desktop.
std::string keyName(const std::string& key) {
    static const std::pair<const char*, const char*> named[] = {
        {"\r", "Return"}, {"\x03", "Enter"}, {"\x1b", "Esc"}, {"\t", "Tab"}, {" ", "Space"}, {"\x7f", "Backspace"},
        {"\x08", "Backspace"}, {"\uF728", "Delete"}, {"\uF700", "Up"}, {"\uF701", "Down"}, {"\uF702", "Left"},
        {"\uF703", "Right"}, {"\uF729", "Home"}, {"\uF72B", "End"}, {"\uF72C", "Page Up"}, {"\uF72D", "Page Down"}};
    for (auto [k, name] : named)
        if (key == k) return name;
    // The platform's function keys are U+F704 ... U+F70F.
    if (key.size() == 3 && static_cast<unsigned char>(key[0]) == 0xEF && static_cast<unsigned char>(key[1]) == 0x9C) {
        const int n = static_cast<unsigned char>(key[2]) - 0x84;
        if (n >= 0 && n < 12) return "F" + std::to_string(n + 1);
    }
    if (key.size() == 1) return std::string(1, char(std::toupper(static_cast<unsigned char>(key[0]))));
    return key;
}

struct Palette {
    CoreGraphics::CGColor background, border, text, disabled, separator, highlight, highlightedText;
};

Palette palette(const NSAppearance& appearance) {
    const auto accent = NSColor::controlAccentColor()->resolved(appearance);
    if (appearance.isDark())
        return {CoreGraphics::CGColor::gray(0.17), CoreGraphics::CGColor::gray(0.38), CoreGraphics::CGColor::gray(0.92),
                CoreGraphics::CGColor::gray(0.5), CoreGraphics::CGColor::gray(0.32), accent, CoreGraphics::CGColor::white()};
    return {CoreGraphics::CGColor::gray(0.97), CoreGraphics::CGColor::gray(0.72), CoreGraphics::CGColor::gray(0.1),
            CoreGraphics::CGColor::gray(0.6), CoreGraphics::CGColor::gray(0.85), accent, CoreGraphics::CGColor::white()};
}

}  // namespace

// The menu's picture over the window's content.
class MenuPresentation::OverlayView : public NSView {
    VZ_OBJECT(OverlayView, NSView)
public:
    const MenuPresentation* presentation = nullptr;
    bool isFlipped() const override { return true; }
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx || !presentation) return;
        const Palette p = palette(presentation->appearance());
        const CGRect box = bounds();
        auto outline = CoreGraphics::CGPath::roundedRect(box, radius);
        ctx->setFillColor(p.border);
        ctx->fill(outline);
        ctx->setFillColor(p.background);
        ctx->fill(CoreGraphics::CGPath::roundedRect({box.origin.x + 1, box.origin.y + 1, box.size.width - 2, box.size.height - 2}, radius - 1));
        const auto& items = presentation->menu_.items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const NSMenuItem& item = *items[i];
            const CGRect row = presentation->rows_[i];
            if (hiddenFromView(item)) continue;
            if (item.isSeparatorItem()) {
                ctx->setFillColor(p.separator);
                ctx->fill(CGRect{row.origin.x + 10, row.origin.y + row.size.height / 2, row.size.width - 20, 1});
                continue;
            }
            const bool lit = int(i) == presentation->highlighted_;
            if (lit) {
                ctx->setFillColor(p.highlight);
                ctx->fill(CoreGraphics::CGPath::roundedRect({row.origin.x + 5, row.origin.y, row.size.width - 10, row.size.height}, 4));
            }
            const auto color = lit ? p.highlightedText : item.isEnabled() && !item.isSectionHeader() ? p.text : p.disabled;
            if (item.state() == ControlStateValue::on)
                ctx->drawText(CoreGraphics::AttributedText("\u2713", NSFont::systemFont(NSFont::systemFontSize())->font(), color),
                              {row.origin.x + 7, row.origin.y + 3, leading - 7, row.size.height - 3});
            const CGFloat right = row.origin.x + row.size.width - trailing / 2 - 2;
            ctx->drawText(titleText(item, color), {row.origin.x + leading, row.origin.y + 3, right - row.origin.x - leading, row.size.height - 3});
            if (item.hasSubmenu()) {
                // An arrow pointing to where the submenu opens.
                const CGFloat cy = row.origin.y + row.size.height / 2;
                CoreGraphics::CGPath arrow;
                arrow.move({right - 5, cy - 4});
                arrow.addLine({right, cy});
                arrow.addLine({right - 5, cy + 4});
                arrow.closeSubpath();
                ctx->setFillColor(color);
                ctx->fill(arrow);
            } else if (!item.keyEquivalent().empty()) {
                ctx->drawText(shortcut(item, lit ? p.highlightedText : p.disabled),
                              {row.origin.x + leading, row.origin.y + 3, right - row.origin.x - leading, row.size.height - 3});
            }
        }
    }

protected:
    using NSView::NSView;
};

MenuPresentation::MenuPresentation(NSMenu& menu, NSWindow& window, std::shared_ptr<NSAppearance> appearance, CGFloat scale,
                                   MenuPresentation* parent)
    : menu_(menu), keptMenu_(menu.sharedAs<NSMenu>()), window_(window),
      appearance_(appearance ? std::move(appearance) : window.effectiveAppearance()), scale_(scale > 0 ? scale : 1),
      parent_(parent) {}

MenuPresentation::~MenuPresentation() = default;

const MenuPresentation* MenuPresentation::current() { return tracked; }

std::string MenuPresentation::shortcutText(const NSMenuItem& item) {
    const std::string& key = item.keyEquivalent();
    if (key.empty() || item.isSeparatorItem()) return {};
    const ModifierFlags m = item.keyEquivalentModifierMask();
    const bool upper = key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0]));
    std::string text;
    // The platform's Command is this desktop's Ctrl.
    if (m.contains(ModifierFlags::command()) || m.contains(ModifierFlags::control())) text += "Ctrl+";
    if (m.contains(ModifierFlags::option())) text += "Alt+";
    if (m.contains(ModifierFlags::shift()) || upper) text += "Shift+";
    return text + keyName(key);
}

CGSize MenuPresentation::measure() {
    CGFloat width = minimumWidth, y = padding;
    rows_.clear();
    for (const auto& item : menu_.items()) {
        const CGFloat h = hiddenFromView(*item) ? 0 : item->isSeparatorItem() ? separatorHeight : rowHeight;
        rows_.push_back({0, y, 0, h});
        y += h;
        if (hiddenFromView(*item) || item->isSeparatorItem()) continue;
        CGFloat w = leading + CoreGraphics::TextLayout::size(titleText(*item, {})).width + trailing;
        if (item->hasSubmenu()) w += arrowRoom;
        else if (!item->keyEquivalent().empty()) w += shortcutGap + CoreGraphics::TextLayout::size(shortcut(*item, {})).width;
        width = std::max(width, w);
    }
    for (auto& row : rows_) row.size.width = width;
    return {width, y + padding};
}

void MenuPresentation::place(CGFloat left, CGFloat top, CGSize size) {
    // Moved back inside the window where it would leave it.
    const CGSize area = window_.contentSize(), shown{size.width * scale_, size.height * scale_};
    left = std::max<CGFloat>(0, std::min(left, area.width - shown.width));
    const CGFloat bottom = std::min(std::max<CGFloat>(0, top - shown.height), std::max<CGFloat>(0, area.height - shown.height));
    view_ = Runtime::make<OverlayView>(CGRect{left, bottom, shown.width, shown.height});
    // Drawn in its own points, scaled to the content's size.
    view_->setBoundsSize(size);
    view_->presentation = this;
}

void MenuPresentation::layOut(CGPoint location, int positioning) {
    const CGSize size = measure();
    // Below and to the right of the point, or with the positioning item's row over it.
    CGFloat top = location.y;
    if (positioning >= 0 && positioning < int(rows_.size()) && rows_[std::size_t(positioning)].size.height > 0) {
        const CGRect row = rows_[std::size_t(positioning)];
        top = location.y + (row.origin.y + row.size.height / 2) * scale_;
    }
    place(location.x, top, size);
}

void MenuPresentation::layOutBeside(CGRect row) {
    const CGSize size = measure();
    // To the right of the row, its first item level with it; to the left where the window
    // has no room on the right.
    const CGFloat area = window_.contentSize().width, width = size.width * scale_;
    CGFloat left = row.origin.x + row.size.width - submenuOverlap * scale_;
    if (left + width > area) left = std::max<CGFloat>(0, row.origin.x + submenuOverlap * scale_ - width);
    place(left, row.origin.y + row.size.height + padding * scale_, size);
}

CGRect MenuPresentation::frame() const { return view_ ? view_->frame() : CGRect{}; }

CGRect MenuPresentation::frameOfItem(int index) const {
    if (index < 0 || index >= int(rows_.size()) || rows_[std::size_t(index)].size.height <= 0) return {};
    const CGRect f = frame(), row = rows_[std::size_t(index)];
    return {f.origin.x + row.origin.x * scale_, f.origin.y + f.size.height - (row.origin.y + row.size.height) * scale_,
            row.size.width * scale_, row.size.height * scale_};
}

CGPoint MenuPresentation::locationOfItem(const std::string& title) const {
    for (int i = 0; i < menu_.numberOfItems(); ++i) {
        const auto& item = *menu_.item(i);
        if (hiddenFromView(item) || item.isSeparatorItem() || item.title() != title) continue;
        const CGRect r = frameOfItem(i);
        return {r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
    }
    return {};
}

int MenuPresentation::itemAt(CGPoint p) const {
    for (int i = 0; i < int(rows_.size()); ++i)
        if (frameOfItem(i).contains(p)) return i;
    return -1;
}

bool MenuPresentation::selectable(int index) const {
    auto item = menu_.item(index);
    return item && !hiddenFromView(*item) && !item->isSeparatorItem() && !item->isSectionHeader() && item->isEnabled();
}

void MenuPresentation::setHighlighted(int index) {
    if (!selectable(index)) index = -1;
    if (index == highlighted_) return;
    highlighted_ = index;
    view_->setNeedsDisplay(true);
}

void MenuPresentation::moveHighlight(int step) {
    const int count = menu_.numberOfItems();
    // From nothing highlighted, Down takes the first item and Up the last.
    int i = highlighted_ < 0 ? (step > 0 ? -1 : count) : highlighted_;
    for (i += step; i >= 0 && i < count; i += step)
        if (selectable(i)) return setHighlighted(i);
}

MenuPresentation& MenuPresentation::innermost() {
    MenuPresentation* m = this;
    while (m->child_) m = m->child_.get();
    return *m;
}

MenuPresentation* MenuPresentation::menuAt(CGPoint p) {
    for (MenuPresentation* m = &innermost(); m; m = m->parent_)
        if (m->frame().contains(p)) return m;
    return nullptr;
}

void MenuPresentation::show() {
    tracked = this;
    window_.addOverlay(view_);
    window_.displayIfNeeded();
    postNotification(didBeginTrackingNotification, keptMenu_);
}

void MenuPresentation::hide() {
    window_.removeOverlay(view_);
    view_->presentation = nullptr;
    window_.displayIfNeeded();
    postNotification(didEndTrackingNotification, keptMenu_);
}

void MenuPresentation::openSubmenu(bool highlightFirst) {
    auto item = menu_.item(highlighted_);
    auto sub = item ? item->submenu() : nullptr;
    if (!sub) return;
    if (child_ && &child_->menu_ == sub.get()) {
        if (highlightFirst && child_->highlighted_ < 0) child_->moveHighlight(1);
        return;
    }
    closeSubmenu();
    sub->update();
    if (auto d = dynamic_cast<NSMenuDelegate*>(sub->delegate().get())) d->menuWillOpen(*sub);
    child_.reset(new MenuPresentation(*sub, window_, appearance_, scale_, this));
    child_->layOutBeside(frameOfItem(highlighted_));
    if (highlightFirst) child_->moveHighlight(1);
    child_->show();
}

void MenuPresentation::closeSubmenu() {
    if (!child_) return;
    child_->closeSubmenu();
    child_->hide();
    auto sub = child_->keptMenu_;
    child_.reset();
    tracked = this;
    if (auto d = dynamic_cast<NSMenuDelegate*>(sub->delegate().get())) d->menuDidClose(*sub);
}

bool MenuPresentation::handle(const NSEvent& e, NSMenuItem::Ptr& chosen) {
    const CGPoint p = e.locationInWindow();
    // Onto a row: its submenu opens and any other closes; resting on the row that opened the
    // submenu showing changes nothing.
    auto enter = [&](MenuPresentation& m) {
        const int row = m.itemAt(p);
        if (m.child_ && row == m.highlighted_) return;
        m.closeSubmenu();
        m.setHighlighted(row);
        if (m.highlighted_ >= 0 && m.menu_.item(m.highlighted_)->hasSubmenu()) m.openSubmenu(false);
    };
    switch (e.type()) {
    case EventType::mouseMoved:
    case EventType::leftMouseDragged:
    case EventType::rightMouseDragged:
        openingClick_ = false;
        if (auto* m = menuAt(p)) enter(*m);
        else innermost().setHighlighted(-1);
        return false;
    case EventType::leftMouseDown:
    case EventType::rightMouseDown:
    case EventType::otherMouseDown:
        // A click outside closes the menu and goes no further, as on the platform.
        if (auto* m = menuAt(p)) {
            enter(*m);
            return false;
        }
        return true;
    case EventType::leftMouseUp:
    case EventType::rightMouseUp: {
        // The release of the click that opened the menu leaves it open, as on the platform;
        // releasing after moving onto an item takes it.
        if (std::exchange(openingClick_, false)) return false;
        auto* m = menuAt(p);
        const int at = m ? m->itemAt(p) : -1;
        if (!m || !m->selectable(at)) return false;
        if (m->menu_.item(at)->hasSubmenu()) {
            enter(*m);
            return false;
        }
        chosen = m->menu_.item(at);
        return true;
    }
    case EventType::keyDown: return innermost().handleKey(e, chosen);
    default: return false;
    }
}

bool MenuPresentation::handleKey(const NSEvent& e, NSMenuItem::Ptr& chosen) {
    // Return takes the highlighted item, or opens its submenu; with nothing highlighted it
    // closes the menu.
    auto take = [&] {
        if (highlighted_ < 0) return true;
        auto item = menu_.item(highlighted_);
        if (item->hasSubmenu()) {
            openSubmenu(true);
            return false;
        }
        chosen = item;
        return true;
    };
    // Escape and Left close a submenu and leave its menu open; Escape closes the menu itself.
    auto back = [&](bool closesMenu) {
        if (MenuPresentation* parent = parent_) {
            parent->closeSubmenu();  // this presentation is gone from here on
            return false;
        }
        return closesMenu;
    };
    switch (e.keyCode()) {
    case KeyCode::downArrow: moveHighlight(1); return false;
    case KeyCode::upArrow: moveHighlight(-1); return false;
    case KeyCode::rightArrow: openSubmenu(true); return false;
    case KeyCode::leftArrow: return back(false);
    case KeyCode::escape: return back(true);
    // As it opens the application menu, F10 closes whatever menu is open.
    case KeyCode::f10: return true;
    case KeyCode::returnKey:
    case KeyCode::space: return take();
    default: break;
    }
    if (e.characters() == "\r" || e.characters() == "\x03") return take();
    if (e.characters() == "\x1b") return back(true);
    return false;
}

NSMenuItem::Ptr MenuPresentation::track(NSMenu& menu, NSWindow& window, CGPoint location, const NSMenuItem::Ptr& positioning,
                                        std::shared_ptr<NSAppearance> appearance, CGFloat scale) {
    auto keepWindow = window.sharedAs<NSWindow>();
    MenuPresentation p(menu, window, std::move(appearance), scale, nullptr);
    auto opening = NSApplication::shared().currentEvent();
    p.openingClick_ = opening && (opening->type() == EventType::leftMouseDown || opening->type() == EventType::rightMouseDown);
    p.layOut(location, menu.indexOfItem(positioning));
    p.setHighlighted(menu.indexOfItem(positioning));
    p.outer_ = tracked;
    p.show();

    auto& app = NSApplication::shared();
    NSMenuItem::Ptr chosen;
    for (;;) {
        if (!window.isVisible()) break;
        window.displayIfNeeded();
        auto* backend = app.windowBackend();
        // A back end that can wait is asked for input a little at a time, so a window closed
        // meanwhile ends the menu; without one only what is queued can come.
        const bool canWait = backend && backend->waitForEvents(0);
        const double now = Dispatch::Clock::shared().now();
        auto event = app.nextEvent(EventTypeMask::any(), canWait ? now + 0.25 : now, Dispatch::RunLoop::Mode::eventTracking, true);
        if (!event) {
            if (canWait) continue;
            break;
        }
        if (event->window() && event->window().get() != &window) continue;
        // A shortcut (Ctrl+Q) closes the menu and then does what it does with no menu open.
        if (event->type() == EventType::keyDown && event->flags().holdsCommandKey()) {
            app.postEvent(event, true);
            break;
        }
        if (p.handle(*event, chosen)) break;
    }
    p.closeSubmenu();
    tracked = p.outer_;
    p.hide();
    return chosen;
}

}  // namespace AppKit
