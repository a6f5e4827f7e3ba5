#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "AppKit/NSTextView.hpp"
#include "ControlTestSupport.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Observation/Observation.hpp"
#include "Orrindle/ComboBoxes/StyledComboBox.hpp"
#include "Orrindle/Extensions/FocusState.hpp"
#include "Orrindle/Labels/StyledTableGroupRowLabel.hpp"
#include "Orrindle/Labels/StyledTableRowLabel.hpp"
#include "Orrindle/Labels/StyledTextLabel.hpp"
#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/SearchFields/StyledSearchField.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/TextFields/TessikStyledTextField.hpp"
#include "Orrindle/TextFields/ValidatingPropertiesField.hpp"
#include "Orrindle/TextFields/ValidatingTextField.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace OrrindleTest;
using namespace Orrindle;
using AppKit::CGFloat;
using AppKit::CGSize;

// A window of styled fields made as code makes them; typing goes through the application's queue.
class TextFieldTest : public ControlTest {
protected:
    template <class Field = StyledTextField>
    std::shared_ptr<Field> field(CGRect frame = {10, 10, 160, 22}) {
        return place(Runtime::make<Field>(frame));
    }
    void type(const std::string& text, std::uint16_t code = 0, AppKit::ModifierFlags flags = {}) {
        AppKit::NSApplication::shared().postEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, flags, 0, window, text, text, false, code));
        AppKit::NSApplication::shared().processQueuedEvents();
        drain();
    }
    static std::vector<std::string> imageNames(const DisplayList& list) {
        std::vector<std::string> n;
        for (auto* i : list.all<Op::Image>()) n.push_back(i->name);
        return n;
    }
    static std::vector<const Op::Text*> texts(const DisplayList& list) { return list.all<Op::Text>(); }
    // The colours the outline is stroked in.
    static std::vector<CoreGraphics::CGColor> outlines(const DisplayList& list) {
        std::vector<CoreGraphics::CGColor> c;
        for (auto* s : list.all<Op::Stroke>()) c.push_back(s->color);
        return c;
    }
};

// A selectable view, for the selection push.
class Pane : public AppKit::NSView, public Selectable {
    VZ_OBJECT(Pane, AppKit::NSView)
public:
    bool isSelected() const override { return selected; }
    void setSelected(bool s) override { selected = s; }
    bool selected = false;

protected:
    using AppKit::NSView::NSView;
};

using FocusUtilities = TextFieldTest;

TEST_F(FocusUtilities, AControlHasTheFocusWhileItOrItsEditorIsFirstResponder) {
    auto loose = Runtime::make<StyledTextField>(CGRect{});
    EXPECT_FALSE(isFirstResponderOrEditing(*loose)) << "in no window";
    auto a = field(), b = field({10, 40, 160, 22});
    EXPECT_FALSE(isFirstResponderOrEditing(*a)) << "the window itself is first responder";
    ASSERT_TRUE(window->makeFirstResponder(a));
    EXPECT_TRUE(std::dynamic_pointer_cast<AppKit::NSText>(window->firstResponder())) << "the editor took the focus";
    EXPECT_TRUE(isFirstResponderOrEditing(*a));
    EXPECT_FALSE(isFirstResponderOrEditing(*b));
}

TEST_F(FocusUtilities, SelectionReachesTwoLevelsOfSelectableViewsAndNoFurther) {
    auto root = Runtime::make<Pane>(CGRect{});
    auto child = Runtime::make<Pane>(CGRect{}), grandchild = Runtime::make<Pane>(CGRect{}), greatGrandchild = Runtime::make<Pane>(CGRect{});
    root->addSubview(child);
    child->addSubview(grandchild);
    grandchild->addSubview(greatGrandchild);
    auto plain = Runtime::make<AppKit::NSView>(CGRect{});
    auto hidden = Runtime::make<Pane>(CGRect{});
    root->addSubview(plain);
    plain->addSubview(hidden);
    applySelectionState(*root, true, true);
    EXPECT_TRUE(child->selected);
    EXPECT_TRUE(grandchild->selected);
    EXPECT_FALSE(greatGrandchild->selected);
    EXPECT_FALSE(hidden->selected) << "not looked for below a view that is not selectable";
    applySelectionState(*root, false, false);
    EXPECT_FALSE(child->selected);
    EXPECT_TRUE(grandchild->selected) << "one level only";
}

using FirstResponderField = TextFieldTest;

