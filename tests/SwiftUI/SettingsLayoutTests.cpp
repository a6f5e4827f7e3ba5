#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/CGContext.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;
using Slicing = CoreGraphics::ImageAsset::Slicing;

// Fixed-size blocks keep the expectations free of text metrics.
AnyView block(CGFloat w, CGFloat h, const std::string& id) { return Color::red().frame(w, h).accessibilityIdentifier(id); }

class SettingsLayout : public TestSupport::VirtualTimeTest {
protected:
    // The image operations `view` draws at `size`, `scale` pixels a point.
    static std::vector<CoreGraphics::Op::Image> imagesDrawn(const AnyView& view, CGSize size, CGFloat scale) {
        ViewGraph g(view, size);
        CoreGraphics::CGContext ctx(size, true, scale);
        g.renderTree().draw(ctx);
        std::vector<CoreGraphics::Op::Image> out;
        for (auto* op : ctx.displayList().all<CoreGraphics::Op::Image>()) out.push_back(*op);
        return out;
    }
    CGRect frameOf(ViewGraph& g, const std::string& id) {
        auto* n = g.renderTree().findIdentifier(id);
        EXPECT_NE(n, nullptr) << id;
        return n ? n->frame : CGRect{};
    }
};

TEST_F(SettingsLayout, LabelledRowsShareOneLabelColumnAndOtherRowsTakeTheWidth) {
    const CGFloat m = Form::margin;
    ViewGraph g(AnyView(Form({
                    AnyView(LabeledContent(block(50, 10, "short"), block(30, 20, "a"))).accessibilityIdentifier("row1"),
                    AnyView(LabeledContent(block(80, 10, "wide"), block(30, 10, "b"))).accessibilityIdentifier("row2"),
                    AnyView(Section({AnyView(LabeledContent(block(20, 10, "inner"), block(30, 10, "c")))})).accessibilityIdentifier("section"),
                    block(40, 10, "plain").frame({.maxWidth = infinity}).accessibilityIdentifier("row4"),
                })).accessibilityIdentifier("form"),
                {300, 200});
    const CGFloat top = frameOf(g, "form").minY();
    const CGFloat column = 80, content = m + column + Form::labelSpacing;
    for (const char* label : {"short", "wide", "inner"}) EXPECT_DOUBLE_EQ(frameOf(g, label).maxX(), m + column) << label;
    for (const char* c : {"a", "b", "c"}) EXPECT_DOUBLE_EQ(frameOf(g, c).minX(), content) << c;
    EXPECT_DOUBLE_EQ(frameOf(g, "short").midY(), frameOf(g, "a").midY()) << "label and content centred on the row";
    EXPECT_EQ(frameOf(g, "row4"), (CGRect{m, frameOf(g, "row4").minY(), 300 - 2 * m, 10})) << "no label: the whole width";
    EXPECT_DOUBLE_EQ(frameOf(g, "row1").minY(), top + m);
    EXPECT_DOUBLE_EQ(frameOf(g, "row2").minY(), frameOf(g, "row1").maxY() + Form::rowSpacing);
    EXPECT_DOUBLE_EQ(frameOf(g, "section").minY(), frameOf(g, "row2").maxY() + Form::sectionSpacing);
    EXPECT_DOUBLE_EQ(frameOf(g, "row4").minY(), frameOf(g, "section").maxY() + Form::sectionSpacing);
    EXPECT_DOUBLE_EQ(frameOf(g, "form").maxY(), frameOf(g, "row4").maxY() + m) << "as high as its rows";
    EXPECT_DOUBLE_EQ(frameOf(g, "form").width(), 300);

    // Outside a form the label leads and the content trails.
    ViewGraph loose(AnyView(LabeledContent(block(50, 10, "l"), block(30, 10, "r"))).frame({.width = 200}), {200, 10});
    EXPECT_DOUBLE_EQ(frameOf(loose, "l").minX(), 0);
    EXPECT_DOUBLE_EQ(frameOf(loose, "r").maxX(), 200);
}

