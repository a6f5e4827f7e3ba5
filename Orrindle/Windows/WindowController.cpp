#include "Orrindle/Windows/WindowController.hpp"

#include "Dispatch/DispatchQueue.hpp"
#include "Orrindle/Windows/WindowPlacement.hpp"
#include "Orrindle/Windows/WindowState.hpp"

namespace Orrindle {

std::shared_ptr<WindowController> WindowController::make(SwiftUI::AnyView rootView, std::optional<std::string> frameName,
                                                         Configure configure) {
    auto state = std::make_shared<WindowState>();
    auto hosting = SwiftUI::NSHostingController::make(rootView.environment(state));
    auto window = AppKit::NSWindow::withContentViewController(hosting);
    if (configure) configure(*window);
    auto controller = Runtime::make<WindowController>(window);
    if (frameName) controller->setWindowFrameAutosaveName(*frameName);
    state->setParentWindow(window);
    return controller;
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
