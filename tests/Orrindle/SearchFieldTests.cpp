#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "AppKit/NSTextView.hpp"
#include "ControlTestSupport.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Observation/Observation.hpp"
#include "Orrindle/SearchFields/StyledSearchFieldWrapper.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::StyledSearchField;
using Orrindle::StyledSearchFieldCell;

class SearchField : public ControlTest {
protected:
    StyledSearchField::Ptr make() {
        auto f = place(Runtime::make<StyledSearchField>(CGRect{10, 10, 160, 22}));
        return f;
    }
    static std::vector<std::string> imageNames(const DisplayList& list) {
        std::vector<std::string> n;
        for (auto* i : list.all<Op::Image>()) n.push_back(i->name);
        return n;
    }
    static std::vector<std::string> texts(const DisplayList& list) {
        std::vector<std::string> t;
        for (auto* i : list.all<Op::Text>()) t.push_back(i->text.string());
        return t;
    }
    void type(const std::string& text, std::uint16_t code = 0) {
        AppKit::NSApplication::shared().postEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, {}, 0, window, text, text, false, code));
        AppKit::NSApplication::shared().processQueuedEvents();
    }
};

TEST_F(SearchField, DrawsItsBezelThenTextOrPlaceholderAndTheCancelButtonOnlyWithText) {
    auto f = make();
    auto list = drawn(*f);
    EXPECT_EQ(imageNames(list), (std::vector<std::string>{"kvu-searchfield"}));
    EXPECT_TRUE(texts(list).empty());
    f->setPlaceholderString("Search presets");
    list = drawn(*f);
    ASSERT_EQ(texts(list), (std::vector<std::string>{"Search presets"}));
    EXPECT_EQ(list.all<Op::Text>()[0]->text.runs[0].color, Orrindle::Styles::TextInput::placeholderTextColor()->cgColor());
    f->setStringValue("swing");
    list = drawn(*f);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"swing"}));
    EXPECT_EQ(imageNames(list), (std::vector<std::string>{"kvu-searchfield", "NSStopProgressFreestandingTemplate"}));
    EXPECT_EQ(list.all<Op::Text>()[0]->text.runs[0].font, StyledSearchFieldCell::sharedStyle()->font()->font());
    // No placeholder after one was shown: nothing is drawn for an empty field.
    f->setStringValue("");
    f->styledCell()->setPlaceholderString(std::nullopt);
    EXPECT_TRUE(texts(drawn(*f)).empty());
    EXPECT_TRUE(f->styledCell()->placeholderAttributedString()) << "the attributed one is left as it was";
}

TEST_F(SearchField, TextRectangleFollowsTheIconTheCancelButtonAndTheCentring) {
    auto f = make();
    auto cell = f->styledCell();
    const CGRect b = f->bounds();
    const CGRect icon = cell->searchButtonRect(b), cancel = cell->cancelButtonRect(b);
    const CGRect super = cell->AppKit::NSSearchFieldCell::searchTextRect(b);
    cell->setVerticallyCenter(false);
    EXPECT_EQ(cell->searchTextRect(b), (CGRect{icon.maxX() - 10, super.minY(), cancel.minX() + 2 - (icon.maxX() - 10), super.height()}).integral());
    cell->setShowsSearchIcon(false);
    EXPECT_EQ(cell->searchTextRect(b).minX(), 4);
    EXPECT_EQ(imageNames(drawn(*f)), (std::vector<std::string>{"kvu-textfield"})) << "the plain text-field bezel";
    cell->setCancelButtonCell(nullptr);
    EXPECT_EQ(cell->searchTextRect(b).width(), cell->AppKit::NSSearchFieldCell::searchTextRect(b).width())
        << "no cancel button: the platform's width";
    cell->setVerticallyCenter(true);
    f->setVerticallyCenter(true);
    EXPECT_TRUE(cell->verticallyCenter());
    EXPECT_GE(cell->searchTextRect(b).minY(), 0);
    // Centred, the line of text sits in the middle of the platform's text rectangle: its top is
    // half a line above that middle (in a field tall enough to tell it from the top).
    f->setStringValue("swing");
    const CGRect tall{0, 0, 160, 40};
    const CGRect platform = cell->AppKit::NSSearchFieldCell::searchTextRect(tall);
    const auto style = StyledSearchFieldCell::sharedStyle();
    const AppKit::CGFloat line = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText("swing", style->font()->font(), CoreGraphics::CGColor::white())).height;
    EXPECT_EQ(cell->searchTextRect(tall).minY(), std::floor(platform.midY() - line / 2));
    EXPECT_GT(cell->searchTextRect(tall).minY(), platform.minY() + 4);
    f->setVerticallyCenter(false);
    EXPECT_EQ(cell->searchTextRect(tall).minY(), platform.minY()) << "not centred: the platform's top";
    f->setVerticallyCenter(true);
    // Sized to its bezel image, less the style's alignment insets.
    const auto image = cell->styleBezelImage()->size();
    const auto insets = cell->style()->alignmentRectInsets();
    EXPECT_EQ(f->intrinsicContentSize().height, std::max(image.height, f->AppKit::NSSearchField::intrinsicContentSize().height) - insets.top - insets.bottom);
}