// Wraps each child in a frame 30 wide named after the child's identity.
struct Tagged {
    AnyView body(const VariadicView::Children& children) const {
        return AnyView(ForEach(children, [](const VariadicView::Child& c) { return c.view.frame({.width = 30}).accessibilityIdentifier("tag" + c.id); }));
    }
};

TEST_F(SettingsLayout, AVariadicRootGetsTheContentsViewsWithTheirIdentitiesAndLaysThemOutInItsParent) {
    const auto content = AnyView(Group({block(10, 10, "a"), AnyView(ForEach(std::vector<int>{7, 9}, [](int i) { return block(10, 10, "n" + std::to_string(i)); })),
                                        If(true, block(10, 10, "b")), If(false, block(10, 10, "never")), AnyView(EmptyView())}));
    auto children = VariadicView::children(content);
    std::vector<std::string> ids;
    for (auto& c : children) ids.push_back(c.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"#0", "#1/=i7", "#1/=i9", "#2/=if-then"}));
    EXPECT_EQ(VariadicView::children(block(1, 1, "one")).size(), 1u);
    EXPECT_TRUE(VariadicView::children(AnyView()).empty());

    ViewGraph g(AnyView(VStack(HorizontalAlignment::leading, 5, {VariadicView::Tree<Tagged>(Tagged(), content)})), {100, 100});
    CGFloat y = frameOf(g, "tag#0").minY();
    for (const std::string& id : ids) {
        const CGRect f = frameOf(g, "tag" + id);
        EXPECT_DOUBLE_EQ(f.minY(), y) << id << ": one under another in the stack";
        EXPECT_DOUBLE_EQ(f.width(), 30);
        y = f.maxY() + 5;
    }
}

TEST_F(SettingsLayout, ASlicedImageStretchesAlongItsSlicedAxisAndDrawsItsCapsWhole) {
    auto bar = std::make_shared<CoreGraphics::ImageAsset>("bar", CGSize{24, 16}, std::vector<CoreGraphics::ImageAsset::Representation>{},
                                                          false, Slicing{true, false, 8, 0, 8, 0});
    const auto wide = AnyView(Image(bar)).frame(100.5, 30, Alignment::topLeading());
    ViewGraph g(wide, {100.5, 30});
    auto* image = g.renderTree().findImage("bar");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frame, (CGRect{0, 0, 100.5, 16})) << "wide as offered, as high as itself";

    auto pieces = imagesDrawn(wide, {100.5, 30}, 2);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].source, (CGRect{0, 0, 8, 16}));
    EXPECT_EQ(pieces[0].destination, (CGRect{0, 0, 8, 16}));
    EXPECT_EQ(pieces[1].source, (CGRect{8, 0, 8, 16}));
    EXPECT_EQ(pieces[1].destination, (CGRect{8, 0, 84.5, 16})) << "the right cap's edge on a device pixel";
    EXPECT_EQ(pieces[2].source, (CGRect{16, 0, 8, 16}));
    EXPECT_EQ(pieces[2].destination, (CGRect{92.5, 0, 8, 16}));

    // Narrower than its caps: they share what there is.
    auto caps = imagesDrawn(AnyView(Image(bar)).frame(10, 16), {10, 16}, 1);
    ASSERT_EQ(caps.size(), 2u);
    EXPECT_EQ(caps[0].destination, (CGRect{0, 0, 5, 16}));
    EXPECT_EQ(caps[1].destination, (CGRect{5, 0, 5, 16}));

    // An image without slices keeps its own size.
    auto plain = std::make_shared<CoreGraphics::ImageAsset>("plain", CGSize{24, 16});
    ViewGraph own(AnyView(Image(plain)).frame(100, 30), {100, 30});
    EXPECT_EQ(own.renderTree().findImage("plain")->frame.size, (CGSize{24, 16}));
}

TEST_F(SettingsLayout, AContentShapeTakesClicksWhereNothingIsDrawn) {
    int taps = 0;
    ViewGraph g(AnyView(ZStack(Alignment::leading(), {AnyView(Color::clear().frame(100, 20)), block(10, 10, "dot")}))
                    .contentShape()
                    .onTapGesture([&] { ++taps; }),
                {100, 20});
    g.click({80, 10});
    EXPECT_EQ(taps, 1);
}

}  // namespace
