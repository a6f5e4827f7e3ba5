#include <gtest/gtest.h>

#include "AppKit/NSApplicationDelegate.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuDelegate.hpp"
#include "AppKit/NSWindowDelegate.hpp"
#include "AppKitTestSupport.hpp"

using namespace AppKit;

namespace {

std::vector<std::string>* actionLog = nullptr;

// Answers "copy:" and "undo:" when asked to, and writes down who received what.
template <class Base>
class Answering : public Base {
public:
    std::string name;
    void copy(Runtime::NSObject*) { actionLog->push_back(name + " copy"); }
    void undo(Runtime::NSObject*) { actionLog->push_back(name + " undo"); }
};

class FocusView : public Answering<NSView> {
    VZ_OBJECT(FocusView, NSView)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("copy:", &FocusView::copy)};
    }
    bool acceptsFirstResponder() const override { return true; }
};

class Container : public Answering<NSView> {
    VZ_OBJECT(Container, NSView)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("undo:", &Container::undo)};
    }
};

class WindowDelegate : public Answering<Runtime::NSObject>, public NSWindowDelegate {
    VZ_OBJECT(WindowDelegate, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("newDocument:", &WindowDelegate::copy)};
    }
};

class AppDelegate : public Answering<Runtime::NSObject>, public NSApplicationDelegate {
    VZ_OBJECT(AppDelegate, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("showHelp:", &AppDelegate::copy), Runtime::action("undo:", &AppDelegate::undo)};
    }
    std::vector<std::string> launch;
    void applicationWillFinishLaunching(NSApplication&) override { launch.push_back("will"); }
    void applicationDidFinishLaunching(NSApplication&) override { launch.push_back("did"); }
};

class ActionTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        actionLog = &log;
        window = NSWindow::make({0, 0, 200, 200});
        container = Runtime::make<Container>();
        container->name = "container";
        focus = Runtime::make<FocusView>();
        focus->name = "focus";
        container->addSubview(focus);
        window->contentView()->addSubview(container);
        windowDelegate = Runtime::make<WindowDelegate>();
        windowDelegate->name = "windowDelegate";
        window->setDelegate(windowDelegate);
        appDelegate = Runtime::make<AppDelegate>();
        appDelegate->name = "appDelegate";
        NSApplication::shared().setDelegate(appDelegate);
        window->makeKeyAndOrderFront();
        window->makeFirstResponder(focus);
    }
    void TearDown() override {
        actionLog = nullptr;
        NSMenu::setChooser(nullptr);
        AppKitTest::TearDown();
    }
    std::vector<std::string> log;
    NSWindow::Ptr window;
    std::shared_ptr<Container> container;
    std::shared_ptr<FocusView> focus;
    std::shared_ptr<WindowDelegate> windowDelegate;
    std::shared_ptr<AppDelegate> appDelegate;
};

TEST_F(ActionTest, NilTargetActionsWalkFromTheFirstResponderToTheAppDelegate) {
    auto& app = NSApplication::shared();
    struct Case { const char* action; bool handled; const char* receiver; };
    const Case cases[] = {
        {"copy:", true, "focus copy"},               // the first responder
        {"undo:", true, "container undo"},           // up the view chain, before the app delegate
        {"newDocument:", true, "windowDelegate copy"},  // the window's delegate
        {"showHelp:", true, "appDelegate copy"},     // the application's delegate
        {"paste:", false, nullptr},                  // nobody: false, nothing sent
    };
    for (auto& c : cases) {
        log.clear();
        EXPECT_EQ(app.sendAction(Runtime::Selector(c.action), nullptr, focus.get()), c.handled) << c.action;
        if (c.receiver)
            EXPECT_EQ(log, (std::vector<std::string>{c.receiver})) << c.action;
        else
            EXPECT_TRUE(log.empty());
    }
    // An explicit target gets the action or nothing at all.
    log.clear();
    EXPECT_TRUE(app.sendAction("undo:", appDelegate.get(), nullptr));
    EXPECT_FALSE(app.sendAction("copy:", container.get(), nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"appDelegate undo"}));
    EXPECT_TRUE(container->tryToPerform("undo:", nullptr));
    EXPECT_FALSE(focus->tryToPerform("paste:", nullptr));
}

