#pragma once
#include <memory>
#include <string>

#include "AppKit/NSResponder.hpp"
#include "AppKit/NSWindow.hpp"

namespace AppKit {

// Owns one window and shows it. With a frame autosave name the window's frame is restored
// from the frame saved under that name and saved whenever it changes (see NSWindow).
class NSWindowController : public NSResponder {
public:
    // "showWindow:".
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSWindowController, NSResponder)
public:
    using Ptr = std::shared_ptr<NSWindowController>;

    static Ptr make(NSWindow::Ptr window) { return Runtime::make<NSWindowController>(std::move(window)); }

    NSWindow::Ptr window() const { return window_; }
    void setWindow(NSWindow::Ptr window);
    // Brings the window forward and makes it key.
    virtual void showWindow(Runtime::NSObject* sender = nullptr);
    void close();

    const std::string& windowFrameAutosaveName() const { return autosaveName_; }
    void setWindowFrameAutosaveName(std::string name);

protected:
    explicit NSWindowController(NSWindow::Ptr window) : window_(std::move(window)) {}

private:
    NSWindow::Ptr window_;
    std::string autosaveName_;
};

}  // namespace AppKit
