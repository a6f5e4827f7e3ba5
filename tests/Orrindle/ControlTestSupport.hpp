#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "TestSupport/MainLoop.hpp"

namespace OrrindleTest {

using AppKit::CGPoint;
using AppKit::CGRect;
using CoreGraphics::DisplayList;
namespace Op = CoreGraphics::Op;

// A window on virtual time with the controls under test, and a receiver of actions.
class ControlTest : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        window = AppKit::NSWindow::make({0, 0, 400, 300});
        window->makeKeyAndOrderFront();
    }
    void TearDown() override {
        AppKit::NSMenu::setChooser(nullptr);
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSEvent::setModifierFlags({});
        AppKit::NSEvent::setPressedMouseButtons(0);
        AppKit::NSEvent::setDoubleClickInterval(0.5);
        TestSupport::VirtualTimeTest::TearDown();
    }

    template <class View>
    std::shared_ptr<View> place(std::shared_ptr<View> view) {
        window->contentView()->addSubview(view);
        return view;
    }

    // A mouse event at a point of a view's bounds, `after` seconds from now on the clock.
    std::shared_ptr<AppKit::NSEvent> event(AppKit::EventType type, const AppKit::NSView& view, CGPoint at,
                                           double after = 0, AppKit::ModifierFlags flags = {}, int clicks = 1) {
        const CGPoint p = view.convertTo(at, nullptr);
        const double stamp = after > 0 ? Dispatch::Clock::shared().now() + after : 0;
        return AppKit::NSEvent::mouseEvent(type, p, flags, stamp, window, clicks);
    }
    // Queues a press and a release in the middle of a view and delivers them.
    void click(const AppKit::NSView& view, AppKit::ModifierFlags flags = {}, int clicks = 1) {
        const CGPoint mid{view.bounds().midX(), view.bounds().midY()};
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(event(AppKit::EventType::leftMouseDown, view, mid, 0, flags, clicks));
        app.postEvent(event(AppKit::EventType::leftMouseUp, view, mid, 0, flags, clicks));
        app.processQueuedEvents();
    }

    // What a view draws of itself (its subviews included); each operation keeps the user space
    // it was drawn in (the view's own coordinates for its cell).
    static DisplayList drawn(AppKit::NSView& view) {
        CoreGraphics::CGContext ctx({view.frame().maxX() + 40, view.frame().maxY() + 40});
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        view.displayInCurrentContext();
        return ctx.takeDisplayList();
    }
    static std::vector<const Op::Image*> images(const DisplayList& list) { return list.all<Op::Image>(); }
    // Where the ink of the drawn `text` lies in the window (y up), as the raster shows it: the
    // text runs down from the top of its box, whichever way its view runs.
    std::optional<CGRect> inkInWindow(const std::string& text) {
        window->display();
        for (auto* t : window->displayList().all<Op::Text>()) {
            if (t->text.string() != text) continue;
            const CGRect box = t->state.transform.apply(t->box);
            const CGRect ink = CoreGraphics::TextLayout::inkRect(t->text, t->box);
            return CGRect{box.minX() + ink.minX() - t->box.minX(), box.maxY() - (ink.maxY() - t->box.minY()), ink.width(), ink.height()};
        }
        return std::nullopt;
    }

    AppKit::NSWindow::Ptr window;
};

// A view of class Base that writes down each turn of its bounds, in degrees.
template <class Base>
class Turning : public Base {
public:
    std::vector<AppKit::CGFloat> turns;
    void rotateByDegrees(AppKit::CGFloat angle) override {
        turns.push_back(angle);
        Base::rotateByDegrees(angle);
    }

protected:
    using Base::Base;
};

// Receives actions by selector and counts them.
class Receiver : public Runtime::NSObject {
    VZ_OBJECT(Receiver, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("primary:", &Receiver::primary), Runtime::action("secondary:", &Receiver::secondary)};
    }
    void primary(Runtime::NSObject* sender) { log.push_back("primary"), lastSender = sender; }
    void secondary(Runtime::NSObject* sender) { log.push_back("secondary"), lastSender = sender; }
    std::vector<std::string> log;
    Runtime::NSObject* lastSender = nullptr;
};

}  // namespace OrrindleTest
