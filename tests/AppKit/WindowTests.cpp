#include <gtest/gtest.h>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSBeep.hpp"
#include "AppKit/NSPanel.hpp"
#include "AppKit/NSText.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWindowDelegate.hpp"
#include "AppKitTestSupport.hpp"

using namespace AppKit;

namespace {

using WindowTest = AppKitTest::AppKitTest;

class KeyLog : public Runtime::NSObject, public NSWindowDelegate {
    VZ_OBJECT(KeyLog, Runtime::NSObject)
public:
    std::vector<std::string>* log = nullptr;
    void windowDidBecomeKey(NSWindow& w) override { log->push_back("become " + w.title()); }
    void windowDidResignKey(NSWindow& w) override { log->push_back("resign " + w.title()); }
    bool windowShouldClose(NSWindow&) override { return allowClose; }
    bool allowClose = true;
};

TEST_F(WindowTest, OneKeyWindowAtATimeAndTheOldOneResignsFirst) {
    std::vector<std::string> log;
    auto delegate = Runtime::make<KeyLog>();
    delegate->log = &log;
    auto a = NSWindow::make({0, 0, 100, 100}), b = NSWindow::make({0, 0, 100, 100});
    a->setTitle("A"), b->setTitle("B");
    a->setDelegate(delegate), b->setDelegate(delegate);

    a->makeKeyAndOrderFront();
    b->makeKeyAndOrderFront();
    a->makeKeyAndOrderFront();  // again: no duplicate notices for a window already key
    a->makeKeyWindow();
    EXPECT_EQ(log, (std::vector<std::string>{"become A", "resign A", "become B", "resign B", "become A"}));
    EXPECT_TRUE(a->isKeyWindow());
    EXPECT_FALSE(b->isKeyWindow());
    EXPECT_EQ(NSApplication::shared().keyWindow(), a);

    // Closing the key window hands key status to the next window in front.
    log.clear();
    a->close();
    EXPECT_EQ(log, (std::vector<std::string>{"resign A", "become B"}));
    EXPECT_EQ(NSApplication::shared().windows(), (std::vector<NSWindow::Ptr>{b}));
}

class LifecycleController : public NSViewController {
    VZ_OBJECT(LifecycleController, NSViewController)
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    void loadView() override {
        log->push_back(name + " loadView");
        setView(Runtime::make<NSView>(CGRect{0, 0, 300, 200}));
    }
    void viewDidLoad() override { log->push_back(name + " viewDidLoad"); }
    void viewWillAppear() override { log->push_back(name + " willAppear"); }
    void viewDidAppear() override { log->push_back(name + " didAppear"); }
    void viewWillDisappear() override { log->push_back(name + " willDisappear"); }
    void viewDidDisappear() override { log->push_back(name + " didDisappear"); }
};

TEST_F(WindowTest, ReplacingTheContentControllerOfAVisibleWindowSwapsWhoAppears) {
    std::vector<std::string> log;
    auto first = Runtime::make<LifecycleController>(), second = Runtime::make<LifecycleController>();
    first->log = second->log = &log;
    first->name = "first", second->name = "second";
    auto w = NSWindow::withContentViewController(first);
    w->orderFront();
    log.clear();
    w->setContentViewController(second);
    // The new view is loaded before the old one leaves.
    EXPECT_EQ(log, (std::vector<std::string>{"second loadView", "second viewDidLoad", "first willDisappear",
                                             "first didDisappear", "second willAppear", "second didAppear"}));
    EXPECT_EQ(w->contentView(), second->view());
    EXPECT_EQ(w->contentSize(), (CGSize{300, 200}));
    w->close();  // while `log` lives
}

TEST_F(WindowTest, AKeyWindowThatWasNeverShownGivesUpKeyWhenClosed) {
    auto w = NSWindow::make({0, 0, 10, 10});
    w->makeKeyWindow();
    ASSERT_TRUE(w->isKeyWindow());
    w->close();
    EXPECT_FALSE(w->isKeyWindow());
    EXPECT_EQ(NSApplication::shared().keyWindow(), nullptr);
}

TEST_F(WindowTest, PerformCloseAsksTheDelegate) {
    std::vector<std::string> log;
    auto delegate = Runtime::make<KeyLog>();
    delegate->log = &log;
    delegate->allowClose = false;
    auto w = NSWindow::make({0, 0, 100, 100});
    w->setDelegate(delegate);
    w->orderFront();
    w->performClose();
    EXPECT_TRUE(w->isVisible());
    delegate->allowClose = true;
    w->performClose();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(WindowTest, ContentAndFrameSizesFollowTheTitleBar) {
    auto titled = NSWindow::make({10, 20, 400, 300}, StyleMask::titled());
    EXPECT_EQ(titled->frame(), (CGRect{10, 20, 400, 328}));
    EXPECT_EQ(titled->contentView()->frame(), (CGRect{0, 0, 400, 300}));
    titled->setStyleMask(StyleMask::titled() | StyleMask::fullSizeContentView());
    EXPECT_EQ(titled->frame(), (CGRect{10, 20, 400, 300}));

    auto w = NSWindow::make({0, 0, 400, 300}, StyleMask::borderless());
    w->setContentMinSize({200, 200});
    w->setContentMaxSize({500, 500});
    w->setContentSize({100, 900});
    EXPECT_EQ(w->contentSize(), (CGSize{200, 500}));
    EXPECT_EQ(w->contentView()->frame().size, (CGSize{200, 500}));
    EXPECT_EQ(w->frame().origin.y + w->frame().size.height, 300);  // the top edge stayed
}

TEST_F(WindowTest, ViewControllersAppearWhenTheirViewJoinsAVisibleWindow) {
    std::vector<std::string> log;
    auto parent = Runtime::make<LifecycleController>();
    parent->log = &log, parent->name = "parent";
    parent->setPreferredContentSize({640, 480});
    auto child = Runtime::make<LifecycleController>();
    child->log = &log, child->name = "child";

    auto w = NSWindow::withContentViewController(parent);
    EXPECT_EQ(w->contentSize(), (CGSize{640, 480}));
    EXPECT_EQ(w->contentView(), parent->view());
    parent->addChild(child);
    parent->view()->addSubview(child->view());  // not on screen yet: nothing appears
    EXPECT_EQ(log, (std::vector<std::string>{"parent loadView", "parent viewDidLoad", "child loadView",
                                             "child viewDidLoad"}));
    log.clear();
    w->makeKeyAndOrderFront();
    EXPECT_EQ(log, (std::vector<std::string>{"parent willAppear", "parent didAppear", "child willAppear",
                                             "child didAppear"}));
    log.clear();
    child->view()->removeFromSuperview();
    parent->view()->addSubview(child->view());
    w->orderOut();
    EXPECT_EQ(log, (std::vector<std::string>{"child willDisappear", "child didDisappear", "child willAppear",
                                             "child didAppear", "child willDisappear", "child didDisappear",
                                             "parent willDisappear", "parent didDisappear"}));
    EXPECT_EQ(child->parent(), parent);
    EXPECT_EQ(child->view()->nextResponder(), child);
    EXPECT_EQ(child->nextResponder(), parent->view());
}

TEST_F(WindowTest, BackingScaleChangesReachEveryView) {
    struct ScaleView : NSView {
        int changes = 0;
        void viewDidChangeBackingProperties() override { ++changes; }
    };
    auto w = NSWindow::make({0, 0, 100, 100});
    auto v = Runtime::make<ScaleView>();
    w->contentView()->addSubview(v);
    EXPECT_EQ(w->backingScaleFactor(), 1.0);
    int before = v->changes;
    w->setBackingScaleFactor(2.0);
    w->setBackingScaleFactor(2.0);
    EXPECT_EQ(w->backingScaleFactor(), 2.0);
    EXPECT_EQ(v->changes, before + 1);
}

TEST_F(WindowTest, OneFieldEditorPerWindowAndAppearanceInheritance) {
    auto a = NSWindow::make({0, 0, 10, 10}), b = NSWindow::make({0, 0, 10, 10});
    EXPECT_EQ(a->fieldEditor(false), nullptr);
    auto editor = a->fieldEditor(true);
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isFieldEditor());
    EXPECT_EQ(a->fieldEditor(true), editor);
    EXPECT_NE(b->fieldEditor(true), editor);

    auto v = Runtime::make<NSView>();
    a->contentView()->addSubview(v);
    EXPECT_EQ(v->effectiveAppearance()->name(), NSAppearance::aqua);
    NSApplication::shared().setAppearance(NSAppearance::named(NSAppearance::darkAqua));
    EXPECT_TRUE(v->effectiveAppearance()->isDark());
    a->setAppearance(NSAppearance::named(NSAppearance::aqua));
    EXPECT_FALSE(v->effectiveAppearance()->isDark());
    EXPECT_EQ(NSAppearance::named("NSAppearanceNameUnknown"), nullptr);
}

TEST_F(WindowTest, TheRunLoopRedrawsWindowsOnceWhenViewsNeedDisplay) {
    auto w = NSWindow::make({0, 0, 100, 100});
    w->orderFront();
    drain();
    int count = w->displayCount();
    EXPECT_GE(count, 1);
    drain();
    EXPECT_EQ(w->displayCount(), count);
    w->contentView()->setNeedsDisplay(true);
    drain();
    EXPECT_EQ(w->displayCount(), count + 1);
}

}  // namespace

