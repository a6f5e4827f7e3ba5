#include <gtest/gtest.h>

#include <set>

#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Labels/StyledTableRowLabel.hpp"
#include "Orrindle/Outlines/StyledOutlineView.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Tables/ActionableTableHeaderView.hpp"
#include "Orrindle/Tables/KeyboardActionTableView.hpp"
#include "Orrindle/Tables/StyledTableCellView.hpp"
#include "Orrindle/Tables/StyledTableColumn.hpp"
#include "Orrindle/Tables/StyledTableHeaderCell.hpp"
#include "Orrindle/Tables/StyledTableRowView.hpp"
#include "Orrindle/Tables/StyledTableView.hpp"

namespace {

using namespace OrrindleTest;
using namespace Orrindle;
using AppKit::CGFloat;
using Foundation::IndexSet;
using S = StyledControlState;

// Six rows of styled row views, each with one styled cell view holding a row label.
class Rows : public Runtime::NSObject, public AppKit::NSTableViewDataSource, public AppKit::NSTableViewDelegate {
    VZ_OBJECT(Rows, Runtime::NSObject)
public:
    long count = 6;
    long numberOfRowsInTableView(AppKit::NSTableView&) override { return count; }
    std::shared_ptr<AppKit::NSView> tableViewViewFor(AppKit::NSTableView&, AppKit::NSTableColumn*, long row) override {
        auto cell = Runtime::make<StyledTableCellView>(CGRect{});
        auto label = AppKit::NSTextField::labelWithString<StyledTableRowLabel>("Row " + std::to_string(row));
        label->setFrame({2, 2, 80, 16});
        cell->addSubview(label);
        cell->setTextField(label);
        return cell;
    }
    std::shared_ptr<AppKit::NSTableRowView> tableViewRowViewForRow(AppKit::NSTableView&, long) override {
        return Runtime::make<StyledTableRowView>(CGRect{});
    }
    std::set<long> groups;
    bool tableViewIsGroupRow(AppKit::NSTableView&, long row) override { return groups.count(row) > 0; }
};

// A container that writes down the keys that reach it.
class KeyCatcher : public AppKit::NSView {
    VZ_OBJECT(KeyCatcher, AppKit::NSView)
public:
    std::vector<std::string> keys;
    void keyDown(const AppKit::NSEvent& e) override { keys.push_back(e.characters()); }

protected:
    using AppKit::NSView::NSView;
};

class Tables : public ControlTest {
protected:
    template <class Table = StyledTableView>
    std::shared_ptr<Table> table(long columns = 1) {
        auto t = Runtime::make<Table>(CGRect{0, 0, 200, 150});
        for (long c = 0; c < columns; ++c) {
            auto column = Runtime::make<StyledTableColumn>("c" + std::to_string(c));
            column->setWidth(60);
            t->addTableColumn(column);
        }
        t->setDelegate(rows);
        t->setDataSource(rows);
        return t;
    }
    static std::string key(char32_t special) {
        std::string s;
        s += char(0xE0 | (special >> 12)), s += char(0x80 | ((special >> 6) & 0x3F)), s += char(0x80 | (special & 0x3F));
        return s;
    }
    // What a row view fills for its selection, drawn in its bounds.
    static std::vector<Op::Fill> selectionFills(AppKit::NSTableRowView& rowView) {
        CoreGraphics::CGContext ctx({200, 40}, true);
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        rowView.drawSelection(rowView.bounds());
        std::vector<Op::Fill> fills;
        for (auto* f : ctx.displayList().all<Op::Fill>()) fills.push_back(*f);
        EXPECT_EQ(fills.size(), ctx.displayList().size()) << "fills only";
        return fills;
    }
    std::shared_ptr<AppKit::NSEvent> keyEvent(AppKit::EventType type, const std::string& chars) {
        return AppKit::NSEvent::keyEvent(type, {}, {}, 0, window, chars, chars, false, 0);
    }
    std::shared_ptr<Rows> rows = Runtime::make<Rows>();
};

TEST_F(Tables, KeysGoToTheSuperviewUnlessKeyboardNavigationIsAllowed) {
    auto catcher = place(Runtime::make<KeyCatcher>(CGRect{0, 0, 300, 200}));
    auto t = table();
    catcher->addSubview(t);
    t->selectRowIndexes({1}, false);
    ASSERT_TRUE(window->makeFirstResponder(t));
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(keyEvent(AppKit::EventType::keyDown, key(AppKit::SpecialKey::downArrow().rawValue)));
    app.processQueuedEvents();
    EXPECT_EQ(catcher->keys.size(), 1u);
    EXPECT_EQ(t->selectedRow(), 1) << "the table moved nothing";
    t->setAllowKeyboardNavigation(true);
    app.postEvent(keyEvent(AppKit::EventType::keyDown, key(AppKit::SpecialKey::downArrow().rawValue)));
    app.processQueuedEvents();
    EXPECT_EQ(t->selectedRow(), 2);
    EXPECT_EQ(catcher->keys.size(), 1u);
}

TEST_F(Tables, AClickMakesTheWindowKeyAndSelectsTheRowInTheSameClick) {
    auto t = place(table());
    auto other = AppKit::NSWindow::make({500, 0, 100, 100});
    other->makeKeyAndOrderFront();
    ASSERT_FALSE(window->isKeyWindow());
    const CGRect row = t->rect(2);
    t->mouseDown(*event(AppKit::EventType::leftMouseDown, *t, {20, row.midY()}));
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(t->selectedRow(), 2);
    other->makeKeyAndOrderFront();
    t->setMakeKeyOnClick(false);
    t->mouseDown(*event(AppKit::EventType::leftMouseDown, *t, {20, t->rect(3).midY()}));
    EXPECT_FALSE(window->isKeyWindow());
    EXPECT_EQ(t->selectedRow(), 3) << "selected all the same";
}

TEST_F(Tables, TakesTheStylesBackgroundIntoItsScrollView) {
    auto scroll = place(Runtime::make<AppKit::NSScrollView>(CGRect{0, 0, 200, 100}));
    scroll->setDrawsBackground(false);
    auto t = table();
    scroll->setDocumentView(t);
    const auto colour = TableViewStyle().backgroundColor()->cgColor();
    EXPECT_EQ(t->backgroundColor()->cgColor(), colour);
    EXPECT_TRUE(scroll->drawsBackground()) << "at the first move in";
    EXPECT_EQ(scroll->backgroundColor()->cgColor(), colour);
    // A new style with the defaults on every read: what one reader changes reaches no other.
    auto changed = t->style();
    changed->setBackgroundColor(AppKit::NSColor::sRGB(1, 0, 0));
    changed->setTextColor(AppKit::NSColor::sRGB(0, 1, 0));
    EXPECT_EQ(t->style()->backgroundColor()->cgColor(), colour);
    EXPECT_EQ(t->style()->textColor()->name(), "Grey 70%");
    EXPECT_EQ(t->controlState().rawValue(), 1);
    t->setEnabled(false);
    t->setHighlighted(true);
    EXPECT_EQ(t->controlState().rawValue(), 11) << "default, disabled, highlighted";
    // Every column index, hidden ones included, and nothing for a table without columns.
    auto three = table(3);
    three->tableColumns()[1]->setHidden(true);
    EXPECT_EQ(three->allColumnIndexes(), (IndexSet{0, 1, 2}));
    EXPECT_TRUE(table(0)->allColumnIndexes().isEmpty());
}

TEST_F(Tables, HeaderStyleReplacesTheCellsOfVisibleColumnsOnly) {
    auto t = table(3);
    const auto& columns = t->tableColumns();
    columns[0]->setTitle("Name");
    auto picture = AppKit::NSImage::withResource(ImageResources::propertiesTableAdd());
    std::static_pointer_cast<StyledTableColumn>(columns[0])->setImage(picture);
    columns[1]->setHidden(true);
    const auto hiddenCell = columns[1]->headerCell();
    const auto bg = AppKit::NSColor::sRGB(0.1, 0.1, 0.1), text = AppKit::NSColor::sRGB(0.8, 0.8, 0.8);
    const auto font = AppKit::NSFont::systemFont(11);
    t->setHeaderStyle(text, bg, font);
    EXPECT_EQ(columns[1]->headerCell(), hiddenCell) << "a hidden column keeps its cell";
    for (long c : {0L, 2L}) {
        auto cell = std::dynamic_pointer_cast<StyledTableHeaderCell>(columns[std::size_t(c)]->headerCell());
        ASSERT_TRUE(cell) << c;
        EXPECT_EQ(cell->tintColor(), bg);
        EXPECT_EQ(cell->textColor(), text);
        EXPECT_TRUE(cell->drawsBackground());
        EXPECT_EQ(cell->backgroundStyle(), AppKit::NSBackgroundStyle::raised);
        const auto title = cell->attributedStringValue();
        ASSERT_EQ(title.runs.size(), 1u);
        EXPECT_EQ(title.runs[0].font, font->font());
        EXPECT_EQ(title.runs[0].color, text->cgColor());
        EXPECT_FALSE(title.runs[0].background);
    }
    EXPECT_EQ(columns[0]->headerCell()->stringValue(), "Name");
    EXPECT_EQ(columns[0]->headerCell()->image(), picture);
    EXPECT_EQ(columns[2]->headerCell()->stringValue(), "") << "an untitled column gets an empty title";
    // The column's image reaches its cell at every read; none clears the cell's.
    std::static_pointer_cast<StyledTableColumn>(columns[0])->setImage(nullptr);
    EXPECT_EQ(columns[0]->headerCell()->image(), nullptr);
}

TEST(TablesDeathTest, AHeaderStyleWithoutAFontOrATextColourIsRefusedWhereItIsGiven) {
    auto t = Runtime::make<StyledTableView>(CGRect{0, 0, 200, 100});
    t->addTableColumn(Runtime::make<StyledTableColumn>(std::string("name")));
    const auto colour = AppKit::NSColor::sRGB(0.8, 0.8, 0.8);
    EXPECT_DEATH(t->setHeaderStyle(colour, colour, nullptr), "setHeaderStyle needs a text colour and a font");
    EXPECT_DEATH(t->setHeaderStyle(nullptr, colour, AppKit::NSFont::systemFont(11)), "setHeaderStyle needs a text colour and a font");
}

TEST_F(Tables, AKeyboardActionTableSendsItsActionWhenATriggerIsReleased) {
    auto t = place(table<KeyboardActionTableView>());
    auto receiver = Runtime::make<Receiver>();
    t->setTarget(receiver);
    t->setKeyboardAction(Runtime::Selector("primary:"));
    window->makeFirstResponder(t);
    auto& app = AppKit::NSApplication::shared();
    auto press = [&](AppKit::EventType type, const std::string& chars) {
        app.postEvent(keyEvent(type, chars));
        app.processQueuedEvents();
        return receiver->log.size();
    };
    EXPECT_EQ(press(AppKit::EventType::keyDown, "\r"), 0u) << "not on the press";
    EXPECT_EQ(press(AppKit::EventType::keyUp, "\r"), 1u);
    EXPECT_EQ(press(AppKit::EventType::keyUp, "\x03"), 2u) << "the keypad's Enter";
    EXPECT_EQ(press(AppKit::EventType::keyUp, "a"), 2u);
    EXPECT_EQ(receiver->lastSender, t.get());
    t->setKeyboardActionTriggers({AppKit::SpecialKey::carriageReturn()});
    EXPECT_EQ(press(AppKit::EventType::keyUp, "\x03"), 2u);
    EXPECT_EQ(press(AppKit::EventType::keyUp, "\r"), 3u);
    t->setKeyboardAction({});
    EXPECT_EQ(press(AppKit::EventType::keyUp, "\r"), 3u) << "no action, nothing sent";
}

// What a header cell draws in a frame of a flipped view.
DisplayList drawHeaderCell(AppKit::NSCell& cell, CGRect frame) {
    auto view = Runtime::make<AppKit::NSTableHeaderView>(CGRect{0, 0, 400, 24});
    CoreGraphics::CGContext ctx({400, 24}, true);
    CoreGraphics::CGContext::CurrentScope scope(&ctx);
    cell.draw(frame, *view);
    return ctx.takeDisplayList();
}

TEST_F(Tables, AHeaderCellDrawsItsTintTitleAndImageFlat) {
    auto picture = AppKit::NSImage::withResource(ImageResources::propertiesTableAdd());
    auto cell = Runtime::make<StyledTableHeaderCell>(std::string("Tempo"), picture);
    cell->setFont(AppKit::NSFont::systemFont(11));
    EXPECT_EQ(cell->tintColor(), AppKit::NSColor::controlBackgroundColor());
    const auto font = cell->font();
    const CGFloat dy = std::floor((24 - (font->ascender() - font->descender())) / 2);
    struct Row {
        CGRect frame;
        CGFloat inset;
    };
    for (const Row row : {Row{{0, 0, 100, 24}, 4}, Row{{120, 0, 100, 24}, 1}}) {
        const auto list = drawHeaderCell(*cell, row.frame);
        ASSERT_EQ(list.all<Op::Fill>().size(), 1u);
        EXPECT_EQ(list.all<Op::Fill>()[0]->path.boundingBoxOfPath(), row.frame) << "the tint over the whole cell";
        ASSERT_EQ(list.all<Op::Text>().size(), 1u);
        EXPECT_EQ(list.all<Op::Text>()[0]->box, row.frame.insetBy(row.inset, dy));
        ASSERT_EQ(list.all<Op::Image>().size(), 1u);
        const auto s = picture->size();
        EXPECT_EQ(list.all<Op::Image>()[0]->destination, (CGRect{row.frame.midX() - s.width / 2, 12 - s.height / 2, s.width, s.height}));
    }
    // In a frame that does not start at y 0 the image is centred in the frame all the same.
    const auto lower = drawHeaderCell(*cell, {0, 30, 100, 24});
    EXPECT_DOUBLE_EQ(lower.all<Op::Image>()[0]->destination.midY(), 42);
    cell->setTintColor(nullptr);
    EXPECT_TRUE(drawHeaderCell(*cell, {0, 0, 100, 24}).all<Op::Fill>().empty()) << "no tint, nothing filled";
}

// The restyled header keeps each column's picture: a plain column's cell image moves to the new
// cell, and a styled column gives its own image to every cell handed to it, at once.
TEST_F(Tables, HeaderCellsAreGivenTheirColumnsImage) {
    auto t = Runtime::make<StyledTableView>(CGRect{0, 0, 200, 150});
    auto plain = Runtime::make<AppKit::NSTableColumn>(std::string("plain"));
    auto styled = Runtime::make<StyledTableColumn>(std::string("styled"));
    t->addTableColumn(plain);
    t->addTableColumn(styled);
    auto add = AppKit::NSImage::withResource(ImageResources::propertiesTableAdd());
    auto overflow = AppKit::NSImage::withResource(ImageResources::propertiesTableheaderOverflow());
    plain->headerCell()->setImage(add);
    styled->setImage(overflow);

    struct Row {
        const char* name;
        AppKit::NSTableColumn::Ptr column;
        AppKit::NSImage::Ptr image;
    };
    const auto colour = AppKit::NSColor::sRGB(0.5, 0.5, 0.5);
    t->setHeaderStyle(colour, colour, AppKit::NSFont::systemFont(11));
    for (const auto& row : {Row{"a plain column", plain, add}, Row{"a styled column", styled, overflow}}) {
        auto cell = std::dynamic_pointer_cast<StyledTableHeaderCell>(row.column->AppKit::NSTableColumn::headerCell());
        ASSERT_TRUE(cell) << row.name;
        EXPECT_EQ(cell->image(), row.image) << row.name << ", as the new cell holds it";
        const auto list = drawHeaderCell(*cell, {0, 0, 100, 24});
        ASSERT_EQ(list.all<Op::Image>().size(), 1u) << row.name;
        EXPECT_EQ(list.all<Op::Image>()[0]->name, row.image->name()) << row.name;
    }

    // Handed a cell, the styled column gives it its image before anyone reads it back; a new
    // image alone waits for the next handing or reading.
    auto cell = Runtime::make<StyledTableHeaderCell>(std::string("Pan"), add);
    styled->setHeaderCell(cell);
    EXPECT_EQ(cell->image(), overflow);
    styled->setImage(nullptr);
    EXPECT_EQ(cell->image(), overflow);
    EXPECT_EQ(styled->headerCell()->image(), nullptr);
}

TEST_F(Tables, AHeaderCellsCopyKeepsTheTintAndGoesItsOwnWay) {
    auto cell = Runtime::make<StyledTableHeaderCell>(std::string("Swing"), nullptr);
    const auto tint = AppKit::NSColor::sRGB(0.2, 0.3, 0.4);
    cell->setTintColor(tint);
    auto copy = std::dynamic_pointer_cast<StyledTableHeaderCell>(cell->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->tintColor(), tint);
    EXPECT_EQ(cell->tintColor(), tint);
    EXPECT_EQ(copy->stringValue(), "Swing");
    EXPECT_EQ(drawHeaderCell(*copy, {0, 0, 60, 24}).all<Op::Fill>()[0]->color, tint->cgColor());
    copy->setTintColor(AppKit::NSColor::clear());
    EXPECT_EQ(cell->tintColor(), tint);
}

// The header in a window that is not on screen, so no drawing pass lays it out behind the
// test's back: its needsLayout flag shows what the changes asked for.
class ActionableHeader : public Tables {
protected:
    void SetUp() override {
        Tables::SetUp();
        offscreen = AppKit::NSWindow::make({0, 0, 400, 200});
        scroll = Runtime::make<AppKit::NSScrollView>(CGRect{0, 0, 200, 120});
        offscreen->contentView()->addSubview(scroll);
        t = table(2);
        t->setColumnAutoresizingStyle(AppKit::NSTableViewColumnAutoresizingStyle::none);
        scroll->setDocumentView(t);
        header = Runtime::make<ActionableTableHeaderView>(CGRect{0, 0, 200, 24});
        t->setHeaderView(header);
    }
    AppKit::NSWindow::Ptr offscreen;
    std::shared_ptr<AppKit::NSScrollView> scroll;
    StyledTableView::Ptr t;
    ActionableTableHeaderView::Ptr header;
};

TEST_F(ActionableHeader, ItsButtonsSitAtTheTrailingEndWithTheKitsImages) {
    struct Expect {
        AppKit::NSButton::Ptr button;
        std::string image, pressed;
    };
    for (const auto& e : {Expect{header->addItemButton(), "properties-table-add", "properties-table-add-down"},
                          Expect{header->optionButton(), "properties-tableheader-overflow", "properties-tableheader-overflow-down"}}) {
        EXPECT_EQ(e.button->image()->name(), e.image);
        EXPECT_EQ(e.button->alternateImage()->name(), e.pressed);
        EXPECT_EQ(e.button->title(), "");
        EXPECT_FALSE(e.button->isBordered());
        EXPECT_EQ(e.button->imagePosition(), AppKit::NSCellImagePosition::imageOnly);
        EXPECT_EQ(e.button->imageScaling(), AppKit::NSImageScaling::scaleNone);
        EXPECT_EQ(e.button->bezelStyle(), AppKit::NSBezelStyle::regularSquare);
        EXPECT_EQ(e.button->contentHuggingPriority(AppKit::NSLayoutConstraintOrientation::horizontal), 1000);
        EXPECT_EQ(e.button->superview(), header);
        EXPECT_FALSE(e.button->target());
    }
    EXPECT_TRUE(scroll->contentView()->postsBoundsChangedNotifications());
    EXPECT_TRUE(scroll->contentView()->postsFrameChangedNotifications());
    header->layoutSubtreeIfNeeded();
    header->layout();
    const CGFloat w = header->optionButton()->frame().width();
    EXPECT_EQ(header->optionButton()->frame().maxX(), 200 - 2);
    EXPECT_EQ(header->addItemButton()->frame().maxX(), 200 - 2 - w);
    EXPECT_DOUBLE_EQ(header->optionButton()->frame().midY(), 12);
    header->removeOptionButton();
    header->layout();
    EXPECT_EQ(header->addItemButton()->frame().maxX(), 200 - 2) << "the add button moves to the end";
    header->removeAddButton();
    header->layout();
    EXPECT_EQ(header->addItemButton()->frame().size, (AppKit::CGSize{0, 0}));
    EXPECT_EQ(header->optionButton()->frame().size, (AppKit::CGSize{0, 0}));
}

TEST_F(ActionableHeader, FollowsItsOwnClipViewAndIgnoresOthers) {
    // Columns wider than the clip view: the header is as wide as the table, the buttons stay
    // where the clip view shows.
    t->tableColumns()[0]->setWidth(200);
    EXPECT_EQ(header->frame().width(), 266);
    EXPECT_EQ(header->trailingOffset(), -66);
    header->layout();
    EXPECT_EQ(header->optionButton()->frame().maxX(), 200 - 2);
    // Scrolling relayouts the header, on the main run loop.
    drain();
    offscreen->contentView()->layoutSubtreeIfNeeded();
    ASSERT_FALSE(header->needsLayout());
    scroll->scroll({30, 0});
    EXPECT_FALSE(header->needsLayout()) << "not before the run loop turns";
    drain();
    EXPECT_TRUE(header->needsLayout());
    offscreen->contentView()->layoutSubtreeIfNeeded();
    EXPECT_EQ(header->trailingOffset(), -36);
    EXPECT_EQ(header->optionButton()->frame().maxX(), 266 - 36 - 2);
    // Another table's clip view changing leaves a pending layout of this header alone.
    auto otherScroll = Runtime::make<AppKit::NSScrollView>(CGRect{210, 0, 150, 120});
    offscreen->contentView()->addSubview(otherScroll);
    auto otherTable = table(1);
    otherScroll->setDocumentView(otherTable);
    otherTable->setHeaderView(Runtime::make<ActionableTableHeaderView>(CGRect{0, 0, 150, 24}));
    drain();
    header->setNeedsLayout(true);
    otherScroll->setFrameSize({160, 120});
    drain();
    EXPECT_TRUE(header->needsLayout());
}

TEST_F(Tables, SelectedRowsDrawOneBarRoundedAtItsEnds) {
    auto t = place(table());
    t->setAllowsMultipleSelection(true);
    t->selectRowIndexes({2, 3, 4}, false);
    auto radiiOf = [&](long row) {
        auto rv = t->rowView(row);
        const auto fills = selectionFills(*rv);
        EXPECT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills.at(0).color, TableViewStyle().selectedRowBackgroundColor()->cgColor());
        const auto& shape = fills.at(0).path.shapes().at(0);
        EXPECT_EQ(shape.rect, rv->bounds().insetBy(8, 0)) << "8 points in from each side";
        return shape.kind == CoreGraphics::CGPath::ShapeKind::rect ? CoreGraphics::CornerRadii{} : shape.radii;
    };
    EXPECT_EQ(radiiOf(2), (CoreGraphics::CornerRadii{3, 3, 0, 0})) << "rounded at its top";
    EXPECT_EQ(radiiOf(3), CoreGraphics::CornerRadii{});
    EXPECT_EQ(radiiOf(4), (CoreGraphics::CornerRadii{0, 0, 3, 3}));
    t->selectRowIndexes({0}, false);
    EXPECT_EQ(radiiOf(0), CoreGraphics::CornerRadii::all(3));
    // A row view that is not one of the table's rows has no neighbours, even beside row 0.
    auto loose = Runtime::make<StyledTableRowView>(CGRect{0, 0, 200, 22});
    t->addSubview(loose);
    loose->setSelected(true);
    EXPECT_EQ(selectionFills(*loose).at(0).path.shapes().at(0).radii, CoreGraphics::CornerRadii::all(3));
    // Without a highlight style the platform's (empty) selection.
    t->setSelectionHighlightStyle(AppKit::NSTableViewSelectionHighlightStyle::none);
    EXPECT_TRUE(selectionFills(*t->rowView(0)).empty());
}

