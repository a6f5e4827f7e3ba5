#include "Orrindle/Settings/SheetWindow.hpp"

#include "AppKit/NSApplication.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> SheetWindow::classActions() {
    return {Runtime::action("cancelOperation:", &SheetWindow::cancelOperation)};
}

SheetWindow::SheetWindow(CoreGraphics::CGRect contentRect, AppKit::StyleMask style, AppKit::BackingStoreType backing, bool defer)
    : NSWindow(contentRect, style, backing, defer) {
    Runtime::assertMainActor();
}

std::shared_ptr<SheetWindow> SheetWindow::make(CoreGraphics::CGSize size) {
    Runtime::assertMainActor();
    auto window = Runtime::make<SheetWindow>(CoreGraphics::CGRect{{0, 0}, size}, sheetStyle(), AppKit::BackingStoreType::buffered, true);
    window->setPreventsApplicationTerminationWhenModal(false);
    window->setAppearance(AppKit::NSApplication::shared().effectiveAppearance());
    return window;
}

bool SheetWindow::canBecomeKeyWindow() const {
    Runtime::assertMainActor();
    return true;
}

void SheetWindow::cancelOperation(Runtime::NSObject*) {
    Runtime::assertMainActor();
    if (auto parent = sheetParent()) parent->endSheet(sharedAs<AppKit::NSWindow>());
}

}  // namespace Orrindle