// Inside a bezel or a border the text is drawn 2 points right of and 1 point off its text
// rectangle, and the drawing rectangle keeps the style's padding; a bare field uses both
// rectangles as they are.
TEST_F(SearchField, ABezelOrABorderMovesTheTextAndPadsTheDrawingRectangle) {
    const auto padding = StyledSearchFieldCell::sharedStyle()->padding();
    ASSERT_GT(padding.left + padding.right + padding.top + padding.bottom, 0) << "else an unpadded rectangle would pass";
    struct Row {
        const char* name;
        bool bezeled, bordered;
        CGPoint textOffset;
        bool padded;
    };
    for (const auto& row : {Row{"bezeled", true, false, {2, 1}, true}, Row{"bordered", false, true, {2, 1}, true},
                            Row{"bare", false, false, {0, 0}, false}}) {
        SCOPED_TRACE(row.name);
        auto f = make();
        f->setBezeled(row.bezeled);
        f->setBordered(row.bordered);
        for (const auto& shown : {std::string("swing"), std::string()}) {
            f->setStringValue(shown);
            f->setPlaceholderString("Search presets");
            const auto list = drawn(*f);
            ASSERT_EQ(list.all<Op::Text>().size(), 1u) << "the text or the placeholder";
            const CGRect text = f->styledCell()->searchTextRect(f->bounds());
            EXPECT_EQ(list.all<Op::Text>()[0]->box, text.offsetBy(row.textOffset.x, row.textOffset.y)) << shown;
        }
        const CGRect b{3, 4, 160, 22};
        const CGRect padded = CGRect{b.minX() + padding.left, b.minY() + padding.bottom, b.width() - (padding.left + padding.right),
                                     b.height() - (padding.top + padding.bottom)}
                                  .integral();
        EXPECT_EQ(f->styledCell()->drawingRect(b), row.padded ? padded : b);
    }
}

TEST_F(SearchField, EditingPutsAClearEditorInTheKitsColoursOverTheTextAndTheRingNeedsAKeyWindow) {
    auto f = make();
    f->setStringValue("late");
    auto cell = f->styledCell();
    const CGRect textRect = cell->searchTextRect(f->bounds());
    ASSERT_TRUE(window->makeFirstResponder(f));
    auto editor = std::dynamic_pointer_cast<AppKit::NSTextView>(f->currentEditor());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->frame(), textRect);
    EXPECT_FALSE(editor->drawsBackground());
    const auto style = StyledSearchFieldCell::sharedStyle();
    EXPECT_EQ(editor->insertionPointColor(), style->textColor());
    EXPECT_EQ(editor->selectedTextAttributes().backgroundColor, style->selectedBackgroundColor());
    EXPECT_EQ(editor->selectedTextAttributes().foregroundColor, style->selectedTextColor());
    // While edited the cell draws no text of its own; the kit's ring shows.
    auto list = drawn(*f);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"late"})) << "the editor's text only";
    EXPECT_EQ(list.all<Op::Stroke>().size(), 1u);
    auto other = AppKit::NSWindow::make({500, 0, 100, 100});
    other->makeKeyAndOrderFront();
    EXPECT_TRUE(drawn(*f).all<Op::Stroke>().empty()) << "no ring while the window is not key";
}