TEST_F(FirstResponderField, TellsEachFocusOnceThoughTheEditorTakesIt) {
    auto a = field(), b = field({10, 40, 160, 22});
    std::vector<bool> seen;
    auto sub = a->firstResponderPublisher()->sink([&](FirstResponderAwareTextField::Change c) {
        EXPECT_EQ(c.first.lock(), a);
        seen.push_back(c.second);
    });
    drain();
    EXPECT_TRUE(seen.empty()) << "an unfocused field says nothing when it enters the window";
    click(*a);
    drain();
    EXPECT_EQ(seen, (std::vector<bool>{true}));
    type("x");
    window->makeFirstResponder(b);
    drain();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    window->makeFirstResponder(nullptr);
    window->makeFirstResponder(b);
    drain();
    EXPECT_EQ(seen.size(), 2u) << "changes between other views say nothing";
    window->makeFirstResponder(a);
    drain();
    window->makeFirstResponder(nullptr);
    drain();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false})) << "a window without a first responder gives false";
    // The status is read when a change arrives: a focus already gone again by then was none.
    window->makeFirstResponder(a);
    window->makeFirstResponder(nullptr);
    drain();
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(FirstResponderField, FollowsTheFieldIntoAnotherWindowAndNothingQueuedReachesAFreedField) {
    auto a = field();
    std::vector<bool> seen;
    auto sub = a->firstResponderPublisher()->sink([&](FirstResponderAwareTextField::Change c) { seen.push_back(c.second); });
    // Moved straight into another window: the old window's first responder counts no more.
    auto other = AppKit::NSWindow::make({0, 0, 200, 100});
    other->contentView()->addSubview(a);
    auto stay = field();
    window->makeFirstResponder(stay);
    drain();
    EXPECT_TRUE(seen.empty());
    other->makeFirstResponder(a);
    drain();
    EXPECT_EQ(seen, (std::vector<bool>{true}));

    // A field and its window go away with a change still queued: it is dropped, and the stream
    // finishes.
    bool finished = false;
    auto lone = AppKit::NSWindow::make({0, 0, 200, 100});
    std::weak_ptr<StyledTextField> gone;
    Combine::AnyCancellable end;
    {
        auto f = Runtime::make<StyledTextField>(CGRect{0, 0, 100, 22});
        lone->contentView()->addSubview(f);
        end = f->firstResponderPublisher()->sink([&](Combine::Subscribers::Completion<Combine::Never>) { finished = true; },
                                                 [](FirstResponderAwareTextField::Change) { ADD_FAILURE() << "a change reached a freed field"; });
        lone->makeFirstResponder(f);
        gone = f;
    }
    lone = nullptr;
    EXPECT_TRUE(gone.expired());
    EXPECT_TRUE(finished);
    drain();
}

using StyledField = TextFieldTest;

TEST_F(StyledField, DrawsItsBezelTextAndPlaceholderFromTheStyle) {
    window->setBackingScaleFactor(2);
    const auto style = StyledTextFieldCell::sharedStyle();
    struct Row {
        std::string value;
        std::optional<std::string> placeholder;
        bool bezeled;
        std::optional<std::string> text;  // drawn, or nothing
        CGFloat dx;                       // from the title rectangle
    };
    const Row rows[] = {
        {"", "Tempo", true, "Tempo", 2},
        {"120", "Tempo", true, "120", 2},
        {"", std::nullopt, true, std::nullopt, 0},
        {"swing", std::nullopt, false, "swing", -0.5},  // one device pixel left at 2x
    };
    for (const auto& row : rows) {
        auto f = field();
        f->setStringValue(row.value);
        f->setPlaceholderString(row.placeholder);
        f->setBezeled(row.bezeled);
        f->setTextColor(AppKit::NSColor::controlAccentColor());  // the style's colours win
        const auto list = drawn(*f);
        EXPECT_EQ(imageNames(list), row.bezeled ? std::vector<std::string>{"kvu-textfield"} : std::vector<std::string>{}) << row.value;
        const auto t = texts(list);
        ASSERT_EQ(t.size(), row.text ? 1u : 0u) << row.value;
        if (!row.text) continue;
        EXPECT_EQ(t[0]->text.string(), *row.text);
        const auto colour = row.value.empty() ? Styles::TextInput::placeholderTextColor() : style->textColor();
        EXPECT_EQ(t[0]->text.runs[0].color, colour->cgColor()) << row.value;
        EXPECT_DOUBLE_EQ(t[0]->box.minX(), f->styledCell()->titleRect(f->bounds()).minX() + row.dx) << row.value;
    }
    // The title rectangle is one line in the middle of the padded drawing rectangle.
    auto f = field();
    f->setStringValue("Tempo");
    const auto cell = f->styledCell();
    const CGRect drawing = cell->drawingRect(f->bounds());
    EXPECT_EQ(drawing, (CGRect{6, 2, 148, 18}));
    const CGFloat h = CoreGraphics::TextLayout::size(cell->attributedStringValue()).height;
    EXPECT_EQ(cell->titleRect(f->bounds()), (CGRect{6, 2 + (18 - h) / 2, 148, h}));
    f->setVerticallyCenter(false);
    EXPECT_EQ(cell->titleRect(f->bounds()), drawing);
}

