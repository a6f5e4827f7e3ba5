#include "Orrindle/Windows/WindowController.hpp"

#include "Dispatch/DispatchQueue.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/Windows/WindowPlacement.hpp"
#include "Orrindle/Windows/WindowState.hpp"

namespace Orrindle {

namespace {

// The window's SwiftUI content finds its window through the environment.
template <class MakeWindow>
std::shared_ptr<WindowController> controllerFor(SwiftUI::AnyView rootView, MakeWindow makeWindow,
                                                const std::optional<std::string>& frameName, WindowController::SizingOptions sizingOptions,
                                                const WindowController::Configure& configure) {
    auto state = std::make_shared<WindowState>();
    auto hosting = SwiftUI::NSHostingController::make(rootView.environment(state));
    hosting->setSizingOptions(sizingOptions);
    AppKit::NSWindow::Ptr window = makeWindow(hosting);
    if (configure) configure(*window);
    auto controller = Runtime::make<WindowController>(window);
    if (frameName) controller->setWindowFrameAutosaveName(*frameName);
    state->setParentWindow(window);
    return controller;
}

}  // namespace

std::shared_ptr<WindowController> WindowController::make(SwiftUI::AnyView rootView, std::optional<std::string> frameName,
                                                         SizingOptions sizingOptions, Configure configure) {
    return controllerFor(
        std::move(rootView), [](auto hosting) { return AppKit::NSWindow::withContentViewController(hosting); }, frameName,
        sizingOptions, configure);
}

std::shared_ptr<WindowController> WindowController::makeSheet(SwiftUI::AnyView rootSheetView, std::optional<std::string> frameName,
                                                              SizingOptions sizingOptions, Configure configure) {
    return controllerFor(
        std::move(rootSheetView),
        [](auto hosting) {
            auto window = AppKit::NSWindow::withContentViewController<SheetWindow>(hosting);
            window->setPreventsApplicationTerminationWhenModal(false);
            return window;
        },
        frameName, sizingOptions, configure);
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