TEST_F(Tables, GroupAndEmphasisedRowsKeepTheKitsSelectionLook) {
    rows->groups = {0};
    auto t = place(table());
    t->setAllowsMultipleSelection(true);
    t->selectRowIndexes({0, 1}, false);
    auto barOf = [&](long row) {
        const auto fills = selectionFills(*t->rowView(row));
        return fills.empty() ? std::pair{CoreGraphics::CGColor::clear(), CoreGraphics::CornerRadii{}}
                             : std::pair{fills[0].color, fills[0].path.shapes().at(0).radii};
    };
    const auto selected = TableViewStyle().selectedRowBackgroundColor()->cgColor();
    EXPECT_TRUE(t->rowView(0)->isGroupRowStyle());
    EXPECT_EQ(barOf(0), (std::pair{selected, CoreGraphics::CornerRadii{3, 3, 0, 0}})) << "a selected group row joins the bar";
    EXPECT_FALSE(t->rowView(1)->isEmphasized());
    const auto calm = barOf(1);
    window->makeFirstResponder(t);
    window->display();
    EXPECT_TRUE(t->rowView(1)->isEmphasized()) << "the table has the focus in the key window";
    EXPECT_EQ(barOf(1), calm) << "the kit's colour either way";
    EXPECT_EQ(t->rowView(1)->interiorBackgroundStyle(), AppKit::NSBackgroundStyle::emphasized);
    auto other = AppKit::NSWindow::make({500, 0, 100, 100});
    other->makeKeyAndOrderFront();
    window->display();
    EXPECT_FALSE(t->rowView(1)->isEmphasized());
}