TEST_F(StyledField, TheOutlineFramesAFieldInEveryStateInTheColourOfTheState) {
    const auto style = StyledTextFieldCell::sharedStyle();
    const auto plain = style->focusRingColor()->cgColor(), invalid = style->invalidFocusRingColor()->cgColor();
    struct Row {
        const char* state;
        bool focused, enabled, selected, valid;
        CoreGraphics::CGColor colour;
        const char* bezel;
    };
    const Row rows[] = {
        {"unfocused", false, true, false, true, plain, "kvu-textfield"},
        {"focused", true, true, false, true, plain, "kvu-textfield"},
        {"disabled", false, false, false, true, plain, "kvu-textfield"},
        {"selected", false, true, true, true, plain, "kvu-textfield"},
        {"invalid", false, true, false, false, invalid, "kvu-textfield-error"},
        {"invalid and focused", true, true, false, false, invalid, "kvu-textfield-error"},
        {"invalid and disabled", false, false, false, false, invalid, "kvu-textfield-error"},
    };
    for (const auto& row : rows) {
        auto f = field<ValidatingTextField>();
        f->setEnabled(row.enabled);
        f->setSelected(row.selected);
        f->setValid(row.valid);
        if (row.focused) {
            ASSERT_TRUE(window->makeFirstResponder(f)) << row.state;
        }
        const auto list = drawn(*f);
        EXPECT_EQ(outlines(list), std::vector<CoreGraphics::CGColor>{row.colour}) << row.state;
        EXPECT_EQ(imageNames(list), std::vector<std::string>{row.bezel}) << row.state;
        ASSERT_EQ(list.all<Op::Stroke>().size(), 1u) << row.state;
        EXPECT_EQ(list.all<Op::Stroke>()[0]->path.shapes()[0].rect, f->bounds().insetBy(2, 2)) << "2 points inside the frame";
        window->makeFirstResponder(nullptr);
        f->removeFromSuperview();
    }
    // A label, with neither bezel nor border, is not outlined.
    auto label = place(AppKit::NSTextField::labelWithString<StyledTextLabel>("Global delay"));
    EXPECT_TRUE(outlines(drawn(*label)).empty());
}

// A border alone is enough for the outline, as a bezel is; a field with neither has none.
TEST_F(StyledField, ABezelOrABorderGetsTheOutline) {
    const auto plain = StyledTextFieldCell::sharedStyle()->focusRingColor()->cgColor();
    struct Row {
        const char* name;
        bool bezeled, bordered;
        std::vector<CoreGraphics::CGColor> outline;
    };
    for (const auto& row : {Row{"bezeled", true, false, {plain}}, Row{"bordered", false, true, {plain}},
                            Row{"neither", false, false, {}}}) {
        auto f = field();
        f->setBezeled(row.bezeled);
        f->setBordered(row.bordered);
        const auto list = drawn(*f);
        EXPECT_EQ(outlines(list), row.outline) << row.name;
        for (auto* stroke : list.all<Op::Stroke>()) EXPECT_EQ(stroke->path.shapes().at(0).rect, f->bounds().insetBy(2, 2)) << row.name;
        f->removeFromSuperview();
    }
}

TEST_F(StyledField, EditsInAnEditorDressedInTheStyleOverItsTitleRectangle) {
    auto f = field();
    f->setStringValue("late");
    const CGRect title = f->styledCell()->titleRect(f->bounds());
    ASSERT_TRUE(window->makeFirstResponder(f));
    auto editor = std::dynamic_pointer_cast<AppKit::NSTextView>(f->currentEditor());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->frame(), title);
    const auto style = StyledTextFieldCell::sharedStyle();
    EXPECT_FALSE(editor->drawsBackground());
    EXPECT_EQ(editor->font(), style->font());
    EXPECT_EQ(editor->textColor(), style->textColor());
    EXPECT_EQ(editor->insertionPointColor(), style->textColor());
    EXPECT_EQ(editor->selectedTextAttributes().foregroundColor, style->selectedTextColor());
    EXPECT_EQ(editor->selectedTextAttributes().backgroundColor, style->selectedBackgroundColor());
    const auto list = drawn(*f);
    ASSERT_EQ(texts(list).size(), 1u) << "the editor's text only";
}

TEST_F(StyledField, SizesAlignsAndTakesOnlyItsOwnCell) {
    auto f = Runtime::make<Turning<StyledTextField>>(CGRect{0, 0, 20, 10}, 3.0);
    EXPECT_EQ(f->verticalInset(), 3);
    EXPECT_EQ(f->turns, (std::vector<CGFloat>{-1, 1})) << "turned and turned back as it is made";
    EXPECT_EQ(f->frame(), (CGRect{0, 0, 20, 10})) << "the turn and turn back change nothing";
    EXPECT_EQ(f->boundsRotation(), 0);
    EXPECT_EQ(f->alignmentRectInsets(), (AppKit::NSEdgeInsets{3, 2, 3, 2})) << "bezeled";
    f->setBezeled(false);
    EXPECT_EQ(f->alignmentRectInsets(), AppKit::NSEdgeInsets{}) << "neither bezeled nor bordered";
    f->setBordered(true);
    EXPECT_EQ(f->alignmentRectInsets(), (AppKit::NSEdgeInsets{3, 2, 3, 2}));
    const auto bezel = StyledTextFieldCell::sharedStyle()->bezelImage(StyledControlState::default_)->size();
    EXPECT_GE(f->intrinsicContentSize().width, bezel.width);
    EXPECT_GE(f->intrinsicContentSize().height, bezel.height);
    f->setFrameSize({160, 22});
    const CGRect t = f->styledCell()->titleRect(f->bounds());
    EXPECT_DOUBLE_EQ(f->firstBaselineOffsetFromTop(), t.maxY() - 3) << "flipped";
    EXPECT_DOUBLE_EQ(f->lastBaselineOffsetFromBottom(), 22 - t.maxY() + 3);
    f->setSelected(true);
    EXPECT_TRUE(f->styledCell()->isSelected());
    TestSupport::CaptureFatalErrors capture;
    EXPECT_THROW(f->setCell(Runtime::make<AppKit::NSTextFieldCell>()), TestSupport::FatalErrorThrown);
    f->setCell(Runtime::make<ValidatingTextFieldCell>());  // a subclass of its cell class
    f->setCell(nullptr);
    EXPECT_FALSE(f->isSelected());
    EXPECT_THROW(f->setVerticallyCenter(false), TestSupport::FatalErrorThrown) << "no cell to copy it into";
}

