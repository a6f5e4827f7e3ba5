#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKitTestSupport.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "TestSupport/MenuScript.hpp"

using namespace AppKit;
using TestSupport::MenuScript;

namespace {

std::vector<std::string>* picks = nullptr;

class Picker : public Runtime::NSObject {
    VZ_OBJECT(Picker, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("pick:", &Picker::pick)};
    }
    void pick(Runtime::NSObject* sender) { picks->push_back(static_cast<NSMenuItem*>(sender)->title()); }
};

// Opens its menu on mouse-down, with the chosen item under the pointer, as a pop-up button does.
class PressToOpen : public NSView {
    VZ_OBJECT(PressToOpen, NSView)
public:
    NSMenu::Ptr menu;
    void mouseDown(const NSEvent& e) override { menu->popUp(menu->itemWithTitle("12 Steps"), convert(e.locationInWindow(), nullptr), this); }

protected:
    using NSView::NSView;
};

// Opens its menu as a control that knows no view of its own does: where the event happened.
class OpensWhereClicked : public NSView {
    VZ_OBJECT(OpensWhereClicked, NSView)
public:
    NSMenu::Ptr menu;
    void mouseDown(const NSEvent&) override { menu->popUp(nullptr, {}, nullptr); }

protected:
    using NSView::NSView;
};

// A menu of four steps, a separator and a disabled item, opened from a view in a window with no
// chooser installed: it shows in the window and the events queued while it shows choose.
class MenuInWindow : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        picks = &picked;
        window = NSWindow::make({0, 0, 300, 240});
        view = Runtime::make<::AppKitTest::RecordingView>(CGRect{0, 0, 300, 240});
        view->log = &viewLog;
        window->contentView()->addSubview(view);
        window->makeKeyAndOrderFront();
        target = Runtime::make<Picker>();
        menu = NSMenu::make();
        for (const char* title : {"4 Steps", "8 Steps", "-", "12 Steps", "Unavailable", "16 Steps"}) {
            auto item = std::string(title) == "-" ? NSMenuItem::separatorItem() : NSMenuItem::make(title, Runtime::Selector("pick:"));
            item->setTarget(target);
            menu->addItem(item);
        }
        menu->setAutoenablesItems(false);
        menu->itemWithTitle("Unavailable")->setEnabled(false);
        menu->itemWithTitle("8 Steps")->setState(ControlStateValue::on);
    }
    void TearDown() override {
        picks = nullptr;
        AppKitTest::TearDown();
    }
    bool open(std::vector<MenuScript::Step> steps, const NSMenuItem::Ptr& positioning = nullptr) {
        MenuScript script(std::move(steps));
        const bool chosen = menu->popUp(positioning, {40, 200}, view.get());
        EXPECT_EQ(script.opened(), 1);
        if (!script.pictures().empty()) shown = script.pictures().front();
        return chosen;
    }

    NSWindow::Ptr window;
    std::shared_ptr<::AppKitTest::RecordingView> view;
    std::shared_ptr<Picker> target;
    NSMenu::Ptr menu;
    std::vector<std::string> picked, viewLog;
    std::shared_ptr<CoreGraphics::CGImage> shown;
};

TEST_F(MenuInWindow, AClickOnAnItemTakesItAndTheMenuLeavesThePicture) {
    const auto before = window->snapshot();
    EXPECT_TRUE(open({MenuScript::clickItem("12 Steps")}));
    EXPECT_EQ(picked, std::vector<std::string>{"12 Steps"});
    EXPECT_TRUE(viewLog.empty()) << "the menu took the clicks";
    EXPECT_EQ(window->overlays().size(), 0u);
    // Drawn over the content while open, gone after.
    ASSERT_TRUE(shown);
    EXPECT_NE(shown->pixel(60, 60), before->pixel(60, 60));
    const auto after = window->snapshot();
    EXPECT_EQ(after->pixel(60, 60), before->pixel(60, 60));
}

