#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppKit/TextEditing.hpp"

using AppKit::TextEditing;

namespace {

const std::string left = "\xEF\x9C\x82", right = "\xEF\x9C\x83", up = "\xEF\x9C\x80", down = "\xEF\x9C\x81";
const std::string forwardDelete = "\xEF\x9C\xA8", backspace = "\x7F";
const std::string shiftLeft = "S" + left, shiftRight = "S" + right;

// Keys pressed on "0.0" with all of it selected (as focusing leaves it); "S" + key holds Shift.
// The result as text with the selection in [brackets] or the caret as |.
std::string afterKeys(const std::vector<std::string>& keys, std::string start = "0.0") {
    TextEditing e(std::move(start));
    e.selectAll();
    for (const auto& k : keys) {
        const bool shift = k.size() > 1 && k[0] == 'S' && k != "S";
        e.handleKey(shift ? std::string_view(k).substr(1) : std::string_view(k), shift);
    }
    std::string shown = e.text();
    if (e.hasSelection()) {
        shown.insert(e.selectionEnd(), "]");
        shown.insert(e.selectionStart(), "[");
    } else {
        shown.insert(e.caret(), "|");
    }
    return shown;
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
    EXPECT_FALSE(e.handleKey("c", false, true)) << "a command key is no typing";
}

}  // namespace