TEST_F(StyledField, OneMadeInCodeIsAFieldToTypeInThatShowsTheInvalidLookAndALabelIsNot) {
    auto f = place(Runtime::make<ValidatingTextField>(CGRect{10, 10, 160, 22}));
    EXPECT_TRUE(f->isEditable());
    EXPECT_TRUE(f->isSelectable());
    EXPECT_TRUE(f->isBezeled());
    EXPECT_TRUE(f->drawsBackground());
    f->setStringValue("999");
    f->setValid(false);
    EXPECT_EQ(imageNames(drawn(*f)), std::vector<std::string>{"kvu-textfield-error"});
    ASSERT_TRUE(window->makeFirstResponder(f));
    ASSERT_TRUE(f->currentEditor()) << "it takes the keys";
    type("1");
    type("2");
    EXPECT_EQ(f->stringValue(), "12") << "the focus selected the text, so typing replaced it";
    // Made as a label, the same class is one: not focused, no bezel, no outline.
    auto label = place(AppKit::NSTextField::labelWithString<ValidatingTextField>("999"));
    label->setValid(false);
    EXPECT_FALSE(window->makeFirstResponder(label));
    const auto list = drawn(*label);
    EXPECT_TRUE(imageNames(list).empty());
    EXPECT_TRUE(outlines(list).empty());
    ASSERT_EQ(texts(list).size(), 1u);
    EXPECT_EQ(texts(list)[0]->text.runs[0].color, label->styledCell()->style()->invalidTextColor()->cgColor());
}

using Labels = TextFieldTest;

TEST_F(Labels, TableLabelsAreAsWideAsTheirTextWhateverTheirFrame) {
    auto label = AppKit::NSTextField::labelWithString<StyledTableRowLabel>("Swing");
    label->setFrameSize({400, 17});
    const CGSize cellSize = label->cell()->cellSize({0, 0, std::numeric_limits<CGFloat>::max(), 17});
    EXPECT_EQ(label->intrinsicContentSize().width, cellSize.width);
    label->setFrameSize({10, 17});
    EXPECT_EQ(label->intrinsicContentSize().width, cellSize.width);
    label->setStringValue("Swing on the eighths");
    EXPECT_GT(label->intrinsicContentSize().width, cellSize.width);
    label->setStringValue("");
    EXPECT_LT(label->intrinsicContentSize().width, cellSize.width) << "and narrower again";
}

TEST_F(Labels, TakeTheirOwnStylesWithTheLabelInsetsAndNoBezel) {
    auto row = AppKit::NSTextField::labelWithString<StyledTableRowLabel>("Swing");
    auto group = AppKit::NSTextField::labelWithString<StyledTableGroupRowLabel>("TIMING");
    auto text = AppKit::NSTextField::labelWithString<StyledTextLabel>("Global delay");
    auto plain = AppKit::NSTextField::labelWithString<StyledTextField>("Delay");
    for (const StyledTextField* label : std::initializer_list<const StyledTextField*>{row.get(), group.get(), text.get()}) {
        EXPECT_EQ(label->alignmentRectInsets(), (AppKit::NSEdgeInsets{2, 2, 2, 2})) << label->className();
        EXPECT_EQ(label->styledCell()->style()->bezelImage(StyledControlState::default_), nullptr) << label->className();
        EXPECT_EQ(label->styledCell()->style()->padding(), AppKit::NSEdgeInsets{});
    }
    EXPECT_EQ(plain->alignmentRectInsets(), AppKit::NSEdgeInsets{}) << "a plain field without a border has the platform's";
    EXPECT_EQ(row->font(), Styles::TableRow::font());
    EXPECT_EQ(group->font(), Styles::TableGroupRow::font());
    EXPECT_EQ(row->styledCell()->style()->selectedFont(), Styles::TableRow::selectedFont());
    EXPECT_EQ(row->textColor()->name(), Styles::TableRow::textColor()->name());
    EXPECT_EQ(group->textColor()->name(), Styles::TableGroupRow::textColor()->name());
    EXPECT_EQ(text->styledCell()->style(), StyledTextLabelCell::sharedStyle());
    EXPECT_NE(row->styledCell()->style(), group->styledCell()->style());
    // A bezel counts only while the label is bezeled (a border alone does not) and its style has
    // one: then the label is at least the image's size, less its alignment insets.
    const auto inherited = row->WidthResizingTextField::intrinsicContentSize();
    EXPECT_EQ(row->intrinsicContentSize(), inherited) << "no bezel in the label style";
    const auto rowStyle = StyledTableRowLabelCell::sharedStyle();
    const auto savedImages = rowStyle->bezelImages();
    rowStyle->setBezelImages(ImageTable{{StyledControlState::default_, AppKit::NSImage::withSize({300, 40})}});
    EXPECT_EQ(row->intrinsicContentSize(), inherited) << "not bezeled";
    row->setBordered(true);
    EXPECT_EQ(row->intrinsicContentSize(), row->WidthResizingTextField::intrinsicContentSize()) << "bordered alone";
    row->setBezeled(true);
    const auto bezeled = row->WidthResizingTextField::intrinsicContentSize();
    EXPECT_EQ(row->intrinsicContentSize(), (CGSize{std::max(bezeled.width, 300.0) - 4, std::max(bezeled.height, 40.0) - 4}));
    rowStyle->setBezelImages(savedImages);
    TestSupport::CaptureFatalErrors capture;
    EXPECT_THROW(row->setCell(Runtime::make<StyledTextFieldCell>()), TestSupport::FatalErrorThrown) << "only its own cell class";
    EXPECT_THROW(text->setCell(Runtime::make<StyledTableRowLabelCell>()), TestSupport::FatalErrorThrown);
}

