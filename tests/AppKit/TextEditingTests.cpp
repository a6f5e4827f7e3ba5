#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppKit/NSPasteboard.hpp"
#include "AppKit/TextEditing.hpp"

using AppKit::TextEditing;

namespace {

const std::string left = "\xEF\x9C\x82", right = "\xEF\x9C\x83", up = "\xEF\x9C\x80", down = "\xEF\x9C\x81";
const std::string forwardDelete = "\xEF\x9C\xA8", backspace = "\x7F";
const std::string shiftLeft = "S" + left, shiftRight = "S" + right;

// The text with the selection in [brackets] or the caret as |.
std::string shown(const TextEditing& e) {
    std::string s = e.text();
    if (e.hasSelection()) {
        s.insert(e.selectionEnd(), "]");
        s.insert(e.selectionStart(), "[");
    } else {
        s.insert(e.caret(), "|");
    }
    return s;
}

// Keys pressed on "0.0" with all of it selected (as focusing leaves it); "S" + key holds Shift.
std::string afterKeys(const std::vector<std::string>& keys, std::string start = "0.0") {
    TextEditing e(std::move(start));
    e.selectAll();
    for (const auto& k : keys) {
        const bool shift = k.size() > 1 && k[0] == 'S' && k != "S";
        e.handleKey(shift ? std::string_view(k).substr(1) : std::string_view(k), shift);
    }
    return shown(e);
}

TEST(TextEditing, KeysEditAsAFieldEditorDoes) {
    struct Case {
        std::vector<std::string> keys;
        std::string shows;
    };
    const std::vector<Case> cases = {
        {{}, "[0.0]"},
        {{"7"}, "7|"},  // typing replaces the selection
        {{"1", "2"}, "12|"},
        {{left}, "|0.0"},  // an arrow collapses the selection to its edge
        {{right}, "0.0|"},
        {{left, right, "5"}, "05|.0"},
        {{left, shiftRight, shiftRight}, "[0.]0"},
        {{right, shiftLeft, shiftLeft}, "0[.0]"},
        {{right, shiftLeft, "9"}, "0.9|"},
        {{backspace}, "|"},
        {{right, backspace}, "0.|"},
        {{left, backspace}, "|0.0"},  // nothing before the caret
        {{left, forwardDelete}, "|.0"},
        {{right, forwardDelete}, "0.0|"},
        {{left, right, right, up}, "|0.0"},  // one line: Up and Down go to its ends
        {{left, down}, "0.0|"},
        {{left, "S" + down}, "[0.0]"},
        {{"\r"}, "[0.0]"},  // Return, Escape and Tab are left to others
        {{"\x1b"}, "[0.0]"},
        {{"\t"}, "[0.0]"},
    };
    for (const Case& c : cases) {
        std::string keys;
        for (const auto& k : c.keys) keys += "<" + k + ">";
        EXPECT_EQ(afterKeys(c.keys), c.shows) << keys;
    }
}

// Offsets never split a character: the caret steps over a whole UTF-8 sequence.
TEST(TextEditing, MultiByteCharactersMoveAndDeleteWhole) {
    EXPECT_EQ(afterKeys({right, backspace}, "12 \xC2\xB5s"), "12 \xC2\xB5|");
    EXPECT_EQ(afterKeys({right, left, left, backspace}, "a\xE2\x82\xAC" "b"), "|\xE2\x82\xAC" "b");
    EXPECT_EQ(afterKeys({right, left, shiftLeft}, "a\xE2\x82\xAC" "b"), "a[\xE2\x82\xAC]b");
    TextEditing e("a\xE2\x82\xAC" "b");
    e.select(0, 2);  // inside the euro sign
    EXPECT_EQ(e.caret(), 1u);
    e.select(99, 99);
    EXPECT_EQ(e.caret(), e.text().size());
    // Control bytes and function-key characters never become text.
    e.insert("x\ny\xEF\x9C\x82z");
    EXPECT_EQ(e.text(), "a\xE2\x82\xAC" "bxyz");
    EXPECT_FALSE(e.handleKey("q", false, true)) << "a command key is no typing";
}

}  // namespace