// The magnifier is the bezel's: the text, the placeholder and a focused field's selection start
// a little right of its drawn right edge, at the heights and widths search fields come in.
TEST_F(SearchField, TheTextAndTheSelectionStartClearOfTheMagnifier) {
    struct Size {
        AppKit::CGFloat width, height;
    };
    for (const Size size : {Size{150, 18}, Size{160, 22}, Size{320, 22}}) {
        const std::string name = std::to_string(int(size.width)) + " x " + std::to_string(int(size.height));
        auto f = place(Runtime::make<StyledSearchField>(CGRect{10, 10, size.width, size.height}));
        // The magnifier's right edge: the rightmost light pixel of the bezel's left part.
        window->display();
        const auto bezel = window->snapshot();
        const AppKit::CGFloat scale = window->backingScaleFactor();
        const CGRect field = f->convertTo(f->bounds(), nullptr);
        const int top = int((window->contentSize().height - field.maxY()) * scale);
        int right = -1;
        for (int y = top; y < top + int(field.height() * scale); ++y)
            for (int x = int(field.minX() * scale); x < int((field.minX() + 40) * scale); ++x)
                if (((bezel->argb(x, y) >> 8) & 0xff) > 0x80) right = std::max(right, x);
        ASSERT_GE(right, 0) << name << ": the magnifier is drawn";
        const AppKit::CGFloat magnifier = (right + 1) / scale;
        EXPECT_LT(magnifier, field.minX() + 20) << name << ": the magnifier keeps its shape";
        for (const char* text : {"swing", ""}) {
            f->setStringValue(text);
            f->setPlaceholderString("Search presets");
            const auto ink = inkInWindow(*text ? text : "Search presets");
            ASSERT_TRUE(ink) << name;
            EXPECT_GE(ink->minX(), magnifier + 1.5) << name << ", " << text;
            EXPECT_LE(ink->minX(), magnifier + 5) << name << ", " << text << ": next to it";
        }
        f->setStringValue("late");
        ASSERT_TRUE(window->makeFirstResponder(f));
        window->display();
        const auto& list = window->displayList();
        const auto fills = list.all<Op::Fill>();
        ASSERT_FALSE(fills.empty());
        const CGRect selection = fills.back()->state.transform.apply(fills.back()->path.boundingBox());
        EXPECT_GE(selection.minX(), magnifier + 1) << name << ": the selection";
        window->makeFirstResponder(nullptr);
        f->removeFromSuperview();
    }
}

TEST_F(SearchField, TakesOnlyItsOwnCell) {
    auto f = make();
    TestSupport::CaptureFatalErrors capture;
    EXPECT_THROW(f->setCell(Runtime::make<AppKit::NSSearchFieldCell>()), TestSupport::FatalErrorThrown);
    f->setCell(nullptr);
    EXPECT_EQ(f->cell(), nullptr);
}

TEST(SearchFieldDeathTest, AForeignCellStopsTheProgramThoughTheFieldIsReachedAsAControl) {
    auto f = Runtime::make<StyledSearchField>(CGRect{0, 0, 160, 22});
    AppKit::NSControl& control = *f;
    EXPECT_DEATH(control.setCell(Runtime::make<AppKit::NSSearchFieldCell>()),
                 "StyledSearchField takes only a StyledSearchFieldCell, not NSSearchFieldCell");
}