TEST_F(MenuInWindow, KeysMoveOverSeparatorsAndDisabledItemsAndReturnTakes) {
    struct Case {
        std::vector<std::uint16_t> keys;
        std::vector<std::string> picked;
    };
    const std::vector<Case> cases = {
        {{KeyCode::downArrow, KeyCode::returnKey}, {"4 Steps"}},
        {{KeyCode::downArrow, KeyCode::downArrow, KeyCode::downArrow, KeyCode::returnKey}, {"12 Steps"}},
        {{KeyCode::downArrow, KeyCode::downArrow, KeyCode::downArrow, KeyCode::downArrow, KeyCode::returnKey}, {"16 Steps"}},
        {{KeyCode::upArrow, KeyCode::upArrow, KeyCode::returnKey}, {"12 Steps"}},
        // Past the ends the highlight stays on the last item it reached.
        {{KeyCode::upArrow, KeyCode::downArrow, KeyCode::downArrow, KeyCode::returnKey}, {"16 Steps"}},
        {{KeyCode::downArrow, KeyCode::escape}, {}},
        // Return with nothing highlighted closes the menu.
        {{KeyCode::returnKey}, {}},
    };
    for (const Case& c : cases) {
        picked.clear();
        EXPECT_EQ(open({MenuScript::keys(c.keys)}), !c.picked.empty());
        EXPECT_EQ(picked, c.picked);
    }
}

TEST_F(MenuInWindow, AClickOutsideClosesItAndReachesNoView) {
    EXPECT_FALSE(open({MenuScript::clickAt({280, 10})}));
    EXPECT_TRUE(picked.empty());
    EXPECT_TRUE(viewLog.empty());
    // A click on a disabled item or a separator leaves it open; Escape then closes it.
    EXPECT_FALSE(open({[](const MenuPresentation& m) {
        MenuScript::clickItem("Unavailable")(m);
        const auto separator = m.frameOfItem(2);
        MenuScript::clickAt({separator.origin.x + 20, separator.origin.y + separator.size.height / 2})(m);
        MenuScript::keys({KeyCode::escape})(m);
    }}));
    EXPECT_TRUE(picked.empty());
}

TEST_F(MenuInWindow, ItOpensAtThePointInsideTheWindow) {
    for (auto [point, inside] : {std::pair{CGPoint{40, 200}, true}, std::pair{CGPoint{290, 20}, true}}) {
        const CGPoint at = point;  // a lambda may not capture a structured binding before C++20's fix
        MenuScript script({[&](const MenuPresentation& m) {
            const CGRect f = m.frame();
            EXPECT_GE(f.origin.x, 0);
            EXPECT_GE(f.origin.y, 0);
            EXPECT_LE(f.origin.x + f.size.width, 300);
            EXPECT_LE(f.origin.y + f.size.height, 240);
            if (at.x == 40) {
                EXPECT_EQ(f.origin.x, 40);
                EXPECT_EQ(f.origin.y + f.size.height, 200) << "its top at the point";
            }
            MenuScript::keys({KeyCode::escape})(m);
        }});
        menu->popUp(nullptr, at, view.get());
        EXPECT_EQ(script.opened(), 1) << inside;
    }
}

// Opened by a press, the press's own release leaves the menu open; a drag onto an item and a
// release there takes it.
TEST_F(MenuInWindow, OpenedByAPressItsReleaseLeavesItOpenAndADragThenReleaseTakes) {
    auto presser = Runtime::make<PressToOpen>(CGRect{0, 0, 300, 240});
    presser->menu = menu;
    window->contentView()->addSubview(presser);
    auto& app = NSApplication::shared();
    const CGPoint at{40, 120};
    for (const bool drag : {false, true}) {
        picked.clear();
        CGPoint sixteen{};
        MenuScript script({[&](const MenuPresentation& m) {
            EXPECT_NEAR(m.frameOfItem(3).origin.y + m.frameOfItem(3).size.height / 2, at.y, 1) << "the item under the pointer";
            sixteen = m.locationOfItem("16 Steps");
            if (drag) MenuScript::post(MenuScript::mouse(EventType::leftMouseDragged, sixteen, m));
            MenuScript::post(MenuScript::mouse(EventType::leftMouseUp, drag ? sixteen : at, m));
            MenuScript::keys({KeyCode::escape})(m);
        }});
        app.postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, at, {}, 0, window, 1));
        app.processQueuedEvents();
        EXPECT_EQ(script.opened(), 1);
        EXPECT_EQ(picked, drag ? std::vector<std::string>{"16 Steps"} : std::vector<std::string>{}) << drag;
    }
}

