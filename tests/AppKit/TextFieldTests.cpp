#include <gtest/gtest.h>

#include "AppKitTestSupport.hpp"
#include "AppKit/NSPasteboard.hpp"
#include "AppKit/NSSearchField.hpp"
#include "AppKit/NSTableHeaderCell.hpp"
#include "AppKit/NSTextView.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace {

using namespace AppKit;
using AppKitTest::AppKitTest;

class Counter : public Runtime::NSObject {
    VZ_OBJECT(Counter, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("act:", &Counter::act)};
    }
    void act(Runtime::NSObject* sender) {
        if (auto* c = dynamic_cast<NSControl*>(sender)) values.push_back(c->stringValue());
    }
    std::vector<std::string> values;
};

class FieldEditing : public AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 400, 300});
        window->makeKeyAndOrderFront();
        field = Runtime::make<NSTextField>(CGRect{10, 10, 200, 22});
        window->contentView()->addSubview(field);
        counter = Runtime::make<Counter>();
        field->setTarget(counter);
        field->setAction(Runtime::Selector("act:"));
    }
    void type(const std::string& text, std::uint16_t code = 0, ModifierFlags flags = {}) {
        NSApplication::shared().postEvent(NSEvent::keyEvent(EventType::keyDown, {}, flags, 0, window, text, text, false, code));
        NSApplication::shared().processQueuedEvents();
    }
    NSWindow::Ptr window;
    NSTextField::Ptr field;
    std::shared_ptr<Counter> counter;
};

TEST_F(FieldEditing, AFocusedFieldIsEditedThroughTheWindowsFieldEditor) {
    field->setStringValue("ab");
    int changes = 0;
    auto token = Foundation::NotificationCenter::defaultCenter().addObserver(
        NSTextField::textDidChangeNotification, field, [&](const Foundation::Notification&) { ++changes; });
    ASSERT_TRUE(window->makeFirstResponder(field));
    auto editor = field->currentEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(window->firstResponder(), editor);
    EXPECT_TRUE(std::dynamic_pointer_cast<NSTextView>(editor));
    EXPECT_EQ(editor->superview(), field);
    EXPECT_EQ(editor->selectedRange(), (NSRange{0, 2})) << "all of it selected";
    type("x");
    type("é");
    type("", KeyCode::deleteKey);
    type("", KeyCode::leftArrow);
    type("y");
    EXPECT_EQ(field->stringValue(), "yx");
    EXPECT_EQ(changes, 4);
    // Return sends the value and goes on editing.
    type("\r", KeyCode::returnKey);
    EXPECT_EQ(counter->values, (std::vector<std::string>{"yx"}));
    EXPECT_EQ(field->currentEditor(), editor);
    // Another view taking the focus ends the editing and keeps the text.
    auto other = Runtime::make<NSTextField>(CGRect{10, 50, 200, 22});
    window->contentView()->addSubview(other);
    ASSERT_TRUE(window->makeFirstResponder(other));
    EXPECT_EQ(field->currentEditor(), nullptr);
    EXPECT_EQ(field->stringValue(), "yx");
    EXPECT_EQ(other->currentEditor(), editor) << "one editor per window";
}

TEST_F(FieldEditing, TabMovesToTheNextKeyViewAndAClickStartsEditing) {
    auto next = Runtime::make<NSTextField>(CGRect{10, 50, 200, 22});
    window->contentView()->addSubview(next);
    field->setNextKeyView(next);
    NSApplication::shared().postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, {20, 20}, {}, 0, window));
    NSApplication::shared().postEvent(NSEvent::mouseEvent(EventType::leftMouseUp, {20, 20}, {}, 0, window));
    NSApplication::shared().processQueuedEvents();
    ASSERT_TRUE(field->currentEditor());
    type("1");
    type("\t", KeyCode::tab);
    EXPECT_EQ(field->stringValue(), "1");
    EXPECT_TRUE(next->currentEditor());
    type("2");
    type("\t", KeyCode::tab);  // no next key view: the window keeps the focus itself
    EXPECT_EQ(next->stringValue(), "2");
    EXPECT_EQ(window->firstResponder(), window);
    // A label is never edited.
    auto label = NSTextField::labelWithString("Swing");
    label->setFrameOrigin({10, 90});
    window->contentView()->addSubview(label);
    EXPECT_FALSE(window->makeFirstResponder(label));
}

