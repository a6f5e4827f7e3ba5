#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppKit/NSPopUpButton.hpp"
#include "Combine/Published.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Menus/RawValueMenuPresentable.hpp"
#include "Orrindle/PopUps/PopUpButtonExtensions.hpp"

namespace {

using AppKit::NSMenuItem;
using AppKit::NSPopUpButton;
using namespace Orrindle;

// A presentable value with integer raw values 1...3; other raw values make none.
class Swing : public RawValueMenuPresentable<Swing, int> {
public:
    using RawValue = int;
    explicit Swing(int raw) : raw_(raw) {}
    static std::optional<Swing> fromRawValue(int raw) { return raw >= 1 && raw <= 3 ? std::optional(Swing(raw)) : std::nullopt; }
    int rawValue() const { return raw_; }
    std::string localizedDisplayName() const override { return "swing " + std::to_string(raw_); }
    static std::string typeMenuTitle() { return "Swing"; }
    static std::vector<Swing> allCases() { return {Swing(1), Swing(2), Swing(3)}; }

private:
    int raw_;
};

class PopUpExtensionTest : public OrrindleTest::ControlTest {
protected:
    // Items by a small code: "a" an enabled item, "-" a separator, "x" a disabled item.
    std::shared_ptr<NSPopUpButton> popUpWith(const std::string& code) {
        auto popUp = place(Runtime::make<NSPopUpButton>(AppKit::CGRect{10, 10, 120, 24}, false));
        auto menu = AppKit::NSMenu::make();
        menu->setAutoenablesItems(false);
        int n = 0;
        for (char c : code) {
            auto item = c == '-' ? NSMenuItem::separatorItem() : NSMenuItem::make("item " + std::to_string(n));
            if (c == 'x') item->setEnabled(false);
            item->setTag(n++);
            menu->addItem(item);
        }
        popUp->setMenu(menu);
        popUp->setAutoenablesItems(false);
        return popUp;
    }
};

TEST_F(PopUpExtensionTest, SteppingSkipsSeparatorsAndDisabledItemsAndWraps) {
    struct Case {
        const char* name;
        std::string items;
        int selected;
        bool forward;
        int expected;
    };
    const std::vector<Case> cases = {
        {"next skips", "a-xa", 0, true, 3},
        {"next wraps to the first", "a-xa", 3, true, 0},
        {"next wraps past a leading separator", "-aa", 2, true, 1},
        {"nothing to pick: the first item", "ax", 0, true, 0},
        {"previous skips", "a-xa", 3, false, 0},
        {"previous wraps to the last", "axa-", 0, false, 2},
        {"previous at the top with only the top pickable", "axx", 0, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto popUp = popUpWith(c.items);
        popUp->selectItem(c.selected);
        ASSERT_EQ(popUp->indexOfSelectedItem(), c.selected);
        c.forward ? selectNextItem(*popUp) : selectPreviousItem(*popUp);
        EXPECT_EQ(popUp->indexOfSelectedItem(), c.expected);
    }
    auto empty = popUpWith("");
    selectNextItem(*empty);
    selectPreviousItem(*empty);
    EXPECT_EQ(empty->selectedItem(), nullptr);
}

TEST_F(PopUpExtensionTest, SteppingIsAnActionMethodThatSendsTheButtonsAction) {
    auto popUp = popUpWith("aaa");
    auto receiver = Runtime::make<OrrindleTest::Receiver>();
    popUp->setTarget(receiver);
    popUp->setAction("primary:");
    ASSERT_TRUE(popUp->respondsTo("selectNextItem:"));
    EXPECT_TRUE(popUp->perform("selectNextItem:", nullptr));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 1);
    EXPECT_TRUE(popUp->perform("selectPreviousItem:", nullptr));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary", "primary"}));
    EXPECT_EQ(receiver->lastSender, popUp.get());

    // Through the responder chain, as the cycling button sends it.
    EXPECT_TRUE(AppKit::NSApplication::shared().sendAction("selectPreviousItem:", popUp.get(), nullptr));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
}

TEST_F(PopUpExtensionTest, MenuValuesSelectAndReadBackByRawValue) {
    auto popUp = popUpWith("aa");
    configureWithMenuPresentableValue(*popUp, Swing(2));
    EXPECT_EQ(popUp->numberOfItems(), 3);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "swing 2");
    EXPECT_EQ(selectedRawRepresentableValue<Swing>(*popUp)->rawValue(), 2);

    // No item of the value: the new menu's own selection, its first item.
    configureWithMenuPresentableValue(*popUp, Swing(7));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);
    selectItemMatchingRawRepresentableValue(*popUp, Swing(9));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0) << "left as it was";

    // Nothing selected, an object of another type or a raw value that makes no value: none.
    auto empty = popUpWith("");
    EXPECT_FALSE(selectedRawRepresentableValue<Swing>(*empty).has_value());
    EXPECT_EQ(selectedRawRepresentableValue(*empty, Swing(3)).rawValue(), 3);
    popUp->item(1)->setRepresentedObject(std::string("2"));
    popUp->selectItem(1);
    EXPECT_FALSE(selectedRawRepresentableValue<Swing>(*popUp).has_value());
    popUp->item(1)->setRepresentedObject(std::int64_t(8));
    EXPECT_FALSE(selectedRawRepresentableValue<Swing>(*popUp).has_value());
}

// The button follows the published value and the user's picks reach the closure; once the
// button is gone, later values are let go without touching it.
TEST_F(PopUpExtensionTest, ABoundMenuFollowsItsValueBothWaysAndHoldsTheButtonWeakly) {
    auto popUp = popUpWith("");
    Combine::Published<Swing> value(Swing(2));
    Combine::Cancellables keep;
    std::vector<int> picked;
    bindMenu(popUp, value.get(), value.publisher(), keep, [&](const Swing& s) { picked.push_back(s.rawValue()); });
    EXPECT_EQ(keep.size(), 2u);
    EXPECT_EQ(popUp->selectedItem()->tag(), 2);
    value.set(Swing(3));
    EXPECT_EQ(popUp->selectedItem()->tag(), 3);
    EXPECT_TRUE(picked.empty()) << "a value set in code is not a pick";

    const auto pick = [&](int index) {
        popUp->selectItem(index);
        popUp->sendAction(popUp->action(), popUp->target().get());
    };
    pick(0);
    popUp->menu()->addItem(NSMenuItem::make("stray"));
    popUp->item(3)->setTag(99);
    pick(3);  // a tag that makes no value is skipped
    EXPECT_EQ(picked, (std::vector<int>{1}));

    std::weak_ptr<NSPopUpButton> gone = popUp;
    popUp->removeFromSuperview();
    popUp.reset();
    ASSERT_TRUE(gone.expired());
    value.set(Swing(1));
    EXPECT_EQ(picked, (std::vector<int>{1}));
}

}  // namespace
