#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "AppKit/CALayer.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSGraphicsContext.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKitTestSupport.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Foundation/NotificationCenter.hpp"

using namespace AppKit;
using CoreGraphics::CGColor;

namespace {

using DrawingTest = AppKitTest::AppKitTest;

// Fills its bounds and writes a label, in its own colour.
class Swatch : public NSView {
    VZ_OBJECT(Swatch, NSView)
public:
    std::shared_ptr<NSColor> color = NSColor::sRGB(1, 0, 0);
    bool flipped = false;
    std::vector<bool> sawFlipped;
    bool isFlipped() const override { return flipped; }
    void draw(CGRect) override {
        auto ctx = NSGraphicsContext::current();
        sawFlipped.push_back(ctx->isFlipped());
        color->setFill();
        ctx->cgContext().fill(CGRect{0, 0, 10, 10});
        ctx->cgContext().drawText(CoreGraphics::AttributedText("hi", NSFont::systemFont(12)->font(),
                                                                NSColor::controlTextColor()->cgColor()),
                                  bounds());
    }

protected:
    using NSView::NSView;
};

TEST_F(DrawingTest, AWindowRecordsItsViewsBackToFrontInTheirOwnCoordinates) {
    auto w = NSWindow::make({0, 0, 100, 50}, StyleMask::borderless());
    w->setBackgroundColor(NSColor::sRGB(0, 0, 1));
    auto below = Runtime::make<Swatch>(CGRect{0, 0, 100, 50});
    auto above = Runtime::make<Swatch>(CGRect{20, 5, 30, 30});
    above->flipped = true;
    above->color = NSColor::sRGB(0, 1, 0);
    w->contentView()->addSubview(below);
    w->contentView()->addSubview(above);
    w->display();

    const auto& list = w->displayList();
    auto fills = list.all<CoreGraphics::Op::Fill>();
    ASSERT_EQ(fills.size(), 3u);  // background, below, above
    EXPECT_EQ(fills[0]->color, CGColor::sRGB(0, 0, 1));
    EXPECT_EQ(fills[1]->color, CGColor::sRGB(1, 0, 0));
    EXPECT_EQ(fills[2]->color, CGColor::sRGB(0, 1, 0));
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"hi", "hi"}));
    EXPECT_EQ(below->sawFlipped, std::vector<bool>{false});
    EXPECT_EQ(above->sawFlipped, std::vector<bool>{true});

    // Pixels (y down): `below` fills its bottom-left corner, `above` (flipped) the corner
    // at its top left, 5 + 30 - 10 .. 35 points up.
    auto image = w->snapshot();
    ASSERT_EQ(image->width(), 100);
    auto px = [&](int x, int y) { return image->argb(x, y); };
    EXPECT_EQ(px(5, 45), 0xffff0000u);  // below: x 0..10, y 0..10 up = rows 40..50
    EXPECT_EQ(px(25, 18), 0xff00ff00u); // above: x 20..30, rows 15..25
    EXPECT_EQ(px(90, 5), 0xff0000ffu);  // background
    EXPECT_EQ(w->displayCount(), 1);
}

TEST_F(DrawingTest, HiddenViewsAreNotDrawnAndAlphaMakesALayer) {
    auto w = NSWindow::make({0, 0, 40, 40}, StyleMask::borderless());
    auto a = Runtime::make<Swatch>(CGRect{0, 0, 40, 40});
    auto b = Runtime::make<Swatch>(CGRect{0, 0, 40, 40});
    w->contentView()->addSubview(a);
    w->contentView()->addSubview(b);
    b->setHidden(true);
    a->setAlphaValue(0.5);
    w->display();
    EXPECT_TRUE(b->sawFlipped.empty());
    auto layers = w->displayList().all<CoreGraphics::Op::BeginLayer>();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->alpha, 0.5);
    EXPECT_FALSE(w->viewsNeedDisplay());
}

