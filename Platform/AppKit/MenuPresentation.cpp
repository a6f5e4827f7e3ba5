#include "AppKit/MenuPresentation.hpp"

#include <algorithm>
#include <utility>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSMenu.hpp"
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

const MenuPresentation* tracked = nullptr;

// An alternate shows in place of the item before it only while its modifiers are held; the
// menu here shows the primary items.
bool hiddenFromView(const NSMenuItem& item) { return item.isHidden() || item.isAlternate(); }

CoreGraphics::AttributedText titleText(const NSMenuItem& item, const CoreGraphics::CGColor& color) {
    auto menu = item.menu();
    auto font = menu && menu->font() ? menu->font() : NSFont::systemFont(NSFont::systemFontSize());
    return CoreGraphics::AttributedText(item.title(), font->font(), color,
                                        {CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byTruncatingTail});
}

struct Palette {
    CoreGraphics::CGColor background, border, text, disabled, separator, highlight, highlightedText;
};

Palette palette(const NSAppearance* appearance) {
    if (appearance && appearance->isDark())
        return {CoreGraphics::CGColor::gray(0.17), CoreGraphics::CGColor::gray(0.38), CoreGraphics::CGColor::gray(0.92),
                CoreGraphics::CGColor::gray(0.5), CoreGraphics::CGColor::gray(0.32), NSColor::controlAccentColor()->resolved(*appearance),
                CoreGraphics::CGColor::white()};
    const auto aqua = NSAppearance::named(NSAppearance::aqua);
    const NSAppearance& light = appearance ? *appearance : *aqua;
    return {CoreGraphics::CGColor::gray(0.97), CoreGraphics::CGColor::gray(0.72), CoreGraphics::CGColor::gray(0.1),
            CoreGraphics::CGColor::gray(0.6), CoreGraphics::CGColor::gray(0.85), NSColor::controlAccentColor()->resolved(light),
            CoreGraphics::CGColor::white()};
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
        const Palette p = palette(presentation->appearance_.get());
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
            ctx->drawText(titleText(item, color), {row.origin.x + leading, row.origin.y + 3, row.size.width - leading - trailing / 2, row.size.height - 3});
        }
    }

protected:
    using NSView::NSView;
};

MenuPresentation::MenuPresentation(NSMenu& menu, NSWindow& window, std::shared_ptr<NSAppearance> appearance)
    : menu_(menu), window_(window), appearance_(appearance ? std::move(appearance) : window.effectiveAppearance()) {}

const MenuPresentation* MenuPresentation::current() { return tracked; }

void MenuPresentation::layOut(CGPoint location, int positioning) {
    CGFloat width = minimumWidth, y = padding;
    rows_.clear();
    for (const auto& item : menu_.items()) {
        const CGFloat h = hiddenFromView(*item) ? 0 : item->isSeparatorItem() ? separatorHeight : rowHeight;
        rows_.push_back({0, y, 0, h});
        y += h;
        if (!hiddenFromView(*item) && !item->isSeparatorItem())
            width = std::max(width, leading + CoreGraphics::TextLayout::size(titleText(*item, {})).width + trailing);
    }
    const CGFloat height = y + padding;
    for (auto& row : rows_) row.size.width = width;
    // Below and to the right of the point, or with the positioning item's row over it; moved
    // back inside the window where it would leave it.
    const CGSize area = window_.contentSize();
    CGFloat top = location.y;
    if (positioning >= 0 && positioning < int(rows_.size()) && rows_[std::size_t(positioning)].size.height > 0) {
        const CGRect row = rows_[std::size_t(positioning)];
        top = location.y + row.origin.y + row.size.height / 2;
    }
    const CGFloat left = std::max<CGFloat>(0, std::min(location.x, area.width - width));
    const CGFloat bottom = std::min(std::max<CGFloat>(0, top - height), std::max<CGFloat>(0, area.height - height));
    view_ = Runtime::make<OverlayView>(CGRect{left, bottom, width, height});
    view_->presentation = this;
}

CGRect MenuPresentation::frame() const { return view_ ? view_->frame() : CGRect{}; }

CGRect MenuPresentation::frameOfItem(int index) const {
    if (index < 0 || index >= int(rows_.size()) || rows_[std::size_t(index)].size.height <= 0) return {};
    const CGRect f = frame(), row = rows_[std::size_t(index)];
    return {f.origin.x + row.origin.x, f.origin.y + f.size.height - row.origin.y - row.size.height, row.size.width, row.size.height};
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

bool MenuPresentation::handle(const NSEvent& e, NSMenuItem::Ptr& chosen) {
    switch (e.type()) {
    case EventType::mouseMoved:
    case EventType::leftMouseDragged:
    case EventType::rightMouseDragged:
        openingClick_ = false;
        setHighlighted(itemAt(e.locationInWindow()));
        return false;
    case EventType::leftMouseDown:
    case EventType::rightMouseDown:
    case EventType::otherMouseDown:
        // A click outside closes the menu and goes no further, as on the platform.
        if (!frame().contains(e.locationInWindow())) return true;
        setHighlighted(itemAt(e.locationInWindow()));
        return false;
    case EventType::leftMouseUp:
    case EventType::rightMouseUp: {
        // The release of the click that opened the menu leaves it open, as on the platform;
        // releasing after moving onto an item takes it.
        if (std::exchange(openingClick_, false)) return false;
        const int at = itemAt(e.locationInWindow());
        if (!selectable(at)) return false;
        chosen = menu_.item(at);
        return true;
    }
    case EventType::keyDown:
        switch (e.keyCode()) {
        case KeyCode::downArrow: moveHighlight(1); return false;
        case KeyCode::upArrow: moveHighlight(-1); return false;
        case KeyCode::escape: return true;
        case KeyCode::returnKey:
        case KeyCode::space:
            if (highlighted_ >= 0) chosen = menu_.item(highlighted_);
            return true;
        default: break;
        }
        if (e.characters() == "\r" || e.characters() == "\x03") {
            if (highlighted_ >= 0) chosen = menu_.item(highlighted_);
            return true;
        }
        if (e.characters() == "\x1b") return true;
        return false;
    default: return false;
    }
}

NSMenuItem::Ptr MenuPresentation::track(NSMenu& menu, NSWindow& window, CGPoint location, const NSMenuItem::Ptr& positioning,
                                        std::shared_ptr<NSAppearance> appearance) {
    auto keepMenu = menu.sharedAs<NSMenu>();
    auto keepWindow = window.sharedAs<NSWindow>();
    MenuPresentation p(menu, window, std::move(appearance));
    auto opening = NSApplication::shared().currentEvent();
    p.openingClick_ = opening && (opening->type() == EventType::leftMouseDown || opening->type() == EventType::rightMouseDown);
    p.layOut(location, menu.indexOfItem(positioning));
    p.setHighlighted(menu.indexOfItem(positioning));
    p.outer_ = tracked;
    tracked = &p;
    window.addOverlay(p.view_);
    window.displayIfNeeded();

    auto& app = NSApplication::shared();
    postNotification(didBeginTrackingNotification, keepMenu);
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
        if (p.handle(*event, chosen)) break;
    }
    tracked = p.outer_;
    window.removeOverlay(p.view_);
    p.view_->presentation = nullptr;
    window.displayIfNeeded();
    postNotification(didEndTrackingNotification, keepMenu);
    return chosen;
}

}  // namespace AppKit