namespace {

using SheetsAndCancel = AppKitTest::AppKitTest;

// A view that takes the cancel action, and a window subclass made by class that notes its
// initialiser's arguments.
class Canceller : public NSView {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("cancelOperation:", &Canceller::cancelOperation)};
    }

private:
    VZ_OBJECT(Canceller, NSView)
public:
    void cancelOperation(Runtime::NSObject* sender) { senders.push_back(sender); }
    bool acceptsFirstResponder() const override { return true; }
    std::vector<Runtime::NSObject*> senders;

protected:
    using NSView::NSView;
};

class NotedWindow : public NSWindow {
    VZ_OBJECT(NotedWindow, NSWindow)
public:
    BackingStoreType backing;
    bool deferred;

protected:
    NotedWindow(CGRect rect, StyleMask style, BackingStoreType b, bool d) : NSWindow(rect, style, b, d), backing(b), deferred(d) {}
};

std::shared_ptr<NSEvent> keyDown(const NSWindow::Ptr& w, std::uint16_t code, const char* chars, ModifierFlags flags = {}) {
    return NSEvent::keyEvent(EventType::keyDown, {}, flags, 0, w, chars, chars, false, code);
}

TEST_F(SheetsAndCancel, EscapeAndCommandPeriodSendTheCancelActionUpFromTheFirstResponder) {
    auto w = NSWindow::make({0, 0, 200, 100});
    auto view = Runtime::make<Canceller>(CGRect{0, 0, 50, 50});
    w->contentView()->addSubview(view);
    w->makeKeyAndOrderFront();
    ASSERT_TRUE(w->makeFirstResponder(view));
    w->sendEvent(keyDown(w, KeyCode::escape, "\x1b"));
    w->sendEvent(keyDown(w, 47, ".", ModifierFlags::command()));
    w->sendEvent(keyDown(w, 47, "."));  // a plain period is just a key
    EXPECT_EQ(view->senders, (std::vector<Runtime::NSObject*>{w.get(), w.get()}));

    // Nobody on the chain takes it: the key is unhandled, as before.
    w->makeFirstResponder(nullptr);
    const int beeps = beepCount();
    w->sendEvent(keyDown(w, KeyCode::escape, "\x1b"));
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(view->senders.size(), 2u);
}