using ValidatingTextFields = TextFieldTest;

TEST_F(ValidatingTextFields, ShowsItsMessageWhileFocusedAndRefreshesItAsTheUserTypes) {
    auto f = field<ValidatingTextField>();
    auto next = field({10, 60, 160, 22});
    f->setNextKeyView(next);
    const auto& popover = f->popoverController()->popover();
    f->setMessage("Must be between 20 and 300");
    window->makeFirstResponder(f);
    drain();
    ASSERT_TRUE(popover->isShown());
    EXPECT_EQ(popover->currentPositioningView(), f);
    EXPECT_EQ(popover->shownEdge(), AppKit::NSRectEdge::maxY);
    EXPECT_EQ(popover->contentTextField()->stringValue(), "Must be between 20 and 300");
    f->setMessage("Still too fast");
    type("9");
    EXPECT_EQ(popover->contentTextField()->stringValue(), "Still too fast") << "each keystroke shows the current message";
    f->setMessage(std::nullopt);
    EXPECT_TRUE(popover->isShown()) << "a new message alone changes nothing";
    type("9");
    EXPECT_FALSE(popover->isShown()) << "the next keystroke closes it";
    f->setMessage("Back again");
    EXPECT_FALSE(popover->isShown());
    type("0");
    EXPECT_TRUE(popover->isShown());
    type("\t", AppKit::KeyCode::tab);
    EXPECT_TRUE(next->currentEditor());
    EXPECT_FALSE(popover->isShown()) << "leaving closes it";
}

TEST_F(ValidatingTextFields, AFocusedFieldsPopoverClosesWhenTheFieldLeavesItsWindow) {
    auto f = field<ValidatingTextField>();
    const auto& popover = f->popoverController()->popover();
    std::vector<bool> seen;
    auto sub = f->firstResponderPublisher()->sink([&](FirstResponderAwareTextField::Change c) { seen.push_back(c.second); });
    f->setMessage("Must be between 20 and 300");
    window->makeFirstResponder(f);
    drain();
    ASSERT_TRUE(popover->isShown());
    f->removeFromSuperview();
    EXPECT_FALSE(popover->isShown());
    EXPECT_EQ(seen, (std::vector<bool>{true, false})) << "out of every window the field has no focus";
    place(f);
    drain();
    EXPECT_EQ(seen.size(), 2u) << "back in a window and not focused: nothing more to say";
    EXPECT_FALSE(popover->isShown());
}

TEST_F(ValidatingTextFields, AnInvalidFieldRedrawsInTheErrorLookWithoutAPopover) {
    auto f = field<ValidatingTextField>();
    window->makeFirstResponder(f);
    drain();
    window->display();
    EXPECT_FALSE(f->needsDisplay());
    f->setValid(false);
    EXPECT_TRUE(f->needsDisplay());
    EXPECT_FALSE(std::static_pointer_cast<ValidatingTextFieldCell>(f->cell())->isValid());
    EXPECT_TRUE(f->styledCell()->controlState().contains(StyledControlState::invalid));
    EXPECT_FALSE(f->popoverController()->popover()->isShown()) << "invalid without a message: nothing to show";
    window->makeFirstResponder(nullptr);
    drain();
    f->setStringValue("999");
    const auto list = drawn(*f);
    EXPECT_EQ(imageNames(list), std::vector<std::string>{"kvu-textfield-error"});
    ASSERT_EQ(texts(list).size(), 1u);
    EXPECT_EQ(texts(list)[0]->text.runs[0].color, f->styledCell()->style()->invalidTextColor()->cgColor());
    EXPECT_EQ(f->textField(), f);
    f->setToolTip("Beats per minute");
    EXPECT_EQ(f->NSView::toolTip(), "Beats per minute");
}

