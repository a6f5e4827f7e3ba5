#include <gtest/gtest.h>

#include <map>
#include <set>

#include "AppKitTestSupport.hpp"
#include "AppKit/NSButton.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "AppKit/NSTableColumn.hpp"
#include "AppKit/NSTableHeaderView.hpp"
#include "AppKit/NSTableView.hpp"
#include "AppKit/NSTextField.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace {

using namespace AppKit;
using AppKitTest::AppKitTest;
using Foundation::IndexSet;

// Rows of names in two columns, "Name" and "Value"; the rows in `groups` are group rows and those
// in `refused` cannot be selected. Cells are cell views with a label, made anew or reused.
class Rows : public Runtime::NSObject, public NSTableViewDataSource, public NSTableViewDelegate {
    VZ_OBJECT(Rows, Runtime::NSObject)
public:
    std::vector<std::string> names{"Swing", "Delay", "Seed", "Steps", "Velocity"};
    std::set<long> groups, refused;
    int selectionChanges = 0, made = 0;
    bool editable = false;

    long numberOfRowsInTableView(NSTableView&) override { return long(names.size()); }
    std::any tableViewObjectValue(NSTableView&, NSTableColumn* column, long row) override {
        return column ? column->identifier() + ":" + names[std::size_t(row)] : names[std::size_t(row)];
    }
    std::shared_ptr<NSView> tableViewViewFor(NSTableView& table, NSTableColumn* column, long row) override {
        const std::string id = column ? column->identifier() : "group";
        auto view = std::dynamic_pointer_cast<NSTableCellView>(table.makeView(id, this));
        if (!view) {
            ++made;
            view = Runtime::make<NSTableCellView>(CGRect{});
            view->setIdentifier(id);
            auto field = NSTextField::labelWithString("");
            field->setFrameSize({80, 18});
            view->addSubview(field);
            view->setTextField(field);
        }
        view->textField()->setEditable(editable);
        view->textField()->setStringValue(names[std::size_t(row)]);
        return view;
    }
    bool tableViewIsGroupRow(NSTableView&, long row) override { return groups.count(row) > 0; }
    std::optional<CGFloat> tableViewHeightOfRow(NSTableView& table, long row) override {
        (void)table;
        return groups.count(row) ? std::optional<CGFloat>(30) : std::nullopt;
    }
    bool tableViewShouldSelectRow(NSTableView&, long row) override { return refused.count(row) == 0; }
    void tableViewSelectionDidChange(const Foundation::Notification&) override { ++selectionChanges; }
};

class Table : public AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 400, 300});
        window->makeKeyAndOrderFront();
        rows = Runtime::make<Rows>();
        table = Runtime::make<NSTableView>(CGRect{0, 0, 300, 200});
        for (const char* id : {"name", "value"}) {
            auto c = Runtime::make<NSTableColumn>(std::string(id));
            c->setTitle(std::string(id) == "name" ? "Name" : "Value");
            c->setWidth(120);
            table->addTableColumn(c);
        }
        table->setDelegate(rows);
        table->setDataSource(rows);
    }
    // The table in a scroll view of `size` in the window.
    NSScrollView::Ptr scrolled(CGSize size = {300, 120}) {
        auto scroll = Runtime::make<NSScrollView>(CGRect{{10, 10}, size});
        window->contentView()->addSubview(scroll);
        scroll->setDocumentView(table);
        return scroll;
    }
    void clickRow(long row, ModifierFlags flags = {}) { clickAt({20, table->rect(row).midY()}, flags); }
    // A press and a release at a point of the table, of the left button or the right.
    void clickAt(CGPoint inTable, ModifierFlags flags = {}, bool right = false) {
        const CGPoint p = table->convertTo(inTable, nullptr);
        auto& app = NSApplication::shared();
        app.postEvent(mouse(right ? EventType::rightMouseDown : EventType::leftMouseDown, p, window, 1, flags));
        app.postEvent(mouse(right ? EventType::rightMouseUp : EventType::leftMouseUp, p, window, 1, flags));
        app.processQueuedEvents();
    }
    void press(char32_t special, ModifierFlags flags = {}) {
        std::string s;
        s += char(0xE0 | (special >> 12)), s += char(0x80 | ((special >> 6) & 0x3F)), s += char(0x80 | (special & 0x3F));
        NSApplication::shared().postEvent(key(s, window, flags));
        NSApplication::shared().processQueuedEvents();
    }
    NSWindow::Ptr window;
    std::shared_ptr<Rows> rows;
    NSTableView::Ptr table;
};

