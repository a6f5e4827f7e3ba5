#include <gtest/gtest.h>

#include <map>

#include "AppKit/NSAnimationContext.hpp"
#include "AppKit/NSButton.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSScrollView.hpp"
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

}  // namespace