TEST_F(FieldEditing, ASearchFieldSendsItsActionOnEveryChangeAndItsCancelButtonEmptiesIt) {
    auto search = Runtime::make<NSSearchField>(CGRect{10, 100, 200, 22});
    window->contentView()->addSubview(search);
    search->setTarget(counter);
    search->setAction(Runtime::Selector("act:"));
    ASSERT_TRUE(window->makeFirstResponder(search));
    auto editor = search->currentEditor();
    ASSERT_TRUE(editor);
    const auto cell = search->searchFieldCell();
    EXPECT_EQ(editor->frame(), cell->searchTextRect(search->bounds())) << "the editor lies over the text only";
    type("a");
    type("b");
    type("", KeyCode::deleteKey);
    EXPECT_EQ(counter->values, (std::vector<std::string>{"a", "ab", "a"}));
    const CGRect cancel = cell->cancelButtonRect(search->bounds());
    const CGPoint p = search->convertTo(CGPoint{cancel.midX(), cancel.midY()}, nullptr);
    // The editor covers only the text, so the click reaches the field.
    NSApplication::shared().postEvent(NSEvent::mouseEvent(EventType::leftMouseDown, p, {}, 0, window));
    NSApplication::shared().postEvent(NSEvent::mouseEvent(EventType::leftMouseUp, p, {}, 0, window));
    NSApplication::shared().processQueuedEvents();
    EXPECT_EQ(search->stringValue(), "");
    EXPECT_EQ(counter->values.back(), "");
    // Without a cancel button the text reaches the right edge.
    cell->setCancelButtonCell(nullptr);
    EXPECT_EQ(cell->cancelButtonRect(search->bounds()), CGRect{});
    EXPECT_EQ(cell->searchTextRect(search->bounds()).maxX(), 200);
}

}  // namespace