TEST_F(ActionTest, LaunchingTellsTheDelegateOnce) {
    auto& app = NSApplication::shared();
    app.finishLaunching();
    app.finishLaunching();
    EXPECT_EQ(appDelegate->launch, (std::vector<std::string>{"will", "did"}));
    EXPECT_TRUE(app.didFinishLaunching());
}

class MenuLog : public Runtime::NSObject, public NSMenuDelegate {
    VZ_OBJECT(MenuLog, Runtime::NSObject)
public:
    int updates = 0;
    void menuNeedsUpdate(NSMenu& menu) override {
        ++updates;
        if (menu.numberOfItems() == 0) {
            menu.addItem("Copy", "copy:", "c");
            menu.addItem(NSMenuItem::separatorItem());
            auto more = menu.addItem("More", {}, "");
            auto sub = NSMenu::make("More");
            sub->addItem("Undo", "undo:", "z");
            sub->addItem("Paste", "paste:", "v");
            more->setSubmenu(sub);
        }
    }
};

TEST_F(ActionTest, OpeningAMenuAsksTheChooserThenSendsTheChosenAction) {
    auto menu = NSMenu::make("Edit");
    auto filler = Runtime::make<MenuLog>();
    menu->setDelegate(filler);

    EXPECT_FALSE(menu->popUp(nullptr, {0, 0}, nullptr));  // no chooser: dismissed
    EXPECT_EQ(filler->updates, 1);
    EXPECT_TRUE(log.empty());

    NSMenu::setChooser(NSMenu::choosing("Undo"));  // in the submenu
    EXPECT_TRUE(menu->popUp(nullptr, {0, 0}, nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"container undo"}));
    EXPECT_EQ(menu->itemWithTitle("More")->submenu()->highlightedItem()->title(), "Undo");

    // Items whose action nobody answers are disabled and cannot be chosen.
    NSMenu::setChooser(NSMenu::choosing("Paste"));
    EXPECT_FALSE(menu->popUp(nullptr, {0, 0}, nullptr));
    EXPECT_FALSE(menu->itemWithTitle("More")->submenu()->itemWithTitle("Paste")->isEnabled());

    // A chooser sees the menu as the user would.
    std::vector<std::string> seen;
    NSMenu::setChooser([&](NSMenu& m) {
        for (auto& item : m.items()) seen.push_back(item->isSeparatorItem() ? "-" : item->title());
        return m.item(0);
    });
    log.clear();
    EXPECT_TRUE(menu->popUp(nullptr, {0, 0}, nullptr));
    EXPECT_EQ(seen, (std::vector<std::string>{"Copy", "-", "More"}));
    EXPECT_EQ(log, (std::vector<std::string>{"focus copy"}));
}

// Section headers are shown but never enabled or chosen; replacing the items re-homes them; the
// last opening is on record for whoever asks where a menu appeared.
TEST_F(ActionTest, SectionHeadersStayDisabledAndTheLastOpeningIsRecorded) {
    auto menu = NSMenu::make("Edit");
    auto header = NSMenuItem::sectionHeader("Clipboard");
    auto copy = NSMenuItem::make("Copy", "copy:");
    auto other = NSMenu::make();
    other->addItem(copy);
    menu->setItems({header, copy});
    EXPECT_EQ(other->numberOfItems(), 0) << "an item belongs to one menu";
    EXPECT_EQ(copy->menu(), menu);
    EXPECT_TRUE(header->isSectionHeader());
    EXPECT_FALSE(copy->isSectionHeader());

    menu->update();
    EXPECT_FALSE(header->isEnabled());
    EXPECT_TRUE(copy->isEnabled());

    NSMenu::setChooser(NSMenu::choosing("Clipboard"));
    auto view = Runtime::make<NSView>(CGRect{0, 0, 10, 10});
    EXPECT_FALSE(menu->popUp(copy, {3, 14}, view.get()));
    EXPECT_TRUE(log.empty());
    const auto& call = NSMenu::lastPopUp();
    EXPECT_EQ(call.menu.lock(), menu);
    EXPECT_EQ(call.positioning.lock(), copy);
    EXPECT_EQ(call.location.x, 3);
    EXPECT_EQ(call.location.y, 14);
    EXPECT_EQ(call.view, view.get());
}