// A menu takes the look of the view it opens over, which its window's look is only the default
// of: over a dark editor in a light window it is dark.
TEST_F(MenuInWindow, ItTakesTheLookOfWhatItOpensOver) {
    window->setAppearance(NSAppearance::named(NSAppearance::aqua));
    auto dark = Runtime::make<OpensWhereClicked>(CGRect{0, 0, 150, 240});
    dark->setAppearance(NSAppearance::named(NSAppearance::darkAqua));
    auto light = Runtime::make<OpensWhereClicked>(CGRect{150, 0, 150, 240});
    for (auto& v : {dark, light}) {
        v->menu = menu;
        window->contentView()->addSubview(v);
    }
    std::vector<bool> looks;
    auto note = [&](const MenuPresentation& m) {
        looks.push_back(m.appearance().isDark());
        MenuScript::keys({KeyCode::escape})(m);
    };
    MenuScript script({note, note, note});
    for (const CGPoint at : {CGPoint{40, 120}, CGPoint{200, 120}}) {
        NSApplication::shared().postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, at, {}, 0, window, 1));
        NSApplication::shared().processQueuedEvents();
    }
    menu->popUp(nullptr, {40, 200}, dark.get());
    EXPECT_EQ(looks, (std::vector<bool>{true, false, true}));
}

// Nobody to choose: no back end with input and nothing queued closes the menu at once.
// F10 opens the application menu and, pressed again, closes it; Ctrl+Q typed while it is open
// closes it and quits, as it does with no menu open. What is typed after either is not the menu's.
TEST_F(MenuInWindow, F10AgainClosesTheApplicationMenuAndCtrlQInItQuits) {
    auto main = NSMenu::make();
    main->addItem("Application", {}, "")->setSubmenu(menu);
    auto& app = NSApplication::shared();
    app.setMainMenu(main);
    const std::string f10 = "\uF70D";
    struct Case {
        const char* name;
        std::shared_ptr<NSEvent> typed;
        bool quits;
    } cases[] = {
        {"F10", key(f10, window, {}, KeyCode::f10), false},
        {"Ctrl+Q", key("q", window, ModifierFlags::control()), true},
    };
    for (const auto& c : cases) {
        picked.clear();
        MenuScript script({[&](const MenuPresentation&) {
            MenuScript::post(key("", window, {}, KeyCode::downArrow));
            MenuScript::post(c.typed);
            MenuScript::post(key("", window, {}, KeyCode::downArrow));
            MenuScript::post(key("\r", window, {}, KeyCode::returnKey));
        }});
        app.postEvent(key(f10, window, {}, KeyCode::f10));
        app.processQueuedEvents();
        EXPECT_EQ(script.opened(), 1) << c.name;
        EXPECT_EQ(picked, std::vector<std::string>{}) << c.name;
        EXPECT_EQ(MenuPresentation::current(), nullptr) << c.name;
        EXPECT_EQ(window->overlays().size(), 0u) << c.name;
        EXPECT_EQ(app.isTerminated(), c.quits) << c.name;
    }
}

TEST_F(MenuInWindow, WithNothingToComeItCloses) {
    EXPECT_FALSE(menu->popUp(nullptr, {40, 200}, view.get()));
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(window->overlays().size(), 0u);
}

// Each item shows its key equivalent on the right, as the desktop names it.
TEST(MenuShortcut, NamedAsTheDesktopNamesIt) {
    struct Case {
        std::string key;
        ModifierFlags modifiers;
        std::string shown;
    } cases[] = {
        {"q", ModifierFlags::command(), "Ctrl+Q"},
        {"Q", ModifierFlags::command(), "Ctrl+Shift+Q"},
        {"q", ModifierFlags::command() | ModifierFlags::shift(), "Ctrl+Shift+Q"},
        {"q", ModifierFlags::command() | ModifierFlags::option(), "Ctrl+Alt+Q"},
        {"j", ModifierFlags::control(), "Ctrl+J"},
        {",", ModifierFlags::command(), "Ctrl+,"},
        {"\r", ModifierFlags::command(), "Ctrl+Return"},
        {"\x1b", {}, "Esc"},
        {"\uF704", ModifierFlags::option(), "Alt+F1"},
        {"\uF70F", {}, "F12"},
        {"\uF700", ModifierFlags::command(), "Ctrl+Up"},
        {"", ModifierFlags::command(), ""},
    };
    for (const Case& c : cases) {
        auto item = NSMenuItem::make("Item", {}, c.key);
        item->setKeyEquivalentModifierMask(c.modifiers);
        EXPECT_EQ(MenuPresentation::shortcutText(*item), c.shown) << c.shown;
    }
}

