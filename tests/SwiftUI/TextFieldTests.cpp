#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSPasteboard.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

// A field under a name, as a dial's label shows one, bound to a string the test reads.
class FieldLine : public TestSupport::VirtualTimeTest {
protected:
    std::unique_ptr<ViewGraph> show(const std::string& value, CGFloat width, TextAlignment alignment) {
        *text = value;
        auto binding = Binding<std::string>([t = text] { return *t; }, [t = text](std::string v) { *t = std::move(v); });
        auto g = std::make_unique<ViewGraph>(
            AnyView(VStack(HorizontalAlignment::center, 0,
                           {AnyView(Text("NAME")), AnyView(TextField("", binding).multilineTextAlignment(alignment).frame(width, 20))})),
            CGSize{120, 60});
        g->update();
        return g;
    }
    static const RenderNode& field(ViewGraph& g) {
        auto* f = g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::textField; });
        EXPECT_NE(f, nullptr);
        return *f;
    }
    // Where the boundary after `bytes` bytes of the field's text lies, as the line is now placed.
    static CGPoint at(ViewGraph& g, std::size_t bytes, CGFloat dx = 0) {
        const RenderNode& f = field(g);
        const auto prefix = CoreGraphics::AttributedText(f.text.substr(0, bytes), f.font.resolved(), CoreGraphics::CGColor::black());
        return f.transform.apply(CGPoint{
            f.layoutFrame.minX() + RenderNode::textFieldInset + f.lineStart + CoreGraphics::TextLayout::size(prefix).width + dx,
            f.layoutFrame.midY()});
    }
    // The graph's picture with the field's frame cleared: what the field draws outside itself.
    static std::vector<std::uint32_t> aroundTheField(ViewGraph& g) {
        const CGRect f = field(g).frame;
        auto image = g.snapshot();
        std::vector<std::uint32_t> out;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                out.push_back(x >= f.minX() && x < f.maxX() && y >= f.minY() && y < f.maxY() ? 0 : image->argb(x, y));
        return out;
    }
    static std::pair<std::size_t, std::size_t> selection(ViewGraph& g) {
        const RenderNode& f = field(g);
        return {f.selectionStart, f.selectionEnd};
    }
    static void command(ViewGraph& g, const std::string& letter, EventModifiers also = {}) {
        g.pressKey(KeyPress::of({letter}, KeyPress::Phase::down, EventModifiers::control() | also));
    }
    std::shared_ptr<std::string> text = std::make_shared<std::string>();
};

const KeyEquivalent home{"\xEF\x9C\xA9"};

std::pair<std::size_t, std::size_t> span(std::size_t from, std::size_t to) { return {from, to}; }

TEST_F(FieldLine, ALongValueStaysOnItsLineInsideTheFieldAndScrollsWithTheCaret) {
    auto g = show("", 40, TextAlignment::center);
    g->click(field(*g).frame.center());
    ASSERT_TRUE(field(*g).focused);
    const auto before = aroundTheField(*g);
    g->typeText("123456789012");
    EXPECT_EQ(*text, "123456789012");
    EXPECT_TRUE(aroundTheField(*g) == before) << "nothing wraps below the field or over the name";
    const RenderNode& f = field(*g);
    const CGFloat room = f.layoutFrame.width() - 2 * RenderNode::textFieldInset;
    EXPECT_LT(f.lineStart, 0) << "scrolled to show the end";
    EXPECT_GE(f.selectionFrom, 0);
    EXPECT_LE(f.selectionFrom, room - 1) << "the caret is in view";
    g->pressKey(KeyPress::of(home));
    EXPECT_EQ(field(*g).lineStart, 0);
    EXPECT_EQ(field(*g).selectionFrom, 0);
    EXPECT_TRUE(aroundTheField(*g) == before);
    // A short value sits centred again.
    command(*g, "a");
    g->typeText("5");
    EXPECT_GT(field(*g).lineStart, 0);
    // Without the keyboard a long value shows its start, clipped to the field too.
    *text = "123456789012";
    g->click({2, 2});
    EXPECT_FALSE(field(*g).focused);
    EXPECT_EQ(field(*g).lineStart, 0);
}

TEST_F(FieldLine, WhileItHasTheKeyboardAClickPlacesTheCaretAndADragSelects) {
    auto g = show("ab cd", 100, TextAlignment::leading);
    g->click(at(*g, 2, 1));
    EXPECT_EQ(selection(*g), span(0, 5)) << "the click that gives the keyboard selects all";
    g->click(at(*g, 2, 1));
    EXPECT_EQ(selection(*g), span(2, 2));
    g->click(at(*g, 4, 1), EventModifiers::shift());
    EXPECT_EQ(selection(*g), span(2, 4)) << "Shift stretches the selection";
    g->drag(at(*g, 1, -1), at(*g, 4, 1), 3);
    EXPECT_EQ(selection(*g), span(1, 4));
    g->doubleClick(at(*g, 3, 1));
    EXPECT_EQ(selection(*g), span(3, 5)) << "the word under the point";
    g->typeText("x");
    EXPECT_EQ(*text, "ab x");
}

TEST_F(FieldLine, CommandKeysCopyCutPasteAndUndoTheTypingSinceTheFocusCame) {
    auto& pasteboard = AppKit::NSPasteboard::general();
    pasteboard.clearContents();
    auto g = show("0.5", 100, TextAlignment::center);
    g->click(field(*g).frame.center());
    command(*g, "c");
    EXPECT_EQ(pasteboard.stringForType(), "0.5");
    g->typeText("7");
    command(*g, "v");
    EXPECT_EQ(*text, "70.5") << "each change reaches the binding";
    command(*g, "z");
    EXPECT_EQ(*text, "7");
    command(*g, "z");
    EXPECT_EQ(*text, "0.5");
    EXPECT_EQ(selection(*g), span(0, 3));
    command(*g, "z", EventModifiers::shift());
    EXPECT_EQ(*text, "7");
    command(*g, "a");
    command(*g, "x");
    EXPECT_EQ(*text, "");
    EXPECT_EQ(pasteboard.stringForType(), "7");
    // Taking the focus again starts over: the last session's typing stays.
    g->click({2, 2});
    g->click(field(*g).frame.center());
    ASSERT_TRUE(field(*g).focused);
    command(*g, "z");
    EXPECT_EQ(*text, "");
    pasteboard.clearContents();
}

}  // namespace