namespace {

using namespace AppKit;

// A view that takes the focus and leaves every key to others.
class FocusableView : public NSView {
    VZ_OBJECT(FocusableView, NSView)
public:
    bool acceptsFirstResponder() const override { return true; }

protected:
    using NSView::NSView;
};

// Writes down what a field's delegate hears.
class FieldDelegate : public Runtime::NSObject, public NSTextFieldDelegate {
    VZ_OBJECT(FieldDelegate, Runtime::NSObject)
public:
    std::vector<std::string> log;
    void controlTextDidBeginEditing(const Foundation::Notification&) override { log.push_back("begin"); }
    void controlTextDidChange(const Foundation::Notification& n) override {
        log.push_back("change " + static_cast<NSTextField*>(n.object)->stringValue());
    }
    void controlTextDidEndEditing(const Foundation::Notification& n) override {
        log.push_back("end " + std::to_string(long(std::any_cast<NSTextMovement>(n.userInfo.at("NSTextMovement")))));
    }
};

TEST_F(FieldEditing, TheDelegateHearsTheBeginningEachChangeAndHowEditingEnded) {
    auto delegate = Runtime::make<FieldDelegate>();
    field->setDelegate(delegate);
    window->makeFirstResponder(field);
    type("a");
    type("b");
    type("\x1b", KeyCode::escape);
    EXPECT_EQ(field->stringValue(), "ab") << "Escape ends the editing and keeps the text";
    EXPECT_EQ(window->firstResponder(), window);
    window->makeFirstResponder(field);
    type("c");
    window->makeFirstResponder(nullptr);
    EXPECT_EQ(delegate->log, (std::vector<std::string>{"begin", "change a", "change ab", "end " + std::to_string(long(NSTextMovement::cancel)),
                                                       "begin", "change c", "end 0"}))
        << "focusing selects the whole text, so typing replaces it";
}

TEST_F(FieldEditing, TabAndShiftTabFollowTheKeyViewLoopPastViewsThatTakeNoFocus) {
    auto label = NSTextField::labelWithString("Swing");
    label->setFrameOrigin({10, 50});
    auto last = Runtime::make<NSTextField>(CGRect{10, 90, 200, 22});
    window->contentView()->addSubview(label);
    window->contentView()->addSubview(last);
    field->setNextKeyView(label);
    label->setNextKeyView(last);
    last->setNextKeyView(field);
    EXPECT_EQ(last->previousKeyView(), label);
    window->makeFirstResponder(field);
    type("\t", KeyCode::tab);
    EXPECT_TRUE(last->currentEditor()) << "the label is passed over";
    type("\t", KeyCode::tab);
    EXPECT_TRUE(field->currentEditor()) << "round the loop";
    type("\t", KeyCode::tab, ModifierFlags::shift());
    EXPECT_TRUE(last->currentEditor());
    // A Tab that no view takes moves the window's focus along the loop too.
    auto plain = Runtime::make<FocusableView>(CGRect{250, 10, 20, 20});
    window->contentView()->addSubview(plain);
    plain->setNextKeyView(field);
    window->makeFirstResponder(plain);
    type("\t", KeyCode::tab);
    EXPECT_TRUE(field->currentEditor());
}

TEST_F(FieldEditing, TheWindowPublishesEachFirstResponderOnce) {
    std::vector<std::string> seen;
    auto name = [&](const std::weak_ptr<NSResponder>& r) {
        auto s = r.lock();
        return !s ? std::string("none") : s == field ? "field" : std::dynamic_pointer_cast<NSText>(s) ? "editor" : s->className();
    };
    auto other = Runtime::make<NSTextField>(CGRect{10, 50, 200, 22});
    window->contentView()->addSubview(other);
    auto sub = window->firstResponderPublisher()->sink([&](std::weak_ptr<NSResponder> r) { seen.push_back(name(r)); });
    window->makeFirstResponder(field);
    window->makeFirstResponder(other);
    other->removeFromSuperview();
    EXPECT_EQ(seen, (std::vector<std::string>{"none", "editor", "none", "editor", "none"}))
        << "the current value first; the shared editor again for the second field, after the moment with none";
}

// A bezeled field 60 points wide, being edited, for the line's place in it and the mouse.
class LongLine : public FieldEditing {
protected:
    void SetUp() override {
        FieldEditing::SetUp();
        field->setFrame({10, 10, 60, 22});
        field->setBezeled(true);
    }
    // Where the line's boundary after `bytes` bytes of `text` lies in the window, unscrolled.
    CGPoint at(std::size_t bytes, CGFloat dx = 0) const {
        auto editor = field->currentEditor();
        const CGRect r = editor->convertTo(editor->bounds(), nullptr);
        const auto prefix = CoreGraphics::AttributedText(editor->string().substr(0, bytes), editor->font()->font(), CoreGraphics::CGColor::black());
        return {r.minX() + CoreGraphics::TextLayout::size(prefix).width + dx, r.midY()};
    }
    void press(EventType type, CGPoint p, int clicks = 1, ModifierFlags flags = {}) {
        NSApplication::shared().postEvent(mouse(type, p, window, clicks, flags));
        NSApplication::shared().processQueuedEvents();
    }
    void click(CGPoint p, int clicks = 1, ModifierFlags flags = {}) {
        press(EventType::leftMouseDown, p, clicks, flags);
        press(EventType::leftMouseUp, p, clicks, flags);
    }
    // The window's picture, pixels outside the field cleared: the field's own drawing is left out.
    std::vector<std::uint32_t> aroundTheField() {
        window->display();
        auto image = window->snapshot();
        const CGRect f = field->convertTo(field->bounds(), nullptr);
        const double h = window->contentSize().height;
        std::vector<std::uint32_t> out;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x) {
                const bool inside = x >= f.minX() && x < f.maxX() && y >= h - f.maxY() && y < h - f.minY();
                out.push_back(inside ? 0 : image->argb(x, y));
            }
        return out;
    }
};