// With Command or with Ctrl, the desktop's command key.
TEST_F(ActionTest, KeyEquivalentsReachTheMainMenuThroughTheApplication) {
    auto main = NSMenu::make();
    auto editItem = main->addItem("Edit", {}, "");
    auto edit = NSMenu::make("Edit");
    edit->addItem("Copy", "copy:", "c");
    auto redo = edit->addItem("Redo", "undo:", "Z");  // upper case: Shift-Command-Z
    editItem->setSubmenu(edit);
    auto& app = NSApplication::shared();
    app.setMainMenu(main);
    auto target = Runtime::make<Container>();
    target->name = "target";
    redo->setTarget(target);

    for (const ModifierFlags commandKey : {ModifierFlags::command(), ModifierFlags::control()}) {
        log.clear();
        app.sendEvent(key("c", window, commandKey));
        app.sendEvent(key("z", window, commandKey));  // no Shift: not Redo
        app.sendEvent(key("z", window, commandKey | ModifierFlags::shift()));
        app.sendEvent(key("c", window, commandKey | ModifierFlags::option()));  // Alt too: not Copy
        EXPECT_EQ(log, (std::vector<std::string>{"focus copy", "target undo"})) << commandKey.rawValue;
    }
    EXPECT_EQ(redo->menu(), edit);
    EXPECT_EQ(edit->supermenu(), main);
}

// What no view or item takes, the desktop's own shortcuts do: Ctrl+W closes the key window when
// it can be closed, Ctrl+Q quits.
TEST_F(ActionTest, CtrlWClosesTheKeyWindowAndCtrlQQuits) {
    auto main = NSMenu::make();
    auto editItem = main->addItem("Edit", {}, "");
    auto edit = NSMenu::make("Edit");
    editItem->setSubmenu(edit);
    auto& app = NSApplication::shared();
    app.setMainMenu(main);
    auto target = Runtime::make<Container>();
    target->name = "target";

    // An item's own Ctrl+W comes before the desktop's.
    auto close = edit->addItem("Close Tab", "undo:", "w");
    close->setTarget(target);
    app.sendEvent(key("w", window, ModifierFlags::control()));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(log, std::vector<std::string>{"target undo"});
    edit->removeItem(close);

    auto fixed = NSWindow::make({0, 0, 100, 100}, StyleMask::titled());
    fixed->makeKeyAndOrderFront();
    app.sendEvent(key("w", fixed, ModifierFlags::control()));
    EXPECT_TRUE(fixed->isVisible()) << "a window without a close button stays";
    window->makeKeyAndOrderFront();
    app.sendEvent(key("w", window, ModifierFlags::control() | ModifierFlags::shift()));
    EXPECT_TRUE(window->isVisible()) << "Shift+Ctrl+W is another shortcut";
    app.sendEvent(key("w", window, ModifierFlags::control()));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fixed->isKeyWindow());
    EXPECT_FALSE(app.isTerminated());
    app.sendEvent(key("q", fixed, ModifierFlags::control()));
    EXPECT_TRUE(app.isTerminated());
}

// The application menu's Hide minimises every window of the application; Show All brings them
// back.
TEST_F(ActionTest, HideMinimisesTheWindowsAndShowAllBringsThemBack) {
    auto other = NSWindow::make({0, 0, 100, 100});
    other->makeKeyAndOrderFront();
    auto& app = NSApplication::shared();
    EXPECT_TRUE(app.sendAction(Runtime::Selector("hide:"), nullptr, nullptr));
    EXPECT_TRUE(window->isMiniaturized());
    EXPECT_TRUE(other->isMiniaturized());
    EXPECT_TRUE(window->isVisible()) << "minimised, still open";
    EXPECT_TRUE(app.sendAction(Runtime::Selector("unhideAllApplications:"), nullptr, nullptr));
    EXPECT_FALSE(window->isMiniaturized());
    EXPECT_FALSE(other->isMiniaturized());
}

}  // namespace