TEST_F(Table, RowsHoldACellViewPerVisibleColumnAndGroupRowsOneAcross) {
    rows->groups = {0};
    table->reloadData();
    ASSERT_EQ(table->numberOfRows(), 5);
    EXPECT_EQ(table->rect(0), (CGRect{0, 0, 300, 32})) << "a group row of its own height, plus the spacing";
    EXPECT_EQ(table->rect(1), (CGRect{0, 32, 300, 22}));
    auto group = table->rowView(0);
    ASSERT_TRUE(group);
    EXPECT_TRUE(group->isGroupRowStyle());
    ASSERT_EQ(group->subviews().size(), 1u);
    EXPECT_EQ(group->subviews()[0]->frame().width(), 300);
    auto row = table->rowView(1);
    ASSERT_EQ(row->subviews().size(), 2u);
    EXPECT_EQ(row->subviews()[1]->frame(), (CGRect{123 + 1.5, 1, 120, 20})) << "after the first column and the spacing";
    auto cell = std::dynamic_pointer_cast<NSTableCellView>(table->view(1, 1));
    ASSERT_TRUE(cell);
    EXPECT_EQ(std::any_cast<std::string>(cell->objectValue()), "value:Delay");
    EXPECT_EQ(table->row(*cell->textField()), 1);
    auto stray = Runtime::make<NSView>(CGRect{});
    EXPECT_EQ(table->row(*stray), -1);
    // A hidden column takes no room.
    table->tableColumns()[0]->setHidden(true);
    EXPECT_EQ(table->rowView(1)->subviews().size(), 1u);
    EXPECT_EQ(table->rectOfColumn(0), CGRect{});
    EXPECT_EQ(table->rectOfColumn(1).minX(), 0);
    // Reloading hands the views that left out again instead of making new ones.
    const int made = rows->made;
    table->reloadData();
    EXPECT_EQ(rows->made, made);
    EXPECT_TRUE(table->view(1, 4));
}

TEST_F(Table, ClicksSelectRowsAndModifiersToggleAndExtend) {
    scrolled();
    table->setAllowsMultipleSelection(true);
    clickRow(1);
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1}));
    EXPECT_EQ(window->firstResponder(), table) << "the click reached the table through the cell's label";
    clickRow(3, ModifierFlags::shift());
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1, 2, 3}));
    clickRow(2, ModifierFlags::command());
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1, 3}));
    EXPECT_EQ(table->selectedRow(), 3);
    EXPECT_EQ(rows->selectionChanges, 3);
    clickRow(3, ModifierFlags::command());
    EXPECT_EQ(table->selectedRow(), 1);
    for (long r = 0; r < 5; ++r) EXPECT_EQ(table->rowView(r)->isSelected(), r == 1) << r;
    // A refused row is not taken; a click below the rows empties the selection.
    rows->refused = {4};
    clickRow(4);
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1}));
    const int changes = rows->selectionChanges;
    clickRow(1);
    EXPECT_EQ(rows->selectionChanges, changes) << "the same selection posts nothing";
    table->setAllowsMultipleSelection(false);
    clickRow(3, ModifierFlags::shift());
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{3})) << "one row only";
}

// The clicked row stays for the actions a click leads to; a right-click's row holds while its
// context menu is open (and the chosen item's action runs), and not after.
TEST_F(Table, TheClickedRowIsTheRowUnderTheLastClickOrTheOpenContextMenu) {
    scrolled({300, 200});  // room below the rows
    EXPECT_EQ(table->clickedRow(), -1) << "before any click";
    clickRow(2);
    EXPECT_EQ(table->clickedRow(), 2) << "after the release too";

    std::vector<long> whileOpen;
    table->setMenu(NSMenu::make("Row"));
    NSMenu::setChooser([&](NSMenu&) {
        whileOpen.push_back(table->clickedRow());
        return nullptr;
    });
    clickAt({20, table->rect(4).midY()}, {}, true);
    clickAt({20, table->rect(4).maxY() + 4}, {}, true);  // below the rows
    EXPECT_EQ(whileOpen, (std::vector<long>{4, -1}));
    EXPECT_EQ(table->clickedRow(), -1) << "the menu has closed";
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{2})) << "a right-click leaves the selection alone";
    NSMenu::setChooser(nullptr);

    clickAt({20, table->rect(4).maxY() + 4});
    EXPECT_EQ(table->clickedRow(), -1) << "a click below the rows";
    clickRow(4);
    rows->names.resize(3);
    table->reloadData();
    EXPECT_EQ(table->clickedRow(), -1) << "the clicked row is gone";
}