// A value longer than its field stays on its one line inside the field: nothing is drawn beside
// it, and the caret scrolls it along.
TEST_F(LongLine, AValueLongerThanTheFieldStaysInsideItAndScrollsWithTheCaret) {
    ASSERT_TRUE(window->makeFirstResponder(field));
    const auto before = aroundTheField();
    for (char c : std::string("123456789012345678")) type(std::string(1, c));
    EXPECT_EQ(field->stringValue(), "123456789012345678");
    EXPECT_TRUE(aroundTheField() == before) << "the text and the caret are drawn inside the field";
    auto editor = field->currentEditor();
    const CGFloat scrolled = editor->scrollOffset();
    EXPECT_GT(scrolled, 0) << "the end of the line shows";
    type("", KeyCode::leftArrow);
    EXPECT_EQ(editor->scrollOffset(), scrolled) << "a caret in view moves nothing";
    type("\xEF\x9C\xA9");  // Home
    EXPECT_EQ(editor->scrollOffset(), 0);
    EXPECT_TRUE(aroundTheField() == before);
    // Editing ends: the field draws its text, inside itself too.
    window->makeFirstResponder(nullptr);
    EXPECT_TRUE(aroundTheField() == before);
}

// Scrolled to its end, the line ends before the caret, whose glyph ever reaches how far: the
// caret is drawn after the last glyph's ink and inside the field.
TEST_F(LongLine, AtTheEndTheCaretIsDrawnAfterTheLastGlyphInsideTheField) {
    ASSERT_TRUE(window->makeFirstResponder(field));
    for (const char* line : {"a long line ending in off", "a long line ending in OK", "a long line ending over", "a long line ending 1"}) {
        field->currentEditor()->selectAll();
        type(line);
        window->display();
        const auto& list = window->displayList();
        const auto texts = list.all<CoreGraphics::Op::Text>();
        ASSERT_FALSE(texts.empty());
        const auto* text = texts.back();
        ASSERT_EQ(text->text.string(), line);
        const CGRect ink = CoreGraphics::TextLayout::inkRect(text->text, text->box);
        const CGFloat inkRight = text->state.transform.apply(text->box).minX() + ink.maxX() - text->box.minX();
        const auto* caret = list.all<CoreGraphics::Op::Fill>().back();
        const CGRect c = caret->state.transform.apply(caret->path.boundingBox());
        ASSERT_EQ(c.width(), TextEditing::caretWidth) << line;
        auto editor = field->currentEditor();
        EXPECT_GT(editor->scrollOffset(), 0) << line;
        EXPECT_GE(c.minX(), inkRight) << line << ": after the last glyph";
        EXPECT_LE(c.maxX(), editor->convertTo(editor->bounds(), nullptr).maxX()) << line << ": inside the field";
    }
}

TEST_F(LongLine, AClickPlacesTheCaretADragSelectsAndADoubleClickTakesAWord) {
    field->setStringValue("ab cd");
    auto delegate = Runtime::make<FieldDelegate>();
    field->setDelegate(delegate);
    ASSERT_TRUE(window->makeFirstResponder(field));
    auto editor = field->currentEditor();
    ASSERT_EQ(editor->selectedRange(), (NSRange{0, 5}));
    click(at(2, 1));
    EXPECT_EQ(editor->selectedRange(), (NSRange{2, 0})) << "the caret goes to the nearest boundary";
    click(at(4, 1), 1, ModifierFlags::shift());
    EXPECT_EQ(editor->selectedRange(), (NSRange{2, 2})) << "Shift stretches the selection";
    press(EventType::leftMouseDown, at(1, -1));
    press(EventType::leftMouseDragged, at(3));
    press(EventType::leftMouseDragged, at(4, 1));
    press(EventType::leftMouseUp, at(4, 1));
    EXPECT_EQ(editor->selectedRange(), (NSRange{1, 3}));
    click(at(3, 1), 2);
    EXPECT_EQ(editor->selectedRange(), (NSRange{3, 2})) << "the word under the point";
    click(at(3, 1), 3);
    EXPECT_EQ(editor->selectedRange(), (NSRange{0, 5}));
    // The bezel around the line is the field's, and its editing goes on.
    const CGRect f = field->convertTo(field->bounds(), nullptr);
    const CGRect line = editor->convertTo(editor->bounds(), nullptr);
    ASSERT_LT(f.minY(), line.minY());
    click({at(2, 1).x, f.minY() + 0.5});
    EXPECT_EQ(editor->selectedRange(), (NSRange{2, 0}));
    EXPECT_EQ(field->currentEditor(), editor);
    click({f.maxX() - 0.5, f.maxY() - 0.5});
    EXPECT_EQ(editor->selectedRange(), (NSRange{5, 0})) << "right of the text: its end";
    EXPECT_EQ(delegate->log, std::vector<std::string>{}) << "the editing never ended or restarted";
}

