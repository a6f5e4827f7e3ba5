#include <gtest/gtest.h>

#include "CoreGraphics/CGContext.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace CoreGraphics {
inline void PrintTo(const CGRect& r, std::ostream* os) {
    *os << "(" << r.origin.x << ", " << r.origin.y << ", " << r.size.width << " x " << r.size.height << ")";
}
}  // namespace CoreGraphics

namespace {

using namespace SwiftUI;

// Fixed-size blocks keep the expectations free of text metrics.
AnyView block(CGFloat w, CGFloat h, const std::string& id) { return Color::red().frame(w, h).accessibilityIdentifier(id); }

class Layout : public TestSupport::VirtualTimeTest {
protected:
    CGRect frameOf(ViewGraph& g, const std::string& id) {
        auto* n = g.renderTree().findIdentifier(id);
        EXPECT_NE(n, nullptr) << id;
        return n ? n->frame : CGRect{};
    }
};

struct Case {
    const char* name;
    std::function<AnyView()> view;
    CGSize size;
    std::vector<std::pair<std::string, CGRect>> frames;
};

TEST_F(Layout, SmallTreesLandWhereTheRulesPutThem) {
    const std::vector<Case> cases = {
        {"vstack default spacing, centred", [] { return AnyView(VStack({block(20, 10, "a"), block(40, 10, "b")})); }, {100, 100},
         {{"a", {40, 36, 20, 10}}, {"b", {30, 54, 40, 10}}}},
        {"vstack leading, negative spacing",
         [] { return AnyView(VStack(HorizontalAlignment::leading, -4, {block(20, 10, "a"), block(40, 10, "b")})); }, {100, 100},
         {{"a", {30, 42, 20, 10}}, {"b", {30, 48, 40, 10}}}},
        {"hstack top alignment, spacing 4",
         [] { return AnyView(HStack(VerticalAlignment::top, 4, {block(10, 20, "a"), block(10, 40, "b")})); }, {100, 100},
         {{"a", {38, 30, 10, 20}}, {"b", {52, 30, 10, 40}}}},
        {"spacers share the rest equally",
         [] { return AnyView(HStack({Spacer(), block(20, 10, "a"), Spacer(), block(20, 10, "b")})); }, {200, 10},
         {{"a", {76, 0, 20, 10}}, {"b", {180, 0, 20, 10}}}},
        {"spacer keeps its minimum", [] { return AnyView(HStack({block(60, 10, "a"), Spacer(), block(60, 10, "b")})); }, {100, 10},
         {{"a", {-22, 0, 60, 10}}, {"b", {62, 0, 60, 10}}}},
        {"frame aligns its content", [] { return AnyView(block(10, 10, "a").frame({.width = 50, .height = 30, .alignment = Alignment::bottomTrailing()})); },
         {50, 30}, {{"a", {40, 20, 10, 10}}}},
        {"max width frame takes the offer", [] { return AnyView(block(10, 10, "a").frame({.maxWidth = infinity, .alignment = Alignment::leading()}).accessibilityIdentifier("f")); },
         {120, 10}, {{"a", {0, 0, 10, 10}}, {"f", {0, 0, 120, 10}}}},
        {"padding on chosen edges", [] { return AnyView(block(10, 10, "a").padding(Edges::leading(), 8).padding(Edges::top(), 2).accessibilityIdentifier("p")); },
         {18, 12}, {{"a", {8, 2, 10, 10}}, {"p", {0, 0, 18, 12}}}},
        {"offset moves drawing, not layout",
         [] { return AnyView(HStack(VerticalAlignment::center, 0, {block(10, 10, "a").offset(5, -3), block(10, 10, "b")})); }, {20, 10},
         {{"a", {5, -3, 10, 10}}, {"b", {10, 0, 10, 10}}}},
        {"zero-height frame draws its content", [] { return AnyView(VStack(HorizontalAlignment::center, 0, {block(10, 10, "a").frame({.height = 0}), block(10, 10, "b")})); },
         {10, 10}, {{"a", {0, -5, 10, 10}}, {"b", {0, 0, 10, 10}}}},
        {"scale about the top-leading corner", [] { return AnyView(block(10, 10, "a").frame(20, 20).scaleEffect(2, UnitPoint::topLeading())); }, {20, 20},
         {{"a", {10, 10, 20, 20}}}},
        {"zstack alignment", [] { return AnyView(ZStack(Alignment::topLeading(), {block(30, 30, "a"), block(10, 10, "b")})); }, {30, 30},
         {{"a", {0, 0, 30, 30}}, {"b", {0, 0, 10, 10}}}},
        {"background takes the content's size", [] { return AnyView(block(20, 10, "a").padding(5).background(Color::blue().accessibilityIdentifier("bg"))); },
         {30, 20}, {{"bg", {0, 0, 30, 20}}, {"a", {5, 5, 20, 10}}}},
        {"empty conditional takes no spacing", [] { return AnyView(VStack({block(10, 10, "a"), If(false, block(10, 10, "x")), block(10, 10, "b")})); },
         {10, 28}, {{"a", {0, 0, 10, 10}}, {"b", {0, 18, 10, 10}}}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        ViewGraph g(c.view(), c.size);
        for (auto& [id, rect] : c.frames) EXPECT_EQ(frameOf(g, id), rect) << id;
    }
}

TEST_F(Layout, OffsetsMoveHitTestingWithTheDrawing) {
    int taps = 0;
    ViewGraph g(AnyView(Color::red().frame(10, 10).offset(20, 0).onTapGesture([&] { ++taps; })), {100, 10});
    // The block is laid out at x 45..55 and drawn at 65..75.
    g.click({50, 5});
    EXPECT_EQ(taps, 0);
    g.click({70, 5});
    EXPECT_EQ(taps, 1);
}

TEST_F(Layout, TransparentAreasOfAStackTakeNoClicks) {
    int taps = 0;
    ViewGraph g(AnyView(HStack({Color::red().frame(10, 10), Spacer(), Color::red().frame(10, 10)}).onTapGesture([&] { ++taps; })), {100, 10});
    g.click({50, 5});
    EXPECT_EQ(taps, 0);
    g.click({5, 5});
    EXPECT_EQ(taps, 1);
}

}  // namespace

namespace {

using namespace SwiftUI;
using Layout2 = TestSupport::VirtualTimeTest;

CGRect drawn(ViewGraph& g, const std::string& id) {
    auto* n = g.renderTree().findIdentifier(id);
    return n ? n->frame : CGRect{-1, -1, -1, -1};
}

TEST_F(Layout2, GridColumnsComeFromSingleCellsAndSpansAddTheSpacing) {
    auto b = [](CGFloat w, const std::string& id) { return AnyView(Color::red().frame(w, 10).accessibilityIdentifier(id)); };
    ViewGraph g(AnyView(Grid(Alignment::center(), 2, 0,
                             {GridRow({b(10, "a"), b(20, "b"), b(30, "c")}), GridRow({b(4, "wide").gridCellColumns(2), b(6, "d")}),
                              GridRow({b(10, "e"), b(10, "f"), b(10, "g")}).frame({.height = 0})})),
                {64, 20});
    EXPECT_EQ(drawn(g, "a"), (CGRect{0, 0, 10, 10}));
    EXPECT_EQ(drawn(g, "c"), (CGRect{34, 0, 30, 10}));
    // Two columns (10 + 20) plus one spacing: 32 wide, the cell centred in it.
    EXPECT_EQ(drawn(g, "wide"), (CGRect{14, 10, 4, 10}));
    EXPECT_EQ(drawn(g, "d"), (CGRect{46, 10, 6, 10}));
    // A row framed to zero height takes none and still draws.
    EXPECT_EQ(drawn(g, "e"), (CGRect{0, 15, 10, 10}));
}

TEST_F(Layout2, GeometryReaderTakesTheOfferAndBuildsForItsSize) {
    ViewGraph g(AnyView(GeometryReader([](const GeometryProxy& p) {
                    CGFloat s = std::min(p.size.width / 64, p.size.height / 48);
                    return AnyView(Color::blue().frame(64, 48).accessibilityIdentifier("content").scaleEffect(s, UnitPoint::topLeading()));
                })),
                {128, 200});
    EXPECT_EQ(drawn(g, "content"), (CGRect{0, 0, 128, 96}));
    g.setSize({32, 24});
    EXPECT_EQ(drawn(g, "content"), (CGRect{0, 0, 32, 24}));
}

// A menu is its label with room for its indicator after it: the chevron is drawn in that room,
// clear of the label's text; with the indicator hidden the menu is just its label.
TEST_F(Layout, AMenuMakesRoomForItsIndicatorAfterItsLabel) {
    for (bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "indicator hidden" : "indicator shown");
        auto menu = AnyView(Menu({Button("One", [] {})}, AnyView(Text("Menu"))));
        if (hidden) menu = menu.menuIndicator(MenuIndicatorVisibility::hidden);
        ViewGraph g(AnyView(HStack({menu, block(10, 10, "after")})), {200, 40});
        const auto* node = g.renderTree().findMenu();
        const auto* label = g.renderTree().findText("Menu");
        ASSERT_TRUE(node && label);
        EXPECT_EQ(node->frame.width(), label->frame.width() + (hidden ? 0 : Menu::indicatorWidth));
        EXPECT_EQ(label->frame.minX(), node->frame.minX()) << "the label leads";
        EXPECT_EQ(frameOf(g, "after").minX(), node->frame.maxX() + 8) << "its neighbour after the indicator";

        CoreGraphics::CGContext ctx({200, 40}, true);
        g.renderTree().draw(ctx);
        const auto strokes = ctx.displayList().all<CoreGraphics::Op::Stroke>();
        ASSERT_EQ(strokes.size(), hidden ? 0u : 1u) << "the chevron";
        if (hidden) continue;
        const CGRect chevron = strokes[0]->path.boundingBox();
        EXPECT_GE(chevron.minX(), label->frame.maxX() + 2) << "clear of the text";
        EXPECT_LE(chevron.maxX(), node->frame.maxX());
    }
}

}  // namespace