// The field editor shows the text on the very pixels the control drew it on: nothing moves
// when editing starts.
TEST_F(TextFieldTest, EditingStartsWithTheTextWhereTheControlDrewIt) {
    struct Case {
        const char* name;
        std::function<AppKit::NSControl::Ptr(AppKit::NSView&)> make;
    };
    const std::vector<Case> cases{
        {"search field, 18 high", [](AppKit::NSView& in) {
             auto f = Runtime::make<StyledSearchField>(CGRect{10, 10, 150, 18});
             in.addSubview(f);
             return f;
         }},
        {"search field, 22 high", [](AppKit::NSView& in) {
             auto f = Runtime::make<StyledSearchField>(CGRect{10, 10, 160, 22});
             in.addSubview(f);
             return f;
         }},
        {"combo box", [](AppKit::NSView& in) {
             auto b = Runtime::make<StyledComboBox>(CGRect{10, 10, 120, 20});
             in.addSubview(b);
             return b;
         }},
        {"styled field", [](AppKit::NSView& in) {
             auto f = Runtime::make<StyledTextField>(CGRect{10, 10, 140, 22});
             in.addSubview(f);
             return f;
         }},
        {"properties field", [](AppKit::NSView& in) {
             auto p = Runtime::make<ValidatingPropertiesField>();
             p->setFrame({10, 10, 110, 16});
             in.addSubview(p);
             in.layoutSubtreeIfNeeded();
             return p->textField();
         }},
    };
    for (const auto& c : cases) {
        auto control = c.make(*window->contentView());
        control->setStringValue("Soft swing");
        const auto before = inkInWindow("Soft swing");
        ASSERT_TRUE(before) << c.name;
        ASSERT_TRUE(window->makeFirstResponder(control)) << c.name;
        ASSERT_TRUE(control->currentEditor()) << c.name;
        const auto editing = inkInWindow("Soft swing");
        ASSERT_TRUE(editing) << c.name;
        EXPECT_NEAR(editing->minX(), before->minX(), 1e-6) << c.name;
        EXPECT_NEAR(editing->minY(), before->minY(), 1e-6) << c.name;
        window->makeFirstResponder(nullptr);
        const auto placed = window->contentView()->subviews();
        for (const auto& v : placed) v->removeFromSuperview();
    }
}

// The message popover shows in a window of its own, the one other window on screen.
class PropertiesField : public TextFieldTest {
protected:
    std::shared_ptr<AppKit::NSWindow> shownPopoverWindow() const {
        std::shared_ptr<AppKit::NSWindow> shown;
        for (const auto& w : AppKit::NSApplication::shared().windows())
            if (w != window && w->isVisible()) shown = w;
        return shown;
    }
};

TEST_F(PropertiesField, PlacesItsFieldBesideTheIconOrOverTheWholeView) {
    auto plain = place(Runtime::make<ValidatingPropertiesField>());
    plain->setFrame({10, 10, 120, 30});
    auto withIcon = place(Runtime::make<ValidatingPropertiesField>(AppKit::NSImage::withResource(ImageResources::kvuCustomsliderHandle())));
    withIcon->setFrame({10, 50, 120, 30});
    plain->textField()->setStringValue("0.50");
    window->contentView()->layoutSubtreeIfNeeded();
    // Without an icon the field spans the view, one line high in its middle: the line of text
    // sits in the middle of the bezel, in a view of the line's height too.
    const CGRect alone = plain->textField()->frame();
    EXPECT_EQ(alone.minX(), 0);
    EXPECT_EQ(alone.width(), 120);
    EXPECT_DOUBLE_EQ(alone.midY(), 15);
    EXPECT_EQ(plain->icon(), nullptr);
    for (CGFloat height : {30.0, 16.0}) {
        plain->setFrameSize({120, height});
        window->contentView()->layoutSubtreeIfNeeded();
        window->display();
        const CGRect bezel = plain->convertTo(plain->bounds(), nullptr);
        std::optional<CGRect> line;
        for (auto* t : window->displayList().all<Op::Text>())
            if (t->text.string() == "0.50") {
                const CGRect box = t->state.transform.apply(t->box);
                const CGFloat h = CoreGraphics::TextLayout::size(t->text).height;
                line = CGRect{box.minX(), box.maxY() - h, box.width(), h};
            }
        ASSERT_TRUE(line) << height;
        EXPECT_NEAR(line->minY() - bezel.minY(), bezel.maxY() - line->maxY(), 0.5) << height;
    }
    plain->setFrameSize({120, 30});
    ASSERT_TRUE(withIcon->icon());
    EXPECT_EQ(withIcon->icon()->frame(), (CGRect{3, 3, 14, 24}));
    const CGRect f = withIcon->textField()->frame();
    EXPECT_EQ(f.minX(), 25);
    EXPECT_EQ(f.maxX(), 117);
    EXPECT_DOUBLE_EQ(f.midY(), 15);
    EXPECT_TRUE(withIcon->icon()->isContinuous());
    EXPECT_EQ(withIcon->textField()->font()->pointSize(), 10);
    EXPECT_FALSE(withIcon->textField()->isBordered());
    // A click on the icon makes the window key and focuses the field.
    auto other = AppKit::NSWindow::make({500, 0, 100, 100});
    other->makeKeyAndOrderFront();
    withIcon->icon()->handleClickGesture(nullptr);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_TRUE(isFirstResponderOrEditing(*withIcon->textField()));
}