// A menu whose second item has a submenu and whose last has a key equivalent.
class SubmenuInWindow : public MenuInWindow {
protected:
    void SetUp() override {
        MenuInWindow::SetUp();
        auto bars = NSMenu::make("Bars");
        for (const char* title : {"2 Bars", "4 Bars"}) bars->addItem(title, Runtime::Selector("pick:"), "")->setTarget(target);
        menu = NSMenu::make();
        menu->addItem("Reset", Runtime::Selector("pick:"), "")->setTarget(target);
        menu->addItem(NSMenuItem::make("Length"));
        menu->itemWithTitle("Length")->setSubmenu(bars);
        menu->addItem(NSMenuItem::separatorItem());
        menu->addItem("Quit", Runtime::Selector("pick:"), "q")->setTarget(target);
        ends = Foundation::NotificationCenter::defaultCenter().addObserver(
            MenuPresentation::didEndTrackingNotification, nullptr, [this](const Foundation::Notification& n) {
                if (auto* m = dynamic_cast<NSMenu*>(n.object)) closed.push_back(m->title());
            });
    }
    std::vector<std::string> closed;
    Foundation::NotificationCenter::Token ends;
};

// Right (or Return) opens the submenu with its first item highlighted, beside its item, its
// first row level with it; Left and Escape close it and leave the menu open; an item taken in
// it is the menu's choice.
TEST_F(SubmenuInWindow, TheArrowsOpenAndCloseIt) {
    using K = std::vector<std::uint16_t>;
    struct Case {
        K keys;
        bool opens;
        std::vector<std::string> picked;
    } cases[] = {
        {K{KeyCode::downArrow, KeyCode::downArrow, KeyCode::rightArrow, KeyCode::downArrow, KeyCode::returnKey}, true, {"4 Bars"}},
        {K{KeyCode::downArrow, KeyCode::downArrow, KeyCode::returnKey, KeyCode::returnKey}, true, {"2 Bars"}},
        {K{KeyCode::downArrow, KeyCode::downArrow, KeyCode::rightArrow, KeyCode::leftArrow, KeyCode::downArrow, KeyCode::returnKey}, true, {"Quit"}},
        {K{KeyCode::downArrow, KeyCode::downArrow, KeyCode::rightArrow, KeyCode::escape, KeyCode::upArrow, KeyCode::returnKey}, true, {"Reset"}},
        // Right and Left on an item without a submenu do nothing.
        {K{KeyCode::downArrow, KeyCode::rightArrow, KeyCode::leftArrow, KeyCode::returnKey}, false, {"Reset"}},
        {K{KeyCode::downArrow, KeyCode::downArrow, KeyCode::rightArrow, KeyCode::escape, KeyCode::escape}, true, {}},
    };
    for (const Case& c : cases) {
        picked.clear();
        closed.clear();
        MenuScript script({MenuScript::keys(c.keys), [](const MenuPresentation& sub) {
                               ASSERT_TRUE(sub.supermenu());
                               EXPECT_EQ(MenuPresentation::current(), &sub);
                               EXPECT_EQ(sub.highlightedIndex(), 0);
                               const CGRect item = sub.supermenu()->frameOfItem(1), first = sub.frameOfItem(0);
                               EXPECT_NEAR(sub.frame().origin.x, item.origin.x + item.size.width, 4) << "beside its item";
                               EXPECT_EQ(first.origin.y + first.size.height, item.origin.y + item.size.height);
                           }});
        EXPECT_EQ(menu->popUp(nullptr, {20, 200}, view.get()), !c.picked.empty());
        EXPECT_EQ(picked, c.picked);
        EXPECT_EQ(script.opened(), c.opens ? 2 : 1);
        ASSERT_FALSE(closed.empty());
        EXPECT_EQ(closed.front(), c.opens ? "Bars" : "") << "the submenu closes first";
        EXPECT_EQ(window->overlays().size(), 0u);
    }
}