// A layer's opacity dims the view and its subviews as alphaValue does, on top of it; setting it
// asks for a redraw, and the picture shows it.
TEST_F(DrawingTest, ALayersOpacityDimsItsViewAndSubviews) {
    auto w = NSWindow::make({0, 0, 40, 40}, StyleMask::borderless());
    w->setBackgroundColor(NSColor::sRGB(0, 0, 0));
    auto a = Runtime::make<Swatch>(CGRect{0, 0, 40, 40});
    auto inner = Runtime::make<Swatch>(CGRect{20, 20, 20, 20});
    inner->color = NSColor::sRGB(0, 1, 0);
    a->addSubview(inner);
    w->contentView()->addSubview(a);
    a->setWantsLayer(true);
    w->display();
    ASSERT_FALSE(w->viewsNeedDisplay());
    EXPECT_TRUE(w->displayList().all<CoreGraphics::Op::BeginLayer>().empty()) << "opaque by default";
    EXPECT_EQ(a->layer()->opacity(), 1.0f);

    a->layer()->setOpacity(0.5f);
    EXPECT_TRUE(w->viewsNeedDisplay()) << "a new opacity redraws the view";
    w->display();
    auto layers = w->displayList().all<CoreGraphics::Op::BeginLayer>();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->alpha, 0.5);
    // In the picture (y down): a's red and its subview's green, both at half strength.
    auto image = w->snapshot();
    EXPECT_NEAR(int((image->argb(5, 35) >> 16) & 0xff), 128, 1);
    EXPECT_NEAR(int((image->argb(25, 15) >> 8) & 0xff), 128, 1);

    a->setAlphaValue(0.5);
    w->display();
    layers = w->displayList().all<CoreGraphics::Op::BeginLayer>();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->alpha, 0.25) << "with the alpha value";

    // Out of range: the nearer end; not a number: refused.
    for (auto [set, kept] : {std::pair{2.0f, 1.0f}, {-1.0f, 0.0f}, {std::nanf(""), 0.0f}}) {
        a->layer()->setOpacity(set);
        EXPECT_EQ(a->layer()->opacity(), kept) << set;
    }
}

TEST_F(DrawingTest, SystemColoursFollowTheAppearanceBeingDrawn) {
    auto w = NSWindow::make({0, 0, 20, 20}, StyleMask::borderless());
    auto v = Runtime::make<Swatch>(CGRect{0, 0, 20, 20});
    w->contentView()->addSubview(v);
    w->setAppearance(NSAppearance::named(NSAppearance::darkAqua));
    w->display();
    auto texts = w->displayList().all<CoreGraphics::Op::Text>();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text.runs[0].color, NSColor::controlTextColor()->resolved(*NSAppearance::named(NSAppearance::darkAqua)));
    EXPECT_NE(NSColor::controlTextColor()->resolved(*NSAppearance::named(NSAppearance::aqua)), texts[0]->text.runs[0].color);
    EXPECT_EQ(NSColor::controlTextColor(), NSColor::controlTextColor());
}

TEST_F(DrawingTest, ImagesAndFontsWrapTheGraphicsTypes) {
    auto image = NSImage::withSize({16, 12});
    EXPECT_EQ(image->size(), (CGSize{16, 12}));
    EXPECT_FALSE(image->isTemplate());
    EXPECT_EQ(NSImage::named("no-such-image", nullptr), nullptr);

    CoreGraphics::CGContext ctx({50, 50});
    {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        auto asset = std::make_shared<CoreGraphics::ImageAsset>("icons/star", CGSize{8, 8});
        NSImage::withAsset(asset)->draw({1, 2, 8, 8}, {}, CompositingOperation::sourceAtop, 0.5);
    }
    auto draws = ctx.displayList().all<CoreGraphics::Op::Image>();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0]->name, "icons/star");
    EXPECT_EQ(draws[0]->destination, (CGRect{1, 2, 8, 8}));
    EXPECT_EQ(draws[0]->fraction, 0.5);
    EXPECT_EQ(draws[0]->state.operation, CompositingOperation::sourceAtop);

    EXPECT_EQ(NSFont::systemFont(10, FontWeight::medium), NSFont::systemFont(10, FontWeight::medium));
    EXPECT_NE(NSFont::systemFont(10), NSFont::systemFont(11));
    EXPECT_EQ(NSFont::named("No-Such-Font-Anywhere", 12), nullptr);
    EXPECT_EQ(NSFont::systemFont(12)->pointSize(), 12);
}

TEST_F(DrawingTest, KeyChangesArePostedThroughTheNotificationCenter) {
    auto a = NSWindow::make({0, 0, 10, 10}), b = NSWindow::make({0, 0, 10, 10});
    std::vector<std::string> log;
    auto& center = Foundation::NotificationCenter::defaultCenter();
    auto record = [&](const Foundation::Notification& n) {
        log.push_back(std::string(n.object == a.get() ? "a " : "b ") + n.name);
    };
    auto t1 = center.addObserver(std::string(NSWindow::didBecomeKeyNotification), nullptr, record);
    auto t2 = center.addObserver(std::string(NSWindow::didResignKeyNotification), nullptr, record);
    a->makeKeyAndOrderFront();
    b->makeKeyAndOrderFront();
    EXPECT_EQ(log, (std::vector<std::string>{"a NSWindowDidBecomeKeyNotification", "a NSWindowDidResignKeyNotification",
                                             "b NSWindowDidBecomeKeyNotification"}));
}

}  // namespace
