#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace TestSupport {

// A person's part in menus that open in a window: tracking a menu reads events as they come, so
// each time one opens, the next step queues what the person then does (the pointer over an item
// and a click, keys). What each menu showed is kept for the test to look at.
class MenuScript {
public:
    using Step = std::function<void(const AppKit::MenuPresentation&)>;

    explicit MenuScript(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
        token_ = Foundation::NotificationCenter::defaultCenter().addObserver(
            AppKit::MenuPresentation::didBeginTrackingNotification, nullptr, [this](const Foundation::Notification&) {
                const auto* open = AppKit::MenuPresentation::current();
                if (!open) return;
                ++opened_;
                pictures_.push_back(open->window().snapshot());
                if (steps_.empty()) return;
                auto step = std::move(steps_.front());
                steps_.pop_front();
                step(*open);
            });
    }

    int opened() const { return opened_; }
    // The window's picture as each menu first showed.
    const std::vector<std::shared_ptr<CoreGraphics::CGImage>>& pictures() const { return pictures_; }

    static void post(const std::shared_ptr<AppKit::NSEvent>& e) { AppKit::NSApplication::shared().postEvent(e); }
    static std::shared_ptr<AppKit::NSEvent> mouse(AppKit::EventType type, AppKit::CGPoint p, const AppKit::MenuPresentation& m) {
        return AppKit::NSEvent::mouseEvent(type, p, {}, Dispatch::Clock::shared().now(), m.window().sharedAs<AppKit::NSWindow>(), 1);
    }

    // The pointer moves onto the item, which is then clicked.
    static Step clickItem(std::string title) {
        return [title](const AppKit::MenuPresentation& m) {
            const auto p = m.locationOfItem(title);
            post(mouse(AppKit::EventType::mouseMoved, p, m));
            post(mouse(AppKit::EventType::leftMouseDown, p, m));
            post(mouse(AppKit::EventType::leftMouseUp, p, m));
        };
    }
    // A click at a point of the window.
    static Step clickAt(AppKit::CGPoint p) {
        return [p](const AppKit::MenuPresentation& m) {
            post(mouse(AppKit::EventType::leftMouseDown, p, m));
            post(mouse(AppKit::EventType::leftMouseUp, p, m));
        };
    }
    // Keys pressed in turn, by key code (arrows, Return, Escape).
    static Step keys(std::vector<std::uint16_t> codes) {
        return [codes](const AppKit::MenuPresentation& m) {
            for (auto code : codes) {
                std::string chars = code == AppKit::KeyCode::returnKey ? "\r" : code == AppKit::KeyCode::escape ? "\x1b" : "";
                post(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, {}, Dispatch::Clock::shared().now(),
                                               m.window().sharedAs<AppKit::NSWindow>(), chars, chars, false, code));
            }
        };
    }

private:
    std::deque<Step> steps_;
    int opened_ = 0;
    std::vector<std::shared_ptr<CoreGraphics::CGImage>> pictures_;
    Foundation::NotificationCenter::Token token_;
};

}  // namespace TestSupport