TEST_F(PropertiesField, DrawsTheFocusOutlineAndTheErrorBezelByFocusAndValidity) {
    auto p = place(Runtime::make<ValidatingPropertiesField>());
    p->setFrame({10, 10, 120, 24});
    const auto highlight = AppKit::NSColor::withResource(ColorResources::highlightSystem())->cgColor();
    const auto error = Styles::Control::errorFocusRingColor()->cgColor();
    auto look = [&] {
        CoreGraphics::CGContext ctx({200, 100});
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        p->draw(p->bounds());
        return ctx.takeDisplayList();
    };
    window->makeFirstResponder(p->textField());
    drain();
    EXPECT_TRUE(p->isSelected());
    auto list = look();
    EXPECT_EQ(imageNames(list), std::vector<std::string>{"kvu-textfield"});
    ASSERT_EQ(list.all<Op::Image>().size(), 1u);
    EXPECT_EQ(list.all<Op::Image>()[0]->destination, (CGRect{-2, 0, 124, 24})) << "2 points wider on each side";
    EXPECT_EQ(outlines(list), std::vector<CoreGraphics::CGColor>{highlight});
    ASSERT_EQ(list.all<Op::Stroke>().size(), 1u);
    EXPECT_EQ(list.all<Op::Stroke>()[0]->path.shapes()[0].rect, (CGRect{0, 2, 120, 20}));
    window->display();
    p->setValid(false);
    EXPECT_TRUE(p->needsDisplay()) << "the bezel and outline follow a change of validity at once";
    EXPECT_EQ(p->textField()->textColor(), Styles::TextInput::errorTextColor());
    list = look();
    EXPECT_EQ(imageNames(list), std::vector<std::string>{"kvu-textfield"}) << "while focused the bezel stays plain";
    EXPECT_EQ(outlines(list), std::vector<CoreGraphics::CGColor>{error});
    window->makeFirstResponder(nullptr);
    drain();
    list = look();
    EXPECT_EQ(imageNames(list), std::vector<std::string>{"kvu-textfield-error"});
    EXPECT_TRUE(outlines(list).empty());
    p->setValid(true);
    EXPECT_EQ(p->textField()->textColor(), Styles::TextInput::textColor());
}

TEST_F(PropertiesField, ShowsItsMessageAgainstItselfWhileItsFieldHasTheFocus) {
    auto p = place(Runtime::make<ValidatingPropertiesField>());
    p->setFrame({10, 10, 120, 24});
    p->setMessage("Needs a number");
    p->setOverrideValue("42");
    window->makeFirstResponder(p->textField());
    drain();
    // The field's own controller is private; the view's popover is the one shown at it.
    const auto shown = shownPopoverWindow();
    ASSERT_TRUE(shown) << "the popover's window";
    p->setMessage("Changed");
    type("1");
    bool changed = false;
    for (auto* t : shown->displayList().all<Op::Text>()) changed |= t->text.string() == "Changed";
    EXPECT_FALSE(changed) << "typing in the inner field does not refresh it";
    window->makeFirstResponder(nullptr);
    drain();
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(p->overrideValue(), "42");
}

// The message sits on the view's top edge, centred over the whole view with its icon, not over
// the inner field beside the icon.
TEST_F(PropertiesField, ItsPopoverOpensCentredAboveTheWholeView) {
    auto p = place(Runtime::make<ValidatingPropertiesField>(AppKit::NSImage::withResource(ImageResources::kvuCustomsliderHandle())));
    p->setFrame({10, 10, 120, 30});
    window->contentView()->layoutSubtreeIfNeeded();
    ASSERT_NE(p->textField()->frame().midX(), p->bounds().midX()) << "else the field's place would pass";
    p->setMessage("Needs a number");
    window->makeFirstResponder(p->textField());
    drain();
    const auto shown = shownPopoverWindow();
    ASSERT_TRUE(shown) << "the popover's window";
    const CGRect view = window->convertToScreen(p->convertTo(p->bounds(), nullptr));
    const CGRect popover = shown->contentRect(shown->frame());
    EXPECT_DOUBLE_EQ(popover.midX(), view.midX());
    EXPECT_DOUBLE_EQ(popover.minY(), view.maxY());
}

TEST_F(PropertiesField, ItsPopoverClosesAndItsSelectionEndsWhenItLeavesItsWindow) {
    auto p = place(Runtime::make<ValidatingPropertiesField>());
    p->setFrame({10, 10, 120, 24});
    p->setMessage("Needs a number");
    window->makeFirstResponder(p->textField());
    drain();
    ASSERT_TRUE(p->isSelected());
    const auto shown = shownPopoverWindow();
    ASSERT_TRUE(shown) << "the popover's window";
    p->removeFromSuperview();
    EXPECT_FALSE(shown->isVisible());
    EXPECT_FALSE(p->isSelected());
}

// A wrapped field bound to one of two texts, with a callback per text; `lines` and `disabled`
// set the environment.
struct FieldScreen {
    std::shared_ptr<Observation::Observed<std::string>> first, second;
    std::shared_ptr<Observation::Observed<bool>> useSecond;
    std::shared_ptr<std::vector<std::string>> calls;
    std::optional<std::string> placeholder = std::string("Tempo");
    std::optional<int> lines = std::nullopt;
    bool disabled = false;
    SwiftUI::AnyView body() const {
        auto target = useSecond->get() ? second : first;
        (void)target->get();
        const std::string name = useSecond->get() ? "second" : "first";
        SwiftUI::Binding<std::string> binding([target] { return target->get(); }, [target](std::string v) { target->set(std::move(v)); });
        auto log = calls;
        TessikStyledTextField field(placeholder, binding, [log, name](bool editing) { log->push_back(name + (editing ? " true" : " false")); });
        return field.lineLimit(lines).disabled(disabled).multilineTextAlignment(SwiftUI::TextAlignment::trailing).truncationMode(SwiftUI::TruncationMode::middle);
    }
};