TEST_F(SearchField, IsTurnedAndTurnedBackAsItIsMadeAndItsCellTakesTheStylesBackground) {
    auto f = place(Runtime::make<Turning<StyledSearchField>>(CGRect{10, 10, 160, 22}));
    EXPECT_EQ(f->turns, (std::vector<AppKit::CGFloat>{-1, 1}));
    EXPECT_EQ(f->boundsRotation(), 0);
    const auto style = StyledSearchFieldCell::sharedStyle();
    auto cell = f->styledCell();
    ASSERT_NE(style->backgroundStyle(), AppKit::NSBackgroundStyle::normal) << "else a cell left at the platform's value would pass";
    EXPECT_EQ(cell->backgroundStyle(), style->backgroundStyle());
    // A new background style brings the text colour of the state back.
    cell->setTextColor(AppKit::NSColor::controlAccentColor());
    cell->setBackgroundStyle(AppKit::NSBackgroundStyle::raised);
    EXPECT_EQ(cell->backgroundStyle(), AppKit::NSBackgroundStyle::raised);
    EXPECT_EQ(cell->textColor(), style->textColor(cell->controlState()));
}

struct Screen {
    std::shared_ptr<Observation::Observed<std::string>> text;
    SwiftUI::AnyView body() const {
        auto value = text;
        (void)value->get();  // re-evaluated when the text changes
        SwiftUI::Binding<std::string> binding([value] { return value->get(); }, [value](std::string v) { value->set(std::move(v)); });
        return SwiftUI::AnyView(Orrindle::StyledSearchFieldWrapper(binding, "Filter"));
    }
};

TEST_F(SearchField, TheWrappersBindingTakesEveryChangeAndShowsNewValues) {
    auto text = std::make_shared<Observation::Observed<std::string>>("so");
    auto hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(Screen{text}));
    hosting->setFrame({0, 100, 200, 40});
    window->contentView()->addSubview(hosting);
    drain();
    ASSERT_FALSE(hosting->subviews().empty());
    auto f = std::dynamic_pointer_cast<StyledSearchField>(hosting->subviews()[0]);
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->verticallyCenter());
    EXPECT_TRUE(make()->verticallyCenter()) << "made in code: centred";
    EXPECT_EQ(f->stringValue(), "so");
    EXPECT_EQ(f->placeholderString(), "Filter");
    EXPECT_EQ(f->controlSize(), AppKit::NSControlSize::small);
    ASSERT_TRUE(window->makeFirstResponder(f));
    type("", AppKit::KeyCode::rightArrow);  // after the text, which the focus selected
    type("f");
    drain();
    type("t");
    drain();
    EXPECT_EQ(text->get(), "soft");
    // The update after each change keeps the caret where typing left it.
    EXPECT_EQ(f->currentEditor()->selectedRange(), (AppKit::NSRange{4, 0}));
    text->set("hard");
    drain();
    EXPECT_EQ(f->stringValue(), "hard");
    EXPECT_EQ(f->currentEditor()->string(), "hard");
}

// Binds the field to one of two texts, as a parent view that switches documents would.
struct SwitchingScreen {
    std::shared_ptr<Observation::Observed<std::string>> first, second;
    std::shared_ptr<Observation::Observed<bool>> useSecond;
    SwiftUI::AnyView body() const {
        auto target = useSecond->get() ? second : first;
        (void)target->get();
        SwiftUI::Binding<std::string> binding([target] { return target->get(); }, [target](std::string v) { target->set(std::move(v)); });
        return SwiftUI::AnyView(Orrindle::StyledSearchFieldWrapper(binding, "Filter"));
    }
};

TEST_F(SearchField, TypingReachesTheBindingOfTheLatestUpdate) {
    auto first = std::make_shared<Observation::Observed<std::string>>("");
    auto second = std::make_shared<Observation::Observed<std::string>>("");
    auto useSecond = std::make_shared<Observation::Observed<bool>>(false);
    auto hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(SwitchingScreen{first, second, useSecond}));
    hosting->setFrame({0, 100, 200, 40});
    window->contentView()->addSubview(hosting);
    drain();
    auto f = std::dynamic_pointer_cast<StyledSearchField>(hosting->subviews().at(0));
    ASSERT_TRUE(f && window->makeFirstResponder(f));
    type("a");
    drain();
    useSecond->set(true);
    drain();
    type("b");
    drain();
    EXPECT_EQ(first->get(), "a");
    EXPECT_EQ(second->get(), "b") << "the second binding was empty, so the field was emptied, then typed into";
}

}  // namespace
