#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "AppKit/NSAnimationContext.hpp"
#include "AppKit/NSButton.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSScrollView.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Outlines/OutlineViewExtensions.hpp"
#include "Orrindle/Outlines/StyledOutlineView.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::StyledOutlineView;

// A small tree of names: "Presets" > {"Factory" > {"Soft", "Hard"}, "Mine"}, "Recent".
class Tree : public Runtime::NSObject, public AppKit::NSOutlineViewDataSource {
    VZ_OBJECT(Tree, Runtime::NSObject)
public:
    std::map<std::string, std::vector<std::string>> children{
        {"", {"Presets", "Recent"}}, {"Presets", {"Factory", "Mine"}}, {"Factory", {"Soft", "Hard"}}};
    static std::string name(const std::any& item) { return item.has_value() ? std::any_cast<std::string>(item) : ""; }
    long outlineViewNumberOfChildren(AppKit::NSOutlineView&, const std::any& of) override {
        auto it = children.find(name(of));
        return it == children.end() ? 0 : long(it->second.size());
    }
    std::any outlineViewChild(AppKit::NSOutlineView&, long index, const std::any& of) override {
        return children[name(of)][std::size_t(index)];
    }
    bool outlineViewIsItemExpandable(AppKit::NSOutlineView&, const std::any& item) override { return children.count(name(item)) > 0; }
};

// A delegate that gives each item a menu named after it.
class MenuDelegate : public Runtime::NSObject, public Orrindle::StyledOutlineViewDelegate {
    VZ_OBJECT(MenuDelegate, Runtime::NSObject)
public:
    std::shared_ptr<AppKit::NSMenu> outlineView(AppKit::NSOutlineView&, const std::any& item) override {
        return AppKit::NSMenu::make(Tree::name(item));
    }
};

// A delegate of the plain kind only.
class PlainDelegate : public Runtime::NSObject {
    VZ_OBJECT(PlainDelegate, Runtime::NSObject)
};

class Outline : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        tree = Runtime::make<Tree>();
        outline = place(Runtime::make<StyledOutlineView>(CGRect{0, 0, 200, 200}));
        outline->setDataSource(tree);
        AppKit::NSMenu::setChooser([this](AppKit::NSMenu& m) {
            opened.push_back(m.title());
            return nullptr;
        });
    }
    void rightClick(CGPoint inOutline) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(event(AppKit::EventType::rightMouseDown, *outline, inOutline));
        app.postEvent(event(AppKit::EventType::rightMouseUp, *outline, inOutline));
        app.processQueuedEvents();
    }
    void clickAt(CGPoint inOutline, AppKit::ModifierFlags flags = {}) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(event(AppKit::EventType::leftMouseDown, *outline, inOutline, 0, flags));
        app.postEvent(event(AppKit::EventType::leftMouseUp, *outline, inOutline, 0, flags));
        app.processQueuedEvents();
    }
    CGPoint rowAt(long row) const { return {50, outline->rect(row).midY()}; }
    void selectRows(std::initializer_list<long> rows) { outline->selectRowIndexes(Foundation::IndexSet(rows), false); }
    static std::string names(const std::vector<std::any>& items) {
        std::string out;
        for (const auto& item : items) out += (out.empty() ? "" : " ") + Tree::name(item);
        return out;
    }
    std::vector<std::shared_ptr<AppKit::NSButton>> disclosureButtons() const {
        std::vector<std::shared_ptr<AppKit::NSButton>> buttons;
        for (auto& v : outline->subviews())
            if (auto b = std::dynamic_pointer_cast<AppKit::NSButton>(v)) buttons.push_back(b);
        return buttons;
    }
    std::shared_ptr<Tree> tree;
    StyledOutlineView::Ptr outline;
    std::vector<std::string> opened;
};

