#include "AppKit/NSWindowController.hpp"

namespace AppKit {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSWindowController::classActions() {
    return {Runtime::action("showWindow:", &NSWindowController::showWindow)};
}

void NSWindowController::setWindow(NSWindow::Ptr window) {
    window_ = std::move(window);
    if (window_ && !autosaveName_.empty()) window_->setFrameAutosaveName(autosaveName_);
}

void NSWindowController::showWindow(Runtime::NSObject*) {
    if (window_) window_->makeKeyAndOrderFront();
}

void NSWindowController::close() {
    if (window_) window_->close();
}

void NSWindowController::setWindowFrameAutosaveName(std::string name) {
    autosaveName_ = std::move(name);
    if (window_) window_->setFrameAutosaveName(autosaveName_);
}

}  // namespace AppKit
