#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppKit/NSPopUpButton.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/PopUps/PopUpButtonExtensions.hpp"

namespace {

using AppKit::NSMenuItem;
using AppKit::NSPopUpButton;
using namespace Orrindle;

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

}  // namespace