TEST_F(Outline, ContextMenusComeOnlyFromAStyledDelegateAndOnlyOverARow) {
    auto styled = Runtime::make<MenuDelegate>();
    outline->setDelegate(styled);
    rightClick({50, 25});  // the second row: "Recent"
    EXPECT_EQ(opened, (std::vector<std::string>{"Recent"}));
    rightClick({50, 150});  // below the last row
    EXPECT_EQ(opened.size(), 1u);
    auto plain = Runtime::make<PlainDelegate>();
    outline->setDelegate(plain);
    outline->setMenu(AppKit::NSMenu::make("The view's own"));
    rightClick({50, 5});
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(Outline, ExpandingWithoutAnimationOpensOneLevelOfACollapsedParentOnly) {
    const std::any presets = std::string("Presets"), factory = std::string("Factory"), recent = std::string("Recent");
    outline->expandItemWithoutAnimation(recent);  // a leaf
    EXPECT_EQ(outline->numberOfRows(), 2);
    outline->expandItemWithoutAnimation(presets);
    EXPECT_EQ(outline->numberOfRows(), 4);
    EXPECT_FALSE(outline->isItemExpanded(factory));
    EXPECT_FALSE(outline->lastExpansionAnimated());
    EXPECT_EQ(AppKit::NSAnimationContext::current().duration(), 0.25) << "the group is closed again";
    outline->collapseItem(presets);
    outline->expandItem(presets);
    EXPECT_TRUE(outline->lastExpansionAnimated());
    outline->expandItemWithoutAnimation(presets);  // already open: no change
    EXPECT_TRUE(outline->lastExpansionAnimated());
    EXPECT_EQ(Tree::name(outline->item(2)), "Mine");
    EXPECT_EQ(outline->level(1), 1);
    EXPECT_FALSE(outline->item(7).has_value());
}

TEST_F(Outline, DisclosureButtonsShowTheKitsImagesByExpansionAndOpenTheirItem) {
    auto buttons = disclosureButtons();
    ASSERT_EQ(buttons.size(), 1u) << "Presets only";
    EXPECT_EQ(buttons[0]->tag(), StyledOutlineView::disclosureButtonTag);
    auto shown = [&](const AppKit::NSButton& b) {
        const auto list = drawn(const_cast<AppKit::NSButton&>(b));
        const auto images = ControlTest::images(list);
        return images.empty() ? std::string() : images.front()->name;
    };
    EXPECT_EQ(shown(*buttons[0]), "organiser-icon-disclose");
    click(*buttons[0]);
    EXPECT_TRUE(outline->isItemExpanded(std::any(std::string("Presets"))));
    buttons = disclosureButtons();
    ASSERT_EQ(buttons.size(), 2u) << "Presets and Factory";
    EXPECT_EQ(shown(*buttons[0]), "organiser-icon-disclose-open");
    EXPECT_EQ(shown(*buttons[1]), "organiser-icon-disclose");
    EXPECT_EQ(buttons[1]->tag(), StyledOutlineView::disclosureButtonTag);
    click(*buttons[0]);
    EXPECT_EQ(outline->numberOfRows(), 2);
}

TEST_F(Outline, TakesTheStylesBackgroundAndGivesItToTheScrollViewItMovesInto) {
    auto scroll = place(Runtime::make<AppKit::NSScrollView>(CGRect{0, 0, 200, 100}));
    const bool drew = scroll->drawsBackground();
    auto other = Runtime::make<StyledOutlineView>(CGRect{0, 0, 200, 300});
    scroll->setDocumentView(other);
    const auto colour = Orrindle::OutlineViewStyle().backgroundColor();
    ASSERT_TRUE(colour);
    EXPECT_EQ(other->backgroundColor()->cgColor(), colour->cgColor());
    EXPECT_EQ(scroll->backgroundColor()->cgColor(), colour->cgColor()) << "coloured on the first move in";
    EXPECT_EQ(scroll->drawsBackground(), drew);
    EXPECT_EQ(outline->controlState().rawValue(), 1u);
    outline->setEnabled(false);
    EXPECT_EQ(outline->controlState().rawValue(), 3u);
}

// Rows and items as shown, and index paths from the top down among the items loaded.
TEST_F(Outline, RowsItemsAndIndexPathsOfWhatItShows) {
    using Orrindle::allItems, Orrindle::allRows, Orrindle::indexPath, Orrindle::isItemCollapsed;
    tree->children["Presets"].push_back("Shared");
    outline->reloadData();
    auto names = [&] {
        std::vector<std::string> out;
        for (const auto& item : allItems(*outline)) out.push_back(Tree::name(item));
        return out;
    };
    EXPECT_EQ(allRows(*outline), (Foundation::IndexSet{0, 1}));
    EXPECT_EQ(names(), (std::vector<std::string>{"Presets", "Recent"}));
    outline->expandItem(std::string("Presets"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Presets", "Factory", "Mine", "Shared", "Recent"}));

    const auto path = [&](const char* name) { return indexPath(*outline, std::string(name)); };
    EXPECT_EQ(path("Shared"), (std::vector<long>{0, 2}));
    EXPECT_EQ(path("Recent"), (std::vector<long>{1}));
    EXPECT_TRUE(path("Soft").empty()) << "under a parent never opened";
    EXPECT_TRUE(path("Elsewhere").empty());
    EXPECT_TRUE(indexPath(*outline, std::any()).empty());
    outline->expandItem(std::string("Factory"));
    EXPECT_EQ(path("Hard"), (std::vector<long>{0, 0, 1}));

    EXPECT_FALSE(isItemCollapsed(*outline, std::string("Presets")));
    EXPECT_TRUE(isItemCollapsed(*outline, std::string("Recent")));
    outline->collapseItem(std::string("Presets"));
    EXPECT_TRUE(isItemCollapsed(*outline, std::string("Presets")));
    EXPECT_EQ(path("Hard"), (std::vector<long>{0, 0, 1})) << "still loaded, though hidden";

    tree->children.clear();
    outline->reloadData();
    EXPECT_TRUE(allRows(*outline).isEmpty());
}

// What a click is about: the clicked row's item, or the whole selection when the click is on a
// selected row. A right-click is read while its menu is open.
TEST_F(Outline, ClickedAndSelectedItemsFollowTheClickAndTheSelection) {
    using Orrindle::clickedItem, Orrindle::clickedItems, Orrindle::selectedItem, Orrindle::selectedItems;
    auto menus = Runtime::make<MenuDelegate>();
    outline->setDelegate(menus);
    outline->setAllowsMultipleSelection(true);
    outline->expandItem(std::string("Presets"));  // Presets, Factory, Mine, Recent
    // The clicked item, the selected item, the clicked items, the selected items.
    const auto read = [&] {
        return std::vector<std::string>{Tree::name(clickedItem(*outline)), Tree::name(selectedItem(*outline)),
                                        names(clickedItems(*outline)), names(selectedItems(*outline))};
    };
    struct Case {
        const char* what;
        std::initializer_list<long> selected;
        long rightClicked;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        {"on a selected row", {1, 3}, 3, {"Recent", "", "Factory Recent", "Factory Recent"}},
        {"on a row outside the selection", {1, 3}, 2, {"Mine", "", "Mine", "Factory Recent"}},
        {"on the one selected row", {2}, 2, {"Mine", "Mine", "Mine", "Mine"}},
        {"with nothing selected", {}, 0, {"Presets", "", "Presets", ""}},
    };
    for (const auto& c : cases) {
        selectRows(c.selected);
        std::optional<std::vector<std::string>> seen;
        AppKit::NSMenu::setChooser([&](AppKit::NSMenu&) {
            seen = read();
            return nullptr;
        });
        rightClick(rowAt(c.rightClicked));
        ASSERT_TRUE(seen) << c.what;
        EXPECT_EQ(*seen, c.seen) << c.what;
        EXPECT_EQ(read()[2], "") << c.what << ": the menu has closed";
    }

    // Command-clicking a selected row takes it out of the selection: the click is about it alone.
    selectRows({1, 3});
    clickAt(rowAt(3), AppKit::ModifierFlags::command());
    EXPECT_EQ(read(), (std::vector<std::string>{"Recent", "Factory", "Recent", "Factory"}));
    clickAt({50, outline->rect(3).maxY() + 20});  // below the rows
    EXPECT_EQ(read(), (std::vector<std::string>{"", "", "", ""}));
}

// Writing the selected items selects exactly the rows of those shown, in place of the selection.
TEST_F(Outline, SelectedItemsWrittenSelectOnlyTheRowsShown) {
    outline->setAllowsMultipleSelection(true);
    outline->expandItem(std::string("Presets"));  // Presets, Factory (closed), Mine, Recent
    struct Case {
        const char* what;
        std::vector<std::string> items;
        Foundation::IndexSet rows;
    };
    const Case cases[] = {
        {"shown items, in any order", {"Recent", "Mine"}, {2, 3}},
        {"one under a collapsed parent", {"Soft", "Recent"}, {3}},
        {"one not in the outline", {"Elsewhere"}, {}},
        {"none", {}, {}},
    };
    for (const auto& c : cases) {
        selectRows({0});
        std::vector<std::any> items(c.items.begin(), c.items.end());
        Orrindle::setSelectedItems(*outline, items);
        EXPECT_EQ(outline->selectedRowIndexes(), c.rows) << c.what;
    }
}

// Rows opening and closing above the selection move it with its items; the items they hide
// leave it, and only that is announced. A Shift-click extends from the item clicked before.
TEST_F(Outline, TheSelectionStaysWithItsItemsAsRowsOpenAndClose) {
    using Orrindle::selectedItems;
    outline->setAllowsMultipleSelection(true);
    int changes = 0;
    auto token = Foundation::NotificationCenter::defaultCenter().addObserver(
        AppKit::NSTableView::selectionDidChangeNotification, outline, [&](const Foundation::Notification&) { ++changes; });
    clickAt(rowAt(1));  // Recent
    ASSERT_EQ(changes, 1);
    outline->expandItem(std::string("Presets"));
    EXPECT_EQ(names(selectedItems(*outline)), "Recent");
    EXPECT_EQ(outline->selectedRow(), 3);
    clickAt(rowAt(2), AppKit::ModifierFlags::shift());
    EXPECT_EQ(names(selectedItems(*outline)), "Mine Recent");
    EXPECT_EQ(changes, 2);

    outline->expandItem(std::string("Factory"));  // Presets, Factory, Soft, Hard, Mine, Recent
    Orrindle::setSelectedItems(*outline, {std::string("Hard"), std::string("Recent")});
    EXPECT_EQ(outline->selectedRowIndexes(), (Foundation::IndexSet{3, 5}));
    changes = 0;
    outline->collapseItem(std::string("Factory"));
    EXPECT_EQ(names(selectedItems(*outline)), "Recent");
    EXPECT_EQ(outline->selectedRow(), 3);
    EXPECT_EQ(changes, 1) << "Hard left the selection";
    outline->collapseItem(std::string("Presets"));
    EXPECT_EQ(outline->selectedRowIndexes(), (Foundation::IndexSet{1}));
    EXPECT_EQ(changes, 1) << "Recent only moved";
}

}  // namespace