TEST_F(Tables, ARowPassesItsSelectionToTheSelectableViewsItHolds) {
    auto t = table();
    auto rv = t->rowView(1);
    auto cell = std::dynamic_pointer_cast<StyledTableCellView>(rv->subviews().at(0));
    auto label = std::dynamic_pointer_cast<StyledTableRowLabel>(cell->textField());
    auto plain = Runtime::make<AppKit::NSView>(CGRect{});
    auto buried = Runtime::make<StyledTableRowLabel>(CGRect{});
    rv->addSubview(plain);
    plain->addSubview(buried);
    t->selectRowIndexes({1}, false);
    EXPECT_TRUE(cell->isSelected());
    EXPECT_TRUE(label->isSelected()) << "two levels down";
    EXPECT_FALSE(buried->isSelected()) << "not below a view that is not selectable";
    EXPECT_EQ(label->textColor(), StyledTableCellView::sharedStyle()->textColor({S::default_, S::selected}));
    EXPECT_EQ(std::static_pointer_cast<StyledTableRowView>(rv)->controlState().rawValue(), 5);
    auto late = Runtime::make<StyledTableRowLabel>(CGRect{});
    rv->addSubview(late);
    EXPECT_TRUE(late->isSelected()) << "added to a selected row";
    t->deselectAll();
    EXPECT_FALSE(label->isSelected());
    EXPECT_EQ(label->textColor(), StyledTableCellView::sharedStyle()->textColor(S::default_));
}

