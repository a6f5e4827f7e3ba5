#include <gtest/gtest.h>

#include <filesystem>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKitTestSupport.hpp"
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
    for (auto [at, inside] : {std::pair{CGPoint{40, 200}, true}, std::pair{CGPoint{290, 20}, true}}) {
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

// Nobody to choose: no back end with input and nothing queued closes the menu at once.
TEST_F(MenuInWindow, WithNothingToComeItCloses) {
    EXPECT_FALSE(menu->popUp(nullptr, {40, 200}, view.get()));
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(window->overlays().size(), 0u);
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