TEST_F(Table, ArrowsMoveTheSelectionPastRowsThatCannotBeSelected) {
    auto scroll = scrolled({300, 70});
    rows->groups = {0};
    rows->refused = {0, 2};
    table->reloadData();
    window->makeFirstResponder(table);
    press(SpecialKey::downArrow().rawValue);
    EXPECT_EQ(table->selectedRow(), 1) << "from nothing to the first selectable row";
    press(SpecialKey::downArrow().rawValue);
    EXPECT_EQ(table->selectedRow(), 3);
    table->setAllowsMultipleSelection(true);
    press(SpecialKey::downArrow().rawValue, ModifierFlags::shift());
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{3, 4}));
    EXPECT_GT(scroll->scrollPosition().y, 0) << "the last row scrolled into view";
    press(SpecialKey::home().rawValue);
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1}));
    EXPECT_EQ(scroll->scrollPosition().y, 32) << "just far enough back for the row";
    press(SpecialKey::upArrow().rawValue);
    EXPECT_EQ(table->selectedRow(), 1) << "nothing selectable above";
    press(SpecialKey::end().rawValue, ModifierFlags::shift());
    EXPECT_EQ(table->selectedRowIndexes(), (IndexSet{1, 3, 4})) << "an extended selection passes over refused rows";
    press(SpecialKey::end().rawValue);
    EXPECT_EQ(table->selectedRow(), 4);
}

TEST_F(Table, AFieldInARowIsEditedOnlyOnceItsRowIsSelected) {
    rows->editable = true;
    table->reloadData();
    scrolled();
    auto field = std::dynamic_pointer_cast<NSTableCellView>(table->view(0, 2))->textField();
    clickRow(2);
    EXPECT_EQ(table->selectedRow(), 2);
    EXPECT_FALSE(field->currentEditor()) << "the first click selects";
    clickRow(2);
    EXPECT_TRUE(field->currentEditor()) << "the second edits";
    EXPECT_TRUE(table->rowView(2)->isSelected());
}

TEST_F(Table, TheHeaderSitsAboveInTheScrollViewAndDragsResizeColumns) {
    table->setColumnAutoresizingStyle(NSTableViewColumnAutoresizingStyle::none);
    auto scroll = scrolled({200, 100});
    scroll->setHasVerticalScroller(true);
    auto header = table->headerView();
    ASSERT_TRUE(header);
    EXPECT_EQ(header->superview(), scroll->headerClipView());
    EXPECT_EQ(scroll->headerClipView()->frame(), (CGRect{0, 76, 185, 24})) << "along the top, beside the scroller";
    EXPECT_TRUE(scroll->isVerticalScrollerShown()) << "five rows of 22 do not fit in 76";
    EXPECT_EQ(scroll->contentView()->frame().width(), 185);
    EXPECT_EQ(table->frame().width(), 246) << "two columns of 120 and their spacing";
    EXPECT_EQ(header->frame().width(), 246);
    EXPECT_EQ(header->headerRect(1), (CGRect{123, 0, 123, 24}));
    scroll->scroll({30, 0});
    EXPECT_EQ(scroll->headerClipView()->bounds().origin.x, 30) << "the header follows sideways";
    scroll->scroll({0, 0});
    // Drag the first column's right edge 40 points to the right.
    const CGPoint edge = header->convertTo(CGPoint{123, 12}, nullptr);
    auto& app = NSApplication::shared();
    app.postEvent(mouse(EventType::leftMouseDown, edge, window));
    app.postEvent(mouse(EventType::leftMouseDragged, {edge.x + 20, edge.y}, window));
    app.postEvent(mouse(EventType::leftMouseDragged, {edge.x + 40, edge.y}, window));
    app.postEvent(mouse(EventType::leftMouseUp, {edge.x + 40, edge.y}, window));
    int resized = 0;
    auto token = Foundation::NotificationCenter::defaultCenter().addObserver(
        NSTableView::columnDidResizeNotification, table, [&](const Foundation::Notification&) { ++resized; });
    app.processQueuedEvents();
    EXPECT_EQ(table->tableColumns()[0]->width(), 160);
    EXPECT_EQ(resized, 2) << "the release where the last drag was changes nothing";
    EXPECT_EQ(table->view(1, 0)->frame().minX(), 163 + 1.5);
    table->tableColumns()[0]->setMinWidth(200);
    EXPECT_EQ(table->tableColumns()[0]->width(), 200) << "kept above the minimum";
    EXPECT_EQ(header->resizableColumn({10, 5}), -1);
}

TEST_F(Table, TheLastColumnFillsTheClipViewAndAFlippedDocumentStartsAtTheTop) {
    auto scroll = scrolled({300, 60});
    EXPECT_EQ(table->tableColumns()[1]->width(), 300 - 123 - 3);
    EXPECT_TRUE(scroll->contentView()->isFlipped());
    EXPECT_EQ(scroll->scrollPosition().y, 0);
    NSApplication::shared().postEvent(NSEvent::scrollWheelEvent(table->convertTo(CGPoint{10, 10}, nullptr), 0, -10, {}, 0, window));
    NSApplication::shared().processQueuedEvents();
    EXPECT_EQ(scroll->scrollPosition().y, 10) << "down the document";
    table->scrollRowToVisible(0);
    EXPECT_EQ(scroll->scrollPosition().y, 0);
}

}  // namespace
