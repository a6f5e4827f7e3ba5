#include <gtest/gtest.h>

#include "AppKit/NSWindow.hpp"
#include "Observation/Observation.hpp"
#include "Orrindle/SwiftUI/StyledPopUpButtonWrapper.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Orrindle;
using Item = PopupItem<int>;

// A value type that displays itself, and one that is not the bound type.
struct Note : Displayable {
    int pitch = 60;
    Note(int p = 60) : pitch(p) {}
    std::string displayTitle() const override { return "Note " + std::to_string(pitch); }
    static std::vector<Note> allCases() { return {Note(60), Note(62)}; }
    operator int() const { return pitch; }
};
struct Colour : Displayable {
    std::string displayTitle() const override { return "Red"; }
    static std::vector<Colour> allCases() { return {Colour()}; }
};

struct Screen {
    std::vector<Item> items;
    std::shared_ptr<Observation::Observed<int>> chosen;
    SwiftUI::AnyView body() const {
        auto value = chosen;
        (void)value->get();  // the owner of the value is re-evaluated when it changes
        SwiftUI::Binding<int> binding([value] { return value->get(); }, [value](int v) { value->set(v); });
        return SwiftUI::AnyView(StyledPopUpButtonWrapper<int>(items, binding, "Key", CGFloat(90)));
    }
};

// Binds the pop-up to one of two values under a label, all three chosen by the owner, as a
// parent view that switches documents would.
struct SwitchingScreen {
    std::vector<Item> items;
    std::shared_ptr<Observation::Observed<int>> first, second;
    std::shared_ptr<Observation::Observed<bool>> useSecond;
    std::shared_ptr<Observation::Observed<std::optional<std::string>>> label;
    SwiftUI::AnyView body() const {
        auto target = useSecond->get() ? second : first;
        (void)target->get();
        SwiftUI::Binding<int> binding([target] { return target->get(); }, [target](int v) { target->set(v); });
        return SwiftUI::AnyView(StyledPopUpButtonWrapper<int>(items, binding, label->get()));
    }
};

class PopUpWrapperTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSMenu::setChooser(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }
    StyledPopUpButton::Ptr host(std::vector<Item> items, int value) {
        chosen = std::make_shared<Observation::Observed<int>>(value);
        hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(Screen{std::move(items), chosen}));
        hosting->setFrame({0, 0, 200, 60});
        window = AppKit::NSWindow::make({0, 0, 200, 60});
        window->contentView()->addSubview(hosting);
        window->makeKeyAndOrderFront();
        drain();
        return hosting->subviews().empty() ? nullptr : std::dynamic_pointer_cast<StyledPopUpButton>(hosting->subviews()[0]);
    }
    std::shared_ptr<Observation::Observed<int>> chosen;
    SwiftUI::NSHostingView::Ptr hosting;
    AppKit::NSWindow::Ptr window;
};

TEST_F(PopUpWrapperTest, TheBoundValuesItemIsShownAndAPickWritesTheBinding) {
    auto button = host({Item(1, "One"), Item(2, "Two"), Item::divider(), Item(3, "Three"), Item(std::nullopt, "Nothing")}, 2);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->numberOfItems(), 5);
    EXPECT_TRUE(button->item(2)->isSeparatorItem());
    EXPECT_EQ(button->indexOfSelectedItem(), 1);
    EXPECT_EQ(button->title(), "Two");
    EXPECT_EQ(button->label(), "Key");
    EXPECT_EQ(button->fixedWidth(), 90);
    EXPECT_FALSE(button->autoenablesItems());

    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Three"));
    button->performClick();
    drain();
    EXPECT_EQ(chosen->peek(), 3);
    EXPECT_EQ(button->title(), "Three") << "rebuilt and selected again by value";

    // An item without a value leaves the binding alone (the platform still shows the pick).
    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Nothing"));
    button->performClick();
    drain();
    EXPECT_EQ(chosen->peek(), 3);

    // The binding changed elsewhere: the update shows it.
    chosen->set(1);
    drain();
    EXPECT_EQ(button->title(), "One");
}