// The pointer resting on the item opens the submenu, and moving on to another item closes it;
// a click on the item leaves it open, a click in it takes its item.
TEST_F(SubmenuInWindow, ThePointerOpensItAndTakesItsItems) {
    auto move = [](CGPoint p, const MenuPresentation& m) { MenuScript::post(MenuScript::mouse(EventType::mouseMoved, p, m)); };
    MenuScript there({[&](const MenuPresentation& m) {
                          move(m.locationOfItem("Length"), m);
                          move(m.locationOfItem("Reset"), m);
                          move(m.locationOfItem("Length"), m);
                      },
                      [](const MenuPresentation&) {},
                      [&](const MenuPresentation& sub) {
                          MenuScript::clickItem("Length")(*sub.supermenu());
                          MenuScript::clickItem("4 Bars")(sub);
                      }});
    EXPECT_TRUE(menu->popUp(nullptr, {20, 200}, view.get()));
    EXPECT_EQ(picked, std::vector<std::string>{"4 Bars"});
    EXPECT_EQ(there.opened(), 3);
    EXPECT_EQ(closed, (std::vector<std::string>{"Bars", "Bars", ""})) << "opened twice, closed each time";
}

// Opened from content its window shows larger, the menu is as large, and its items are where
// it shows them.
TEST_F(SubmenuInWindow, ItIsAsLargeAsTheContentItOpensFrom) {
    std::vector<CGRect> frames, rows;
    auto note = [&](const MenuPresentation& m) {
        frames.push_back(m.frame());
        rows.push_back(m.frameOfItem(3));
        EXPECT_FALSE(m.window().viewsNeedDisplay()) << "drawn once, not again and again";
        MenuScript::clickItem("Quit")(m);
    };
    MenuScript script({note, note});
    menu->popUp(nullptr, {20, 200}, view.get());
    view->setBoundsSize({150, 120});
    menu->popUp(nullptr, {10, 100}, view.get());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].size.width, 2 * frames[0].size.width);
    EXPECT_EQ(frames[1].size.height, 2 * frames[0].size.height);
    EXPECT_EQ(rows[1].size.height, 2 * rows[0].size.height);
    EXPECT_EQ(frames[1].origin.y + frames[1].size.height, 200) << "its top where the view's point shows";
    EXPECT_EQ(picked, (std::vector<std::string>{"Quit", "Quit"}));
}

// At the window's backing scale and in its look, light or dark: the shortcuts on the right and
// a submenu open beside its item.
TEST_F(SubmenuInWindow, PictureSheet) {
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    for (const bool dark : {false, true})
        for (const CGFloat scale : {1.0, 2.0}) {
            window->setAppearance(NSAppearance::named(dark ? NSAppearance::darkAqua : NSAppearance::aqua));
            window->setBackingScaleFactor(scale);
            std::vector<std::string> texts;
            MenuScript script({MenuScript::keys({KeyCode::downArrow, KeyCode::downArrow, KeyCode::rightArrow}),
                               [&](const MenuPresentation& sub) {
                                   texts = sub.window().displayList().texts();
                                   MenuScript::keys({KeyCode::escape, KeyCode::escape})(sub);
                               }});
            menu->popUp(nullptr, {20, 200}, view.get());
            ASSERT_EQ(script.pictures().size(), 2u);
            const auto& picture = script.pictures().back();
            EXPECT_EQ(picture->width(), int(300 * scale));
            EXPECT_NE(std::find(texts.begin(), texts.end(), "Ctrl+Q"), texts.end());
            const std::string name = std::string("menu-submenu-") + (dark ? "dark" : "light") + (scale > 1 ? "@2x" : "") + ".png";
            EXPECT_TRUE(picture->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/" + name));
        }
}

TEST_F(MenuInWindow, PictureSheet) {
    std::shared_ptr<CoreGraphics::CGImage> light, dark;
    open({MenuScript::keys({KeyCode::escape})}, menu->itemWithTitle("12 Steps"));
    light = shown;
    window->setAppearance(NSAppearance::named(NSAppearance::darkAqua));
    open({MenuScript::keys({KeyCode::escape})}, menu->itemWithTitle("4 Steps"));
    dark = shown;
    ASSERT_TRUE(light && dark);
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(light->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/menu-in-window-light.png"));
    EXPECT_TRUE(dark->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/menu-in-window-dark.png"));
}

}  // namespace
