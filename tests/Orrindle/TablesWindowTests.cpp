#include <gtest/gtest.h>

#include "AppKit/NSApplication.hpp"
#include "TableGallery.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/RealWindow.hpp"

namespace {

using namespace OrrindleTest;

class TablesWindow : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }
};

// The gallery in a real SDL2 window: it shows what the sheet draws; typing fills the fields and
// Tab and Shift-Tab move between them, the validating field's message opening and closing with
// its focus; a click selects a table row and the arrow keys move the selection past group rows;
// a focused field taken out of the window closes its message.
TEST_F(TablesWindow, TakesTypingAndTabsBetweenFieldsAndSelectsRowsByMouseAndKeyboard) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    TableGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    TestSupport::expectShowsWhatItDraws(*sdl, *gallery.window, {{3, 3}, {300, 120}, {500, 900}});

    const unsigned id = sdl->sdlWindowID(*gallery.window);
    const double scale = gallery.window->backingScaleFactor();
    const CGFloat height = gallery.window->contentSize().height;
    // A point of a view, from its top left in fractions of its size, as SDL counts pixels.
    auto at = [&](const AppKit::NSView& v, CGFloat fx, CGFloat fy) {
        const CGRect b = v.bounds();
        const CGFloat y = v.isFlipped() ? b.minY() + fy * b.height() : b.maxY() - fy * b.height();
        const auto p = v.convertTo(AppKit::CGPoint{b.minX() + fx * b.width(), y}, nullptr);
        return std::pair{int(p.x * scale), int((height - p.y) * scale)};
    };
    auto click = [&](const AppKit::NSView& v, CGFloat fx, CGFloat fy) {
        auto [x, y] = at(v, fx, fy);
        TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, x, y, true);
        TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, x, y, false);
        sdl->pump();
        drain();
    };
    auto type = [&](std::initializer_list<SDL_Keycode> symbols, Uint16 modifiers = KMOD_NONE) {
        TestSupport::pushKeys(id, symbols, modifiers);
        sdl->pump();
        drain();
    };

    // Typing into the empty field, then Tab to the validating field, whose owner finds 999 out
    // of range: its message opens, and closes again with the next Tab.
    click(*gallery.tempo, 0.5, 0.5);
    ASSERT_TRUE(gallery.tempo->currentEditor());
    type({SDLK_1, SDLK_4, SDLK_0});
    EXPECT_EQ(gallery.tempo->stringValue(), "140");
    type({SDLK_TAB});
    ASSERT_TRUE(gallery.checked->currentEditor()) << "Tab went on to the validating field";
    type({SDLK_9, SDLK_9, SDLK_9});
    EXPECT_EQ(gallery.checked->stringValue(), "999") << "the focus selected the old text, so typing replaced it";
    EXPECT_FALSE(gallery.checked->isValid());
    const auto& popover = gallery.checked->popoverController()->popover();
    EXPECT_TRUE(popover->isShown());
    EXPECT_EQ(popover->contentTextField()->stringValue(), "Tempo must be between 20 and 300");
    type({SDLK_TAB});
    auto inner = gallery.properties->textField();
    ASSERT_TRUE(inner->currentEditor()) << "and on to the properties field";
    EXPECT_TRUE(gallery.properties->isSelected());
    EXPECT_FALSE(popover->isShown());
    type({SDLK_5});
    EXPECT_EQ(inner->stringValue(), "5");
    type({SDLK_TAB}, KMOD_LSHIFT);
    EXPECT_TRUE(gallery.checked->currentEditor()) << "Shift-Tab goes back";
    EXPECT_TRUE(popover->isShown()) << "still invalid, so the message is back";
    type({SDLK_BACKSPACE, SDLK_6, SDLK_0});
    EXPECT_EQ(gallery.checked->stringValue(), "60");
    EXPECT_TRUE(gallery.checked->isValid());
    EXPECT_FALSE(popover->isShown()) << "no message, so the next keystroke closed it";

    // A click on a row selects it; the arrows move on, past the group row.
    auto& table = *gallery.table;
    click(*table.rowView(1), 0.3, 0.5);
    EXPECT_EQ(table.selectedRowIndexes(), (Foundation::IndexSet{1}));
    EXPECT_EQ(gallery.window->firstResponder().get(), &table);
    type({SDLK_DOWN, SDLK_DOWN});
    EXPECT_EQ(table.selectedRow(), 3);
    type({SDLK_DOWN});
    EXPECT_EQ(table.selectedRow(), 5) << "the SWING group row is passed over";
    type({SDLK_UP}, KMOD_LSHIFT);
    EXPECT_EQ(table.selectedRowIndexes(), (Foundation::IndexSet{3, 5})) << "a group row is never selected";
    EXPECT_TRUE(table.rowView(5)->isEmphasized());

    // What the window shows is what it draws, the selection included.
    drain();
    sdl->pump();
    const auto row = at(*table.rowView(5), 0.8, 0.5), field = at(*gallery.checked, 0.5, 0.5);
    TestSupport::expectShowsWhatItDraws(*sdl, *gallery.window, {row, field});

    // A field focused with its message open that is taken out of the window takes the message,
    // and the message's own window, with it.
    gallery.message->setMessage("Tempo must be between 20 and 300");
    click(*gallery.message, 0.5, 0.5);
    const auto& shown = gallery.message->popoverController()->popover();
    ASSERT_TRUE(shown->isShown());
    const auto popoverWindow = shown->popoverWindow();
    ASSERT_TRUE(popoverWindow);
    EXPECT_NE(sdl->sdlWindowID(*popoverWindow), 0u);
    gallery.message->removeFromSuperview();
    sdl->pump();
    drain();
    EXPECT_FALSE(shown->isShown());
    EXPECT_EQ(sdl->sdlWindowID(*popoverWindow), 0u) << "its window is off the screen";
    gallery.window->close();
}

}  // namespace