namespace {

using AppKit::NSPasteboard;

// Every character 10 points wide, so that the positions below read plainly.
const TextEditing::Measure tenEach = [](std::size_t bytes) { return 10.0 * double(bytes); };

// Command keys as the field editor takes them: "^" + letter holds Control, "^S" + letter
// Control and Shift.
void press(TextEditing& e, const std::string& key) {
    if (key.rfind("^S", 0) == 0) e.handleKey(key.substr(2), true, true);
    else if (key.rfind("^", 0) == 0) e.handleKey(key.substr(1), false, true);
    else e.handleKey(key, false);
}

TEST(TextEditing, CommandKeysCopyCutPasteAndUndoTheTypingRunByRun) {
    struct Case {
        std::vector<std::string> keys;
        std::string shows;
        std::string pasteboard = "(before)";
    };
    const std::vector<Case> cases = {
        {{"^c"}, "[0.0]", "0.0"},
        {{"^x"}, "|", "0.0"},
        {{"^x", "^v", "^v"}, "0.00.0|", "0.0"},
        {{right, "^c"}, "0.0|"},  // nothing selected: the pasteboard keeps its text
        {{right, "^x"}, "0.0|"},
        {{left, "^v"}, "(before)|0.0"},  // paste types at the caret
        {{"^a"}, "[0.0]"},
        {{left, "^A"}, "[0.0]"},
        // A typing run is one step, and undoing it brings the selection back.
        {{"1", "2", "^z"}, "[0.0]"},
        {{"1", "2", "^z", "^Sz"}, "12|"},
        {{"1", "2", "^z", "^SZ", "^Sz"}, "12|"},  // nothing more to redo
        {{"1", left, "2", "^z"}, "|1"},  // moving the caret ends the run
        {{"1", left, "2", "^z", "^z"}, "[0.0]"},
        {{right, backspace, backspace, "^z"}, "0.0|"},  // Backspaces run together
        {{right, backspace, "5", "^z"}, "0.|"},
        {{"^x", "^z"}, "[0.0]", "0.0"},
        {{"^v", "^z"}, "[0.0]"},
        {{"^z"}, "[0.0]"},  // nothing typed: nothing to undo
        {{"1", "^z", "7"}, "7|"},
        {{"1", "^z", "7", "^Sz"}, "7|"},  // a new edit ends what could be redone
    };
    for (const Case& c : cases) {
        NSPasteboard::general().clearContents();
        NSPasteboard::general().setString("(before)");
        TextEditing e("0.0");
        e.selectAll();
        std::string keys;
        for (const auto& k : c.keys) {
            keys += "<" + k + ">";
            press(e, k);
        }
        EXPECT_EQ(shown(e), c.shows) << keys;
        EXPECT_EQ(NSPasteboard::general().stringForType(), c.pasteboard) << keys;
    }
}

TEST(TextEditing, PastedTextStaysOneLineAndANewTextForgetsTheUndo) {
    NSPasteboard::general().clearContents();
    NSPasteboard::general().setString("4\n2\t\x01");
    TextEditing e("x");
    e.selectAll();
    EXPECT_TRUE(e.handleKey("v", false, true));
    EXPECT_EQ(e.text(), "42");
    NSPasteboard::general().clearContents();
    EXPECT_TRUE(e.handleKey("v", false, true)) << "an empty pasteboard pastes nothing";
    EXPECT_EQ(e.text(), "42");
    EXPECT_TRUE(e.canUndo());
    e.setText("new");
    EXPECT_FALSE(e.canUndo());
    e.insert("!");
    e.forgetUndo();
    EXPECT_FALSE(e.canUndo());
    EXPECT_FALSE(e.handleKey("q", false, true)) << "other command keys are left to others";
}

TEST(TextEditing, ADoubleClickSelectsTheWordAroundIt) {
    struct Case {
        std::size_t at;
        std::string shows;
    };
    const std::string text = "12.5 ms  x\xC3\xA9y!";
    for (const Case& c : std::vector<Case>{{0, "[12].5 ms  x\xC3\xA9y!"},
                                           {1, "[12].5 ms  x\xC3\xA9y!"},
                                           {2, "12[.]5 ms  x\xC3\xA9y!"},
                                           {3, "12.[5] ms  x\xC3\xA9y!"},
                                           {4, "12.5[ ]ms  x\xC3\xA9y!"},
                                           {7, "12.5 ms[  ]x\xC3\xA9y!"},
                                           {11, "12.5 ms  [x\xC3\xA9y]!"},  // inside the é
                                           {13, "12.5 ms  x\xC3\xA9y[!]"},
                                           {99, "12.5 ms  x\xC3\xA9y[!]"}}) {
        TextEditing e(text);
        e.selectWord(c.at);
        EXPECT_EQ(shown(e), c.shows) << c.at;
    }
    TextEditing empty;
    empty.selectWord(3);
    EXPECT_EQ(shown(empty), "|");
}

// A field 51 points wide has room for 50 points of text and the caret after it.
TEST(TextEditing, ALineWiderThanItsFieldScrollsJustEnoughToShowTheCaret) {
    TextEditing e("123456789012");  // 120 points, the caret at the end
    auto start = [&] {
        e.scrollToCaret(tenEach, 51);
        return e.lineStart(tenEach, 51);
    };
    EXPECT_EQ(start(), -70) << "the end shows, the caret in the last point";
    for (int i = 0; i < 3; ++i) e.moveLeft(false);
    EXPECT_EQ(start(), -70) << "a caret in view moves nothing";
    e.moveToStart(false);
    EXPECT_EQ(start(), 0);
    for (int i = 0; i < 6; ++i) e.moveRight(false);
    EXPECT_EQ(start(), -10) << "the caret at 60 points shows at the right edge";
    e.moveToEnd(false);
    start();
    for (int i = 0; i < 5; ++i) e.deleteBackward();
    EXPECT_EQ(start(), -20) << "a shorter line leaves no empty room after its end";
    for (int i = 0; i < 3; ++i) e.deleteBackward();
    EXPECT_EQ(start(), 0);
    // A line that fits sits as it is aligned.
    EXPECT_EQ(e.lineStart(tenEach, 51, 0.5), 5);
    EXPECT_EQ(e.lineStart(tenEach, 51, 1), 10);
    EXPECT_EQ(e.lineStart(tenEach, 0), -40) << "without room the line still ends at the caret";
    e.setText("123456789012");
    e.select(0, 0);
    EXPECT_EQ(e.lineStart(tenEach, 51, 0.5), 0) << "a new text starts unscrolled";
}

TEST(TextEditing, APointInTheFieldFallsOnTheNearestCharacterBoundary) {
    TextEditing e("123456789012");
    e.scrollToCaret(tenEach, 51);  // 70 points scrolled off on the left
    struct Case {
        double x;
        std::size_t offset;
    };
    for (const Case& c : std::vector<Case>{{-5, 7}, {0, 7}, {4, 7}, {6, 8}, {14, 8}, {15, 9}, {49, 12}, {300, 12}}) {
        EXPECT_EQ(e.offsetAt(c.x, tenEach, 51), c.offset) << c.x;
    }
    // A double click takes the character under the point, whichever half it falls on.
    for (const Case& c : std::vector<Case>{{-5, 6}, {0, 7}, {9, 7}, {10, 8}, {49, 11}, {50, 12}}) {
        EXPECT_EQ(e.characterAt(c.x, tenEach, 51), c.offset) << c.x;
    }
    TextEditing centred("ab\xE2\x82\xAC");  // three characters, five bytes: the euro sign is 30 points
    EXPECT_EQ(centred.offsetAt(-100, tenEach, 101, 0.5), 0u);
    EXPECT_EQ(centred.offsetAt(31, tenEach, 101, 0.5), 1u) << "the line starts at 25";
    EXPECT_EQ(centred.offsetAt(50, tenEach, 101, 0.5), 2u);
    EXPECT_EQ(centred.offsetAt(62, tenEach, 101, 0.5), 5u) << "never inside the euro sign";
}

}  // namespace
