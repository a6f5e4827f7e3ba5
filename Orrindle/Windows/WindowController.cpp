#include "Orrindle/Windows/WindowController.hpp"

#include "Dispatch/DispatchQueue.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/Windows/WindowPlacement.hpp"

namespace Orrindle {

namespace {

std::shared_ptr<WindowController> controllerFor(AppKit::NSWindow::Ptr window, const std::optional<std::string>& frameName,
                                                const WindowController::Configure& configure) {
    if (configure) configure(*window);
    auto controller = Runtime::make<WindowController>(std::move(window));
    if (frameName) controller->setWindowFrameAutosaveName(*frameName);
    return controller;
}

}  // namespace

std::shared_ptr<WindowController> WindowController::make(SwiftUI::AnyView rootView, std::optional<std::string> frameName,
                                                         Configure configure) {
    auto hosting = SwiftUI::NSHostingController::make(std::move(rootView));
    return controllerFor(AppKit::NSWindow::withContentViewController(hosting), frameName, configure);
}

std::shared_ptr<WindowController> WindowController::makeSheet(SwiftUI::AnyView rootSheetView, std::optional<std::string> frameName,
                                                              Configure configure) {
    auto hosting = SwiftUI::NSHostingController::make(std::move(rootSheetView));
    auto window = AppKit::NSWindow::withContentViewController<SheetWindow>(hosting);
    window->setPreventsApplicationTerminationWhenModal(false);
    return controllerFor(std::move(window), frameName, configure);
}

void WindowController::showWindowCentered(Runtime::NSObject* sender) {
    showWindow(sender);
    std::weak_ptr<WindowController> weak = sharedAs<WindowController>();
    Dispatch::DispatchQueue::main().async([weak] {
        auto self = weak.lock();
        if (auto window = self ? self->window() : nullptr) properlyCenter(*window);
    });
}

}  // namespace Orrindle
