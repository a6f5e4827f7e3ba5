#include "DemoWindow.hpp"

#include <string>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSViewController.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace WindowDemo {

using namespace AppKit;
using CoreGraphics::AttributedText;
using CoreGraphics::CGPath;

namespace {

AttributedText text(const std::string& s, const NSFont::Ptr& font, const NSColor::Ptr& color,
                    CoreGraphics::TextAlignment alignment = CoreGraphics::TextAlignment::left) {
    return AttributedText(s, font->font(), color->cgColor(),
                          {alignment, CoreGraphics::LineBreakMode::byTruncatingTail});
}

// One line of text at its own size.
class Label : public NSView {
    VZ_OBJECT(Label, NSView)
public:
    std::string string;
    NSFont::Ptr font = NSFont::systemFont(13);
    NSColor::Ptr color = NSColor::labelColor();

    void setString(std::string s) {
        string = std::move(s);
        invalidateIntrinsicContentSize();
        setNeedsDisplay(true);
    }
    bool isFlipped() const override { return true; }
    CGSize intrinsicContentSize() const override {
        auto size = CoreGraphics::TextLayout::size(text(string, font, color));
        return {std::ceil(size.width), std::ceil(size.height)};
    }
    void draw(CGRect) override {
        if (auto* ctx = CoreGraphics::CGContext::current()) ctx->drawText(text(string, font, color), bounds());
    }

protected:
    using NSView::NSView;
};

// A push button: a rounded bezel that darkens while the mouse is down inside it, and sends
// its action when the mouse goes up inside. It tracks the mouse itself, as controls do.
class Button : public NSView {
    VZ_OBJECT(Button, NSView)
public:
    std::string title;
    Runtime::Selector action;
    std::weak_ptr<Runtime::NSObject> target;
    bool highlighted = false;

    bool isFlipped() const override { return true; }
    bool acceptsFirstMouse(const NSEvent*) const override { return true; }
    CGSize intrinsicContentSize() const override { return {96, 28}; }
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx) return;
        CGRect r = bounds().insetBy(0.5, 0.5);
        bool dark = effectiveAppearance()->isDark();
        auto fill = highlighted ? NSColor::controlAccentColor() : NSColor::dynamic("bezel", CoreGraphics::CGColor::gray(1),
                                                                                  CoreGraphics::CGColor::gray(0.36));
        fill->setFill();
        ctx->fill(CGPath::roundedRect(r, 6));
        ctx->setStrokeColor(CoreGraphics::CGColor::gray(dark ? 0.5 : 0.7));
        ctx->setLineWidth(1);
        ctx->stroke(CGPath::roundedRect(r, 6));
        auto color = highlighted ? NSColor::whiteColor() : NSColor::controlTextColor();
        auto t = text(title, NSFont::systemFont(13, FontWeight::medium), color, CoreGraphics::TextAlignment::center);
        CGFloat h = CoreGraphics::TextLayout::size(t, bounds().size.width).height;
        ctx->drawText(t, {0, std::round((bounds().size.height - h) / 2), bounds().size.width, h});
    }
    void mouseDown(const NSEvent& event) override {
        setHighlighted(true);
        bool inside = true;
        for (auto e = window()->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp()); e;
             e = window()->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp())) {
            inside = bounds().contains(convert(e->locationInWindow(), nullptr));
            setHighlighted(inside);
            if (e->type() == EventType::leftMouseUp) break;
            window()->displayIfNeeded();
        }
        setHighlighted(false);
        if (inside) NSApplication::shared().sendAction(action, target.lock().get(), this);
        (void)event;
    }

private:
    void setHighlighted(bool h) {
        if (h == highlighted) return;
        highlighted = h;
        setNeedsDisplay(true);
    }

protected:
    using NSView::NSView;
};

