#include <gtest/gtest.h>

#include "AppKit/NSPopUpButton.hpp"
#include "AppKitTestSupport.hpp"

using namespace AppKit;

namespace {

class Chooser : public Runtime::NSObject {
    VZ_OBJECT(Chooser, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("changed:", &Chooser::changed), Runtime::action("own:", &Chooser::own)};
    }
    // What the pop-up shows when its action arrives: the selection is made first.
    void changed(Runtime::NSObject* sender) { log.push_back("changed " + dynamic_cast<NSPopUpButton&>(*sender).titleOfSelectedItem()); }
    void own(Runtime::NSObject* sender) { log.push_back("own " + dynamic_cast<NSMenuItem&>(*sender).title()); }
    std::vector<std::string> log;
};

class PopUpTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 300, 100});
        popUp = Runtime::make<NSPopUpButton>(CGRect{20, 20, 120, 24}, false);
        window->contentView()->addSubview(popUp);
        receiver = Runtime::make<Chooser>();
        popUp->setTarget(receiver);
        popUp->setAction("changed:");
        popUp->addItems({"Small", "Medium", "Large"});
        window->makeKeyAndOrderFront();
    }
    void TearDown() override {
        NSMenu::setChooser(nullptr);
        AppKitTest::TearDown();
    }
    void click() {
        auto& app = NSApplication::shared();
        app.postEvent(mouse(EventType::leftMouseDown, {30, 30}, window));
        app.postEvent(mouse(EventType::leftMouseUp, {30, 30}, window));
        app.processQueuedEvents();
    }
    NSWindow::Ptr window;
    NSPopUpButton::Ptr popUp;
    std::shared_ptr<Chooser> receiver;
};

TEST_F(PopUpTest, TheFirstItemShowsUntilAnotherIsSelectedAndSelectionMarksTheItem) {
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);
    EXPECT_EQ(popUp->title(), "Small");
    popUp->selectItem(2);
    EXPECT_EQ(popUp->title(), "Large");
    EXPECT_EQ(popUp->item(2)->state(), ControlStateValue::on);
    popUp->selectItemWithTitle("Medium");
    EXPECT_EQ(popUp->item(2)->state(), ControlStateValue::off);
    EXPECT_EQ(popUp->indexOfSelectedItem(), 1);

    // Adding a title that exists moves it rather than doubling it.
    popUp->addItem("Small");
    EXPECT_EQ(popUp->itemTitles(), (std::vector<std::string>{"Medium", "Large", "Small"}));

    // The selected item leaving the menu shows the first item again; an empty menu shows none.
    popUp->removeItem(0);
    EXPECT_EQ(popUp->title(), "Large");
    popUp->removeAllItems();
    EXPECT_EQ(popUp->indexOfSelectedItem(), -1);
    EXPECT_EQ(popUp->title(), "");
}

// Setting the title never adds an item: an unknown title only changes what is shown.
TEST_F(PopUpTest, SettingATitleSelectsThatItemOrOnlyShowsTheText) {
    popUp->setTitle("Large");
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    popUp->setTitle("Huge");
    EXPECT_EQ(popUp->numberOfItems(), 3);
    EXPECT_EQ(popUp->title(), "Huge");
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    popUp->selectItem(0);
    EXPECT_EQ(popUp->title(), "Small");
}

TEST_F(PopUpTest, AClickOpensTheMenuAtTheSelectedItemThenSelectsBeforeSendingTheAction) {
    popUp->selectItem(1);
    popUp->setFont(NSFont::systemFont(11));
    NSFont::Ptr shownIn;
    NSMenu::setChooser([&](NSMenu& menu) {
        shownIn = menu.font();
        return menu.itemWithTitle("Large");
    });
    click();
    EXPECT_EQ(shownIn, popUp->font()) << "the menu shows in the button's font";
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"changed Large"}));
    const auto& call = NSMenu::lastPopUp();
    EXPECT_EQ(call.menu.lock(), popUp->menu());
    EXPECT_EQ(call.positioning.lock(), popUp->item(1));
    EXPECT_EQ(call.view, popUp.get());
    EXPECT_FALSE(popUp->isHighlighted());

    // Dismissed: nothing changes, nothing is sent.
    NSMenu::setChooser(nullptr);
    click();
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    EXPECT_EQ(receiver->log.size(), 1u);

    // An item with an action of its own sends that instead of the pop-up's.
    auto item = popUp->item(0);
    item->setAction("own:");
    item->setTarget(receiver);
    NSMenu::setChooser(NSMenu::choosing("Small"));
    click();
    EXPECT_EQ(receiver->log.back(), "own Small");
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);

    // Disabled: no menu.
    const int opened = NSMenu::openCount();
    popUp->setEnabled(false);
    click();
    EXPECT_EQ(NSMenu::openCount(), opened);
}

// An item of a submenu can be chosen and shown; a pull-down shows its first item and
// never selects.
TEST_F(PopUpTest, SubmenuItemsAndPullDowns) {
    auto more = NSMenuItem::make("More");
    auto sub = NSMenu::make("More");
    auto extra = NSMenuItem::make("Extra large");
    sub->addItem(extra);
    more->setSubmenu(sub);
    popUp->menu()->addItem(more);
    NSMenu::setChooser(NSMenu::choosing("Extra large"));
    click();
    EXPECT_EQ(popUp->selectedItem(), extra);
    EXPECT_EQ(popUp->indexOfSelectedItem(), -1) << "not an item of the top-level menu";
    EXPECT_EQ(popUp->title(), "Extra large");
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"changed Extra large"}));

    auto pullDown = Runtime::make<NSPopUpButton>(CGRect{150, 20, 100, 24}, true);
    window->contentView()->addSubview(pullDown);
    pullDown->addItems({"Actions", "Rename", "Delete"});
    EXPECT_EQ(pullDown->title(), "Actions");
    EXPECT_EQ(pullDown->indexOfSelectedItem(), -1);
    NSMenu::setChooser(NSMenu::choosing("Delete"));
    pullDown->performClick();
    EXPECT_EQ(pullDown->title(), "Actions");
    EXPECT_EQ(NSMenu::lastPopUp().positioning.lock(), nullptr);
    EXPECT_EQ(NSMenu::lastPopUp().location.y, 24) << "below the button (flipped)";

    // A cell that does not use the menu's item shows its own.
    auto cell = pullDown->popUpCell();
    cell->setUsesItemFromMenu(false);
    cell->setMenuItem(NSMenuItem::make("Tools"));
    EXPECT_EQ(pullDown->title(), "Tools");
    EXPECT_EQ(pullDown->numberOfItems(), 3);
}

}  // namespace
