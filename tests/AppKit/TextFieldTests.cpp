#include <gtest/gtest.h>

#include "AppKitTestSupport.hpp"
#include "AppKit/NSSearchField.hpp"
#include "AppKit/NSTextView.hpp"
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
        field->setEditable(true);
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
    other->setEditable(true);
    window->contentView()->addSubview(other);
    ASSERT_TRUE(window->makeFirstResponder(other));
    EXPECT_EQ(field->currentEditor(), nullptr);
    EXPECT_EQ(field->stringValue(), "yx");
    EXPECT_EQ(other->currentEditor(), editor) << "one editor per window";
}

TEST_F(FieldEditing, TabMovesToTheNextKeyViewAndAClickStartsEditing) {
    auto next = Runtime::make<NSTextField>(CGRect{10, 50, 200, 22});
    next->setEditable(true);
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
    auto label = Runtime::make<NSTextField>(CGRect{10, 90, 200, 22});
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