TEST_F(PopUpWrapperTest, SubmenusTakePartDepthFirstAndDisabledItemsStayDisabled) {
    Item more(std::nullopt, "More");
    Item off(4, "Four (off)", nullptr, false);
    more.subMenu = std::vector<Item>{Item(5, "Five"), off};
    Item empty(std::nullopt, "Empty");
    empty.subMenu = std::vector<Item>{};
    auto button = host({Item(1, "One"), more, Item(5, "Five again"), empty}, 5);
    ASSERT_TRUE(button);
    auto five = button->item(1)->submenu()->item(0);
    EXPECT_EQ(button->selectedItem(), five) << "the first in depth-first order";
    EXPECT_EQ(button->title(), "Five");
    ASSERT_TRUE(button->item(3)->submenu());
    EXPECT_EQ(button->item(3)->submenu()->numberOfItems(), 0);

    auto disabled = button->item(1)->submenu()->item(1);
    EXPECT_FALSE(button->item(1)->submenu()->autoenablesItems());
    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Four (off)"));
    button->performClick();
    drain();
    EXPECT_FALSE(disabled->isEnabled());
    EXPECT_EQ(chosen->peek(), 5) << "a disabled item cannot be chosen";
}

// Items may share a title: the bound item is the one shown, at the top level and in a submenu
// beside a top-level item of its title.
TEST_F(PopUpWrapperTest, TheBoundItemIsShownWhateverItsTitleSharesWith) {
    auto button = host({Item(1, "Same"), Item(2, "Same"), Item(3, "Other")}, 2);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->indexOfSelectedItem(), 1);
    EXPECT_EQ(button->title(), "Same");
    chosen->set(1);
    drain();
    EXPECT_EQ(button->indexOfSelectedItem(), 0);

    Item more(std::nullopt, "More");
    more.subMenu = std::vector<Item>{Item(7, "Same")};
    button = host({Item(1, "Same"), more}, 7);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->selectedItem(), button->item(1)->submenu()->item(0));
    EXPECT_EQ(button->title(), "Same");
}

// Every update brings the button the owner's current label and the coordinator the current
// binding, so a pick goes to the value the pop-up shows.
TEST_F(PopUpWrapperTest, AnUpdateRefreshesTheLabelAndTheBindingAPickWrites) {
    auto first = std::make_shared<Observation::Observed<int>>(1);
    auto second = std::make_shared<Observation::Observed<int>>(2);
    auto useSecond = std::make_shared<Observation::Observed<bool>>(false);
    auto label = std::make_shared<Observation::Observed<std::optional<std::string>>>(std::string("Key"));
    hosting = SwiftUI::NSHostingView::make(
        SwiftUI::AnyView(SwitchingScreen{{Item(1, "One"), Item(2, "Two"), Item(3, "Three")}, first, second, useSecond, label}));
    hosting->setFrame({0, 0, 200, 60});
    window = AppKit::NSWindow::make({0, 0, 200, 60});
    window->contentView()->addSubview(hosting);
    window->makeKeyAndOrderFront();
    drain();
    ASSERT_FALSE(hosting->subviews().empty());
    auto button = std::dynamic_pointer_cast<StyledPopUpButton>(hosting->subviews()[0]);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->label(), "Key");

    for (const std::optional<std::string>& next : {std::optional<std::string>("Scale"), std::optional<std::string>()}) {
        label->set(next);
        drain();
        EXPECT_EQ(button->label(), next) << next.value_or("no label");
    }

    useSecond->set(true);
    drain();
    EXPECT_EQ(button->title(), "Two");
    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Three"));
    button->performClick();
    drain();
    EXPECT_EQ(second->peek(), 3) << "the binding of the latest update";
    EXPECT_EQ(first->peek(), 1);
    EXPECT_EQ(button->title(), "Three");
}

TEST(PopupItems, DividersAndDisplayables) {
    auto divider = Item::divider();
    EXPECT_TRUE(divider.isDivider);
    EXPECT_EQ(divider.title, "");
    EXPECT_TRUE(divider.isEnabled);
    EXPECT_FALSE(divider.object);
    EXPECT_TRUE(divider.asNSMenuItem("menuItemSelected:", nullptr)->isSeparatorItem());

    auto note = Item::displayable(Note(62));
    EXPECT_EQ(note.title, "Note 62");
    EXPECT_EQ(note.object, 62);
    auto colour = Item::displayable(Colour());
    EXPECT_EQ(colour.title, "Red");
    EXPECT_FALSE(colour.object);
    EXPECT_FALSE(colour.asNSMenuItem("menuItemSelected:", nullptr)->representedObject().has_value());
}

}  // namespace