// A panel closes on Escape, as on the platform, unless a view in it takes the key first; one
// without a close button stays.
TEST_F(SheetsAndCancel, APanelClosesOnEscapeUnlessAViewInItTakesTheKey) {
    auto panel = Runtime::make<NSPanel>(CGRect{0, 0, 200, 100}, StyleMask::titled() | StyleMask::closable());
    auto view = Runtime::make<Canceller>(CGRect{0, 0, 50, 50});
    panel->contentView()->addSubview(view);
    panel->makeKeyAndOrderFront();
    ASSERT_TRUE(panel->makeFirstResponder(view));
    panel->sendEvent(keyDown(panel, KeyCode::escape, "\x1b"));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(view->senders.size(), 1u);
    panel->makeFirstResponder(nullptr);
    panel->sendEvent(keyDown(panel, KeyCode::escape, "\x1b"));
    EXPECT_FALSE(panel->isVisible());

    auto fixed = Runtime::make<NSPanel>(CGRect{0, 0, 200, 100}, StyleMask::titled());
    fixed->makeKeyAndOrderFront();
    fixed->sendEvent(keyDown(fixed, KeyCode::escape, "\x1b"));
    EXPECT_TRUE(fixed->isVisible());
}

TEST_F(SheetsAndCancel, WindowsWithATitleOrResizeBarBecomeKeyAndSubclassesAreMadeByClass) {
    for (auto [style, key] : {std::pair{StyleMask::titled(), true}, std::pair{StyleMask::resizable(), true},
                              std::pair{StyleMask::borderless(), false}, std::pair{StyleMask::fullSizeContentView(), false}}) {
        auto w = NSWindow::make({0, 0, 100, 100}, style);
        w->makeKeyAndOrderFront();
        EXPECT_EQ(w->isKeyWindow(), key) << style.rawValue;
        w->close();
    }
    auto controller = Runtime::make<NSViewController>();
    controller->setView(Runtime::make<NSView>(CGRect{0, 0, 320, 200}));
    auto w = NSWindow::withContentViewController<NotedWindow>(controller);
    EXPECT_EQ(w->className(), "NotedWindow");
    EXPECT_EQ(w->styleMask(), NSWindow::contentViewControllerStyle());
    EXPECT_EQ(w->backing, BackingStoreType::buffered);
    EXPECT_FALSE(w->deferred);
    EXPECT_EQ(w->contentSize(), (CGSize{320, 200}));
    EXPECT_EQ(w->contentViewController(), controller);
}