// Command and Control both act as the command key.
TEST_F(FieldEditing, CommandKeysCopyCutPasteAndUndoThroughTheGeneralPasteboard) {
    auto& pasteboard = NSPasteboard::general();
    pasteboard.clearContents();
    field->setStringValue("0.5");
    ASSERT_TRUE(window->makeFirstResponder(field));
    type("c", 0, ModifierFlags::control());
    EXPECT_EQ(pasteboard.stringForType(), "0.5");
    type("7");
    type("v", 0, ModifierFlags::command());
    type("v", 0, ModifierFlags::control());
    EXPECT_EQ(field->stringValue(), "70.50.5") << "each change reaches the field";
    type("z", 0, ModifierFlags::control());
    EXPECT_EQ(field->stringValue(), "70.5");
    type("z", 0, ModifierFlags::control());
    type("z", 0, ModifierFlags::control());
    EXPECT_EQ(field->stringValue(), "0.5");
    EXPECT_EQ(field->currentEditor()->selectedRange(), (NSRange{0, 3})) << "the selection comes back with the text";
    type("Z", 0, ModifierFlags::control() | ModifierFlags::shift());
    EXPECT_EQ(field->stringValue(), "7");
    type("a", 0, ModifierFlags::control());
    type("x", 0, ModifierFlags::control());
    EXPECT_EQ(field->stringValue(), "");
    EXPECT_EQ(pasteboard.stringForType(), "7");
    // A new editing session cannot undo the last one's typing.
    window->makeFirstResponder(nullptr);
    ASSERT_TRUE(window->makeFirstResponder(field));
    type("z", 0, ModifierFlags::control());
    EXPECT_EQ(field->stringValue(), "");
    EXPECT_EQ(field->currentEditor(), window->firstResponder()) << "the command keys never end the editing";
}

TEST(Pasteboard, TheGeneralPasteboardGoesThroughTheDesktopsClipboardWhileOneIsConnected) {
    auto& pasteboard = NSPasteboard::general();
    pasteboard.clearContents();
    EXPECT_EQ(pasteboard.stringForType(), std::nullopt);
    const long count = pasteboard.changeCount();
    pasteboard.setString("kept");
    EXPECT_EQ(pasteboard.changeCount(), count + 1);
    std::optional<std::string> desktop = "theirs";
    const long first = pasteboard.connect({[] { return std::optional<std::string>("gone"); }, [](const std::string&) {}});
    const long second = pasteboard.connect({[&] { return desktop; }, [&](const std::string& s) { desktop = s; }});
    EXPECT_EQ(pasteboard.stringForType(), "theirs") << "another program's copy arrives";
    pasteboard.setString("ours");
    EXPECT_EQ(desktop, "ours");
    pasteboard.setString("only here", "com.example.private");
    EXPECT_EQ(desktop, "ours") << "only plain text reaches the desktop";
    EXPECT_EQ(pasteboard.stringForType("com.example.private"), "only here");
    desktop = std::nullopt;
    EXPECT_EQ(pasteboard.stringForType(), std::nullopt);
    pasteboard.disconnect(first);
    EXPECT_EQ(pasteboard.stringForType(), std::nullopt) << "an earlier connection's end leaves the later one";
    pasteboard.disconnect(second);
    EXPECT_EQ(pasteboard.stringForType(), "ours") << "what was put here stays here";
    pasteboard.clearContents();
}