class WrappedField : public TextFieldTest {
protected:
    std::shared_ptr<StyledTextField> host(FieldScreen screen) {
        hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(std::move(screen)));
        hosting->setFrame({0, 100, 200, 40});
        window->contentView()->addSubview(hosting);
        drain();
        return hosting->subviews().empty() ? nullptr : std::dynamic_pointer_cast<StyledTextField>(hosting->subviews()[0]);
    }
    std::shared_ptr<Observation::Observed<std::string>> first = std::make_shared<Observation::Observed<std::string>>("");
    std::shared_ptr<Observation::Observed<std::string>> second = std::make_shared<Observation::Observed<std::string>>("");
    std::shared_ptr<Observation::Observed<bool>> useSecond = std::make_shared<Observation::Observed<bool>>(false);
    std::shared_ptr<std::vector<std::string>> calls = std::make_shared<std::vector<std::string>>();
    FieldScreen screen() const {
        FieldScreen s;
        s.first = first, s.second = second, s.useSecond = useSecond, s.calls = calls;
        return s;
    }
    std::shared_ptr<SwiftUI::NSHostingView> hosting;
};

TEST_F(WrappedField, TypingWritesTheBindingAndEndingCallsBackOnce) {
    auto f = host(screen());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->placeholderString(), "Tempo");
    EXPECT_TRUE(f->allowsExpansionToolTips());
    EXPECT_FALSE(f->translatesAutoresizingMaskIntoConstraints());
    ASSERT_TRUE(window->makeFirstResponder(f));
    std::vector<std::string> values;
    for (const char* key : {"a", "b", "c"}) {
        type(key);
        values.push_back(first->get());
    }
    EXPECT_EQ(values, (std::vector<std::string>{"a", "ab", "abc"}));
    window->makeFirstResponder(nullptr);
    EXPECT_EQ(*calls, (std::vector<std::string>{"first true", "first true", "first true", "first false"}));
    EXPECT_EQ(first->get(), "abc") << "the end writes nothing";
}

TEST_F(WrappedField, ANewBindingValueReplacesTheTextAndTypingGoesToTheLatestBinding) {
    auto f = host(screen());
    ASSERT_TRUE(f && window->makeFirstResponder(f));
    type("a");
    first->set("hard");
    drain();
    EXPECT_EQ(f->stringValue(), "hard") << "also while it is edited";
    EXPECT_EQ(f->currentEditor()->string(), "hard");
    useSecond->set(true);
    drain();
    type("b");
    EXPECT_EQ(first->get(), "hard");
    EXPECT_EQ(second->get(), "b") << "the second binding was empty, so the field was emptied, then typed into";
    EXPECT_EQ(calls->back(), "second true") << "and the callback of the latest wrapper heard it";
}

TEST_F(WrappedField, CarriesTheTextEnvironmentOverToTheField) {
    FieldScreen limited = screen();
    limited.lines = 1;
    limited.disabled = true;
    limited.placeholder = std::nullopt;
    auto f = host(limited);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->maximumNumberOfLines(), 1);
    EXPECT_FALSE(f->isEnabled());
    EXPECT_EQ(f->alignment(), AppKit::NSTextAlignment::right);
    EXPECT_EQ(f->lineBreakMode(), AppKit::NSLineBreakMode::byTruncatingMiddle);
    EXPECT_EQ(f->placeholderString(), std::nullopt);
    window->contentView()->addSubview(hosting);
    auto g = host(screen());
    ASSERT_TRUE(g);
    EXPECT_EQ(g->maximumNumberOfLines(), 0) << "without a line limit";
    EXPECT_TRUE(g->isEnabled());
}

// Set up outside any window, so the child of a death test starts with no other threads.
TEST(TextFieldDeathTest, AForeignCellStopsTheProgramThoughTheFieldIsReachedAsAControl) {
    struct Row {
        AppKit::NSControl::Ptr control;
        AppKit::NSCell::Ptr cell;
        const char* message;
    };
    const Row rows[] = {
        {Runtime::make<StyledTextField>(CGRect{}), Runtime::make<AppKit::NSTextFieldCell>(),
         "StyledTextField takes only a StyledTextFieldCell, not NSTextFieldCell"},
        {Runtime::make<ValidatingTextField>(CGRect{}), Runtime::make<StyledTextFieldCell>(),
         "ValidatingTextField takes only a ValidatingTextFieldCell, not StyledTextFieldCell"},
        {Runtime::make<StyledTableRowLabel>(CGRect{}), Runtime::make<StyledTextLabelCell>(),
         "StyledTableRowLabel takes only a StyledTableRowLabelCell, not StyledTextLabelCell"},
    };
    for (const auto& row : rows) {
        AppKit::NSControl& control = *row.control;
        EXPECT_DEATH(control.setCell(row.cell), row.message);
    }
}

TEST(TextFieldDeathTest, ANullFirstResponderPublisherIsRefusedWhereItIsSet) {
    auto f = Runtime::make<ValidatingTextField>(CGRect{});
    EXPECT_DEATH(f->setFirstResponderPublisher(nullptr), "ValidatingTextField: the first-responder publisher cannot be none");
    f->setFirstResponderPublisher(FirstResponderAwareTextField::FirstResponderPublisher::make());
}

}  // namespace
