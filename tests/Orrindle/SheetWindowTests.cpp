#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/Windows/WindowController.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using AppKit::CGRect;
using AppKit::NSWindow;
using AppKit::StyleMask;
using namespace Orrindle;

// Counts the clicks that reach it.
class Counter : public AppKit::NSView {
    VZ_OBJECT(Counter, AppKit::NSView)
public:
    void mouseDown(const AppKit::NSEvent&) override { ++clicks; }
    int clicks = 0;

protected:
    using AppKit::NSView::NSView;
};

class SheetWindowTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().setAppearance(nullptr);
        AppKit::NSApplication::shared().resetForTesting();
        TestSupport::VirtualTimeTest::TearDown();
    }
    static std::shared_ptr<AppKit::NSEvent> key(const NSWindow::Ptr& w, std::uint16_t code, const char* chars,
                                                AppKit::ModifierFlags flags = {}) {
        return AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, flags, 0, w, chars, chars, false, code);
    }
    static std::shared_ptr<AppKit::NSEvent> escape(const NSWindow::Ptr& w) { return key(w, AppKit::KeyCode::escape, "\x1b"); }
    // A parent window with a sheet of SwiftUI content on it (the content has no text field, so
    // keys pass through it to the window).
    void present(const std::shared_ptr<SheetWindow>& s) {
        sheet = s;
        sheet->setContentView(SwiftUI::NSHostingView::make(SwiftUI::AnyView(SwiftUI::Text("Settings"))));
        parent = NSWindow::make({100, 100, 800, 600});
        parent->contentView()->addSubview(counter);
        parent->makeKeyAndOrderFront();
        parent->beginSheet(sheet, [this](long code) { ended.push_back(code); });
        drain();
    }

    std::shared_ptr<SheetWindow> sheet;
    NSWindow::Ptr parent;
    std::shared_ptr<Counter> counter = Runtime::make<Counter>(CGRect{0, 0, 800, 600});
    std::vector<long> ended;
};

TEST_F(SheetWindowTest, ASizedSheetWindowIsUntitledResizableFullSizeAndTakesTheAppearanceOnce) {
    AppKit::NSApplication::shared().setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    auto w = SheetWindow::make({480, 320});
    EXPECT_EQ(w->contentRect(w->frame()), (CGRect{0, 0, 480, 320}));
    EXPECT_EQ(w->styleMask().rawValue, 0x8008u);
    EXPECT_FALSE(w->styleMask().contains(StyleMask::titled()));
    EXPECT_EQ(w->backingType(), AppKit::BackingStoreType::buffered);
    EXPECT_FALSE(w->preventsApplicationTerminationWhenModal());
    EXPECT_EQ(w->appearance(), AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    AppKit::NSApplication::shared().setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::aqua));
    EXPECT_EQ(w->appearance(), AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua)) << "not followed later";
    EXPECT_EQ(w->className(), "SheetWindow");

    // Key without a title bar, even without a resize bar, where a plain window is not.
    w->setStyleMask(StyleMask::borderless());
    w->makeKeyAndOrderFront();
    EXPECT_TRUE(w->isKeyWindow());
    auto plain = NSWindow::make({0, 0, 100, 100}, StyleMask::borderless());
    plain->makeKeyAndOrderFront();
    EXPECT_FALSE(plain->isKeyWindow());
}

TEST_F(SheetWindowTest, ASheetHangsFromItsParentTakesTheKeysAndEscapeEndsIt) {
    present(SheetWindow::make({480, 320}));
    EXPECT_EQ(parent->attachedSheet(), sheet);
    EXPECT_EQ(sheet->sheetParent(), parent);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(sheet->isKeyWindow());
    const CGRect content = parent->contentRect(parent->frame());
    EXPECT_EQ(sheet->frame(), (CGRect{content.midX() - 240, content.maxY() - 320, 480, 320})) << "centred under the top";

    // The parent takes no clicks and no keys meanwhile.
    parent->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, {400, 300}, {}, 0, parent));
    parent->sendEvent(escape(parent));
    EXPECT_EQ(counter->clicks, 0);
    EXPECT_EQ(parent->attachedSheet(), sheet);

    AppKit::NSApplication::shared().sendEvent(escape(sheet));
    drain();
    EXPECT_EQ(parent->attachedSheet(), nullptr);
    EXPECT_EQ(sheet->sheetParent(), nullptr);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(ended, (std::vector<long>{0}));
    parent->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, {400, 300}, {}, 0, parent));
    EXPECT_EQ(counter->clicks, 1) << "clicks reach the parent again";

    // Command-period is the same cancel; ending it from the parent is the other way out.
    parent->beginSheet(sheet, [this](long code) { ended.push_back(code); });
    sheet->sendEvent(key(sheet, 47, ".", AppKit::ModifierFlags::command()));
    EXPECT_EQ(parent->attachedSheet(), nullptr);
    parent->beginSheet(sheet, [this](long code) { ended.push_back(code); });
    parent->endSheet(sheet, 7);
    EXPECT_EQ(ended, (std::vector<long>{0, 0, 7}));
}

TEST_F(SheetWindowTest, EscapeInASheetWindowOnItsOwnDoesNothing) {
    auto w = SheetWindow::make({300, 200});
    w->makeKeyAndOrderFront();
    w->sendEvent(escape(w));
    w->cancelOperation(nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isKeyWindow());
}

TEST_F(SheetWindowTest, TheWindowControllerForASheetMakesASheetWindowThatEscapeEnds) {
    bool configured = false;
    const auto standard = WindowController::SizingOptions::standardBounds();
    auto controller = WindowController::makeSheet(SwiftUI::AnyView(SwiftUI::Text("Settings")), std::nullopt, standard, [&](NSWindow& w) {
        configured = true;
        EXPECT_FALSE(w.preventsApplicationTerminationWhenModal()) << "set before configure runs";
    });
    auto window = std::dynamic_pointer_cast<SheetWindow>(controller->window());
    ASSERT_TRUE(window);
    EXPECT_TRUE(configured);
    EXPECT_EQ(window->styleMask(), NSWindow::contentViewControllerStyle()) << "the default style of that constructor";
    EXPECT_TRUE(std::dynamic_pointer_cast<SwiftUI::NSHostingController>(window->contentViewController()));
    parent = NSWindow::make({0, 0, 600, 400});
    parent->makeKeyAndOrderFront();
    parent->beginSheet(window);
    window->sendEvent(escape(window));
    EXPECT_EQ(parent->attachedSheet(), nullptr);
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
