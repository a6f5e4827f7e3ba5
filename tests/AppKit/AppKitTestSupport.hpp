#pragma once
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "TestSupport/MainLoop.hpp"

namespace AppKitTest {

// A test with a clean application on virtual time.
class AppKitTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSEvent::setModifierFlags({});
        AppKit::NSEvent::setPressedMouseButtons(0);
        TestSupport::VirtualTimeTest::TearDown();
    }

    static std::shared_ptr<AppKit::NSEvent> mouse(AppKit::EventType type, AppKit::CGPoint p,
                                                  const AppKit::NSWindow::Ptr& window, int clicks = 1,
                                                  AppKit::ModifierFlags flags = {}) {
        return AppKit::NSEvent::mouseEvent(type, p, flags, 0, window, clicks);
    }
    static std::shared_ptr<AppKit::NSEvent> key(const std::string& chars, const AppKit::NSWindow::Ptr& window,
                                                AppKit::ModifierFlags flags = {}, std::uint16_t code = 0) {
        return AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, flags, 0, window, chars, chars, false, code);
    }
};

// A view that writes down what reaches it.
class RecordingView : public AppKit::NSView {
    VZ_OBJECT(RecordingView, AppKit::NSView)
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    bool acceptsFocus = false;
    bool refusesResign = false;
    bool firstMouse = false;
    bool flipped = false;

    bool isFlipped() const override { return flipped; }
    bool acceptsFirstResponder() const override { return acceptsFocus; }
    bool becomeFirstResponder() override { write("become"); return true; }
    bool resignFirstResponder() override { write("resign"); return !refusesResign; }
    bool acceptsFirstMouse(const AppKit::NSEvent*) const override { return firstMouse; }
    void mouseDown(const AppKit::NSEvent& e) override { write("down", &e); }
    void mouseDragged(const AppKit::NSEvent& e) override { write("dragged", &e); }
    void mouseUp(const AppKit::NSEvent& e) override { write("up", &e); }
    void keyDown(const AppKit::NSEvent& e) override { write("key " + e.characters()); }
    void mouseEntered(const AppKit::NSEvent&) override { write("entered"); }
    void mouseExited(const AppKit::NSEvent&) override { write("exited"); }

    void write(const std::string& what, const AppKit::NSEvent* e = nullptr) {
        if (!log) return;
        std::string line = name + " " + what;
        if (e) {
            auto p = convert(e->locationInWindow(), nullptr);
            line += " @" + std::to_string(int(p.x)) + "," + std::to_string(int(p.y));
        }
        log->push_back(line);
    }

protected:
    using NSView::NSView;
};

}  // namespace AppKitTest