TEST_F(SheetsAndCancel, ASheetHangsCentredFromItsParentWhichTakesNoClicksUntilItEnds) {
    auto parent = NSWindow::make({100, 50, 600, 400});
    auto view = Runtime::make<Canceller>(CGRect{0, 0, 600, 400});
    parent->contentView()->addSubview(view);
    parent->makeKeyAndOrderFront();
    auto sheet = NSWindow::make({0, 0, 300, 200}, StyleMask::resizable());
    std::vector<long> codes;
    parent->beginSheet(sheet, [&](long code) { codes.push_back(code); });
    EXPECT_EQ(sheet->frame(), (CGRect{250, 250, 300, 200})) << "its top on the parent content's top";
    EXPECT_TRUE(sheet->isKeyWindow());
    parent->beginSheet(NSWindow::make({0, 0, 10, 10}));  // one sheet at a time
    EXPECT_EQ(parent->attachedSheet(), sheet);

    parent->sendEvent(NSEvent::mouseEvent(EventType::leftMouseDown, {300, 200}, {}, 0, parent));
    EXPECT_NE(parent->firstResponder(), view) << "the click did not reach the parent's view";
    parent->sendEvent(keyDown(parent, KeyCode::escape, "\x1b"));
    EXPECT_TRUE(view->senders.empty());

    parent->endSheet(sheet, 3);
    EXPECT_EQ(codes, (std::vector<long>{3}));
    EXPECT_FALSE(sheet->isVisible());
    parent->sendEvent(NSEvent::mouseEvent(EventType::leftMouseDown, {300, 200}, {}, 0, parent));
    EXPECT_EQ(parent->firstResponder(), view);
}

}  // namespace