// Colour chips, one per hue.
class Swatches : public NSView {
    VZ_OBJECT(Swatches, NSView)
public:
    CGSize intrinsicContentSize() const override { return {NSViewNoIntrinsicMetric, 24}; }
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx) return;
        const CoreGraphics::CGColor colors[] = {
            CoreGraphics::CGColor::hex(0xE8505B), CoreGraphics::CGColor::hex(0xF9D56E), CoreGraphics::CGColor::hex(0x14B1AB),
            CoreGraphics::CGColor::hex(0x3F72AF), CoreGraphics::CGColor::displayP3(0.6, 0.3, 0.9)};
        const int n = 5;
        CGFloat w = (bounds().size.width - (n - 1) * 8) / n;
        for (int i = 0; i < n; ++i) {
            ctx->setFillColor(colors[i]);
            ctx->fill(CGPath::roundedRect({i * (w + 8), 0, w, bounds().size.height}, 4));
        }
    }

protected:
    using NSView::NSView;
};

// Owns the views and answers the buttons.
class DemoController : public NSViewController {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("count:", &DemoController::count), Runtime::action("toggleTheme:", &DemoController::toggleTheme)};
    }

private:
    VZ_OBJECT(DemoController, NSViewController)

public:
    std::shared_ptr<Label> counter;
    int clicks = 0;

    void loadView() override { setView(Runtime::make<NSView>(CGRect{0, 0, 360, 240})); }
    void viewDidLoad() override {
        auto root = view();
        auto title = Runtime::make<Label>();
        title->setString("Vantrel Zellow");
        title->font = NSFont::boldSystemFont(22);
        auto line = Runtime::make<Label>();
        line->setString("Views, text and buttons in one window.");
        line->font = NSFont::systemFont(12);
        line->color = NSColor::secondaryLabelColor();
        counter = Runtime::make<Label>();
        counter->setString("Clicks: 0");
        auto countButton = makeButton("Count", "count:");
        auto themeButton = makeButton("Theme", "toggleTheme:");
        auto swatches = Runtime::make<Swatches>();
        for (NSView::Ptr v : std::initializer_list<NSView::Ptr>{title, line, counter, countButton, themeButton, swatches}) {
            v->setTranslatesAutoresizingMaskIntoConstraints(false);
            root->addSubview(v);
        }
        NSLayoutConstraint::activate({
            title->topAnchor().constraint(root->topAnchor(), 20),
            title->leadingAnchor().constraint(root->leadingAnchor(), 20),
            line->topAnchor().constraint(title->bottomAnchor(), 6),
            line->leadingAnchor().constraint(title->leadingAnchor()),
            line->trailingAnchor().constraint(root->trailingAnchor(), -20),
            swatches->topAnchor().constraint(line->bottomAnchor(), 18),
            swatches->leadingAnchor().constraint(root->leadingAnchor(), 20),
            swatches->trailingAnchor().constraint(root->trailingAnchor(), -20),
            countButton->leadingAnchor().constraint(root->leadingAnchor(), 20),
            countButton->bottomAnchor().constraint(root->bottomAnchor(), -20),
            themeButton->leadingAnchor().constraint(countButton->trailingAnchor(), 12),
            themeButton->centerYAnchor().constraint(countButton->centerYAnchor()),
            counter->trailingAnchor().constraint(root->trailingAnchor(), -20),
            counter->centerYAnchor().constraint(countButton->centerYAnchor()),
        });
    }
    void count(Runtime::NSObject*) { counter->setString("Clicks: " + std::to_string(++clicks)); }
    void toggleTheme(Runtime::NSObject*) {
        auto w = view()->window();
        bool dark = w && w->effectiveAppearance()->isDark();
        if (w) w->setAppearance(NSAppearance::named(dark ? NSAppearance::aqua : NSAppearance::darkAqua));
    }

private:
    std::shared_ptr<Button> makeButton(const std::string& title, const char* action) {
        auto b = Runtime::make<Button>();
        b->title = title;
        b->action = Runtime::Selector(action);
        b->target = sharedAs<Runtime::NSObject>();
        b->setIdentifier(title);
        return b;
    }
};

}  // namespace

std::shared_ptr<NSWindow> makeDemoWindow() {
    auto controller = Runtime::make<DemoController>();
    auto window = NSWindow::withContentViewController(controller);
    window->setTitle("Window demo");
    window->setIdentifier("demo");
    window->setStyleMask(StyleMask::titled() | StyleMask::closable());
    return window;
}

}  // namespace WindowDemo