TEST_F(Tables, ACellViewEmptiesItsFieldForANewValueAndFindsTheDisclosureButton) {
    auto cell = Runtime::make<StyledTableCellView>(CGRect{0, 0, 150, 20});
    auto field = Runtime::make<StyledTableRowLabel>(CGRect{16, 2, 60, 16});
    field->setStringValue("Swing");
    cell->addSubview(field);
    cell->setTextField(field);
    const CGFloat textWidth = field->intrinsicContentSize().width;
    EXPECT_EQ(cell->intrinsicContentSize(), (AppKit::CGSize{16 + textWidth, AppKit::NSViewNoIntrinsicMetric}));
    cell->setObjectValue(std::string("Delay"));
    EXPECT_EQ(field->stringValue(), "") << "a new value empties the field";
    EXPECT_EQ(std::any_cast<std::string>(cell->objectValue()), "Delay");
    EXPECT_EQ(cell->intrinsicContentSize().height, AppKit::NSViewNoIntrinsicMetric);
    // Its size follows the new (empty) text: the view that lays it out is told to do so again.
    auto holder = Runtime::make<AppKit::NSView>(CGRect{0, 0, 300, 40});
    holder->addSubview(cell);
    holder->layoutSubtreeIfNeeded();
    ASSERT_FALSE(holder->needsLayout());
    cell->setObjectValue(std::string("Reverb"));
    EXPECT_TRUE(holder->needsLayout()) << "a new value invalidates the cell view's size";
    cell->removeFromSuperview();
    EXPECT_EQ(cell->disclosureButton(), nullptr) << "no superview";
    auto row = Runtime::make<AppKit::NSView>(CGRect{});
    auto other = Runtime::make<AppKit::NSButton>(CGRect{});
    auto disclosure = Runtime::make<AppKit::NSButton>(CGRect{});
    disclosure->setTag(StyledOutlineView::disclosureButtonTag);
    row->addSubview(other);
    row->addSubview(disclosure);
    row->addSubview(cell);
    EXPECT_EQ(cell->disclosureButton(), disclosure);
}

}  // namespace