TEST(TextFieldInitialisers, TheFrameMakesAFieldToTypeInAndLabelWithStringALabel) {
    auto field = Runtime::make<NSTextField>(CGRect{0, 0, 120, 22});
    EXPECT_TRUE(field->isEditable());
    EXPECT_TRUE(field->isSelectable());
    EXPECT_TRUE(field->isBezeled());
    EXPECT_FALSE(field->isBordered()) << "a bezel and a border exclude each other";
    EXPECT_TRUE(field->drawsBackground());
    EXPECT_TRUE(field->acceptsFirstResponder());
    EXPECT_EQ(field->frame(), (CGRect{0, 0, 120, 22}));
    auto label = NSTextField::labelWithString("Swing");
    EXPECT_FALSE(label->isEditable());
    EXPECT_FALSE(label->isSelectable());
    EXPECT_FALSE(label->isBezeled());
    EXPECT_FALSE(label->isBordered());
    EXPECT_FALSE(label->drawsBackground());
    EXPECT_FALSE(label->acceptsFirstResponder());
    EXPECT_EQ(label->stringValue(), "Swing");
    EXPECT_EQ(label->frame().size, label->cell()->cellSize()) << "sized to its text";
    auto search = NSTextField::labelWithString<NSSearchField>("");
    EXPECT_EQ(search->className(), "NSSearchField") << "made as the class asked for";
    EXPECT_FALSE(search->isEditable());
}

TEST(SpecialKeys, NameTheKeysThatTypeNoText) {
    struct Row {
        std::string characters;
        std::optional<SpecialKey> key;
    };
    const Row rows[] = {{"\r", SpecialKey::carriageReturn()}, {"\x03", SpecialKey::enter()}, {"\t", SpecialKey::tab()},
                        {"\x7f", SpecialKey::delete_()}, {"\xEF\x9C\x80", SpecialKey::upArrow()}, {"\xEF\x9C\xAB", SpecialKey::end()},
                        {"a", std::nullopt}, {"\x1b", std::nullopt}, {"", std::nullopt}, {"\xC3\xA9", std::nullopt}};
    for (const auto& row : rows) {
        auto e = NSEvent::keyEvent(EventType::keyUp, {}, {}, 0, nullptr, row.characters, row.characters, false, 0);
        EXPECT_EQ(e->specialKey(), row.key) << row.characters;
    }
    EXPECT_FALSE(NSEvent::mouseEvent(EventType::leftMouseDown, {})->specialKey());
}

TEST(ViewNotifications, FrameAndBoundsChangesArePostedOnlyWhileAsked) {
    auto view = Runtime::make<NSView>(CGRect{0, 0, 10, 10});
    std::vector<std::string> posted;
    auto& center = Foundation::NotificationCenter::defaultCenter();
    auto a = center.addObserver(NSView::frameDidChangeNotification, view, [&](const Foundation::Notification&) { posted.push_back("frame"); });
    auto b = center.addObserver(NSView::boundsDidChangeNotification, view, [&](const Foundation::Notification&) { posted.push_back("bounds"); });
    view->setFrameSize({20, 20});
    view->setPostsFrameChangedNotifications(true);
    view->setPostsBoundsChangedNotifications(true);
    view->setFrameSize({30, 30});
    view->setFrameSize({30, 30});
    view->setBoundsOrigin({5, 0});
    EXPECT_EQ(posted, (std::vector<std::string>{"frame", "bounds"}));
}

TEST(CellCopies, AHeaderCellCopiesItsValueAndLooksAPlainCellCannotBeCopied) {
    auto cell = Runtime::make<NSTableHeaderCell>();
    cell->setAttributedStringValue(CoreGraphics::AttributedText("Tempo", NSFont::systemFont(13)->font(), CoreGraphics::CGColor::white()));
    cell->setTextColor(NSColor::controlAccentColor());
    auto copy = std::dynamic_pointer_cast<NSTableHeaderCell>(cell->copy());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, cell);
    EXPECT_EQ(copy->stringValue(), "Tempo");
    EXPECT_EQ(copy->attributedStringValue(), cell->attributedStringValue());
    EXPECT_EQ(copy->textColor(), cell->textColor());
    copy->setStringValue("Swing");
    EXPECT_FALSE(copy->hasAttributedStringValue()) << "a plain value drops the attributes";
    EXPECT_EQ(cell->stringValue(), "Tempo");
}

}  // namespace
