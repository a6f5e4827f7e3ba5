#include <gtest/gtest.h>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/NSViewRepresentable.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;
using CoreGraphics::Op::BeginLayer;

// An AppKit view that paints itself red all over and counts the clicks it gets.
class RedView : public AppKit::NSView {
    VZ_OBJECT(RedView, AppKit::NSView)
public:
    int clicks = 0;
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        ctx->setFillColor(CoreGraphics::CGColor::sRGB(1, 0, 0));
        ctx->fill(bounds());
    }
    void mouseDown(const AppKit::NSEvent&) override { ++clicks; }
};

struct Red : NSViewRepresentable<Red, RedView> {
    explicit Red(std::shared_ptr<RedView>* made) : made(made) {}
    std::shared_ptr<RedView>* made;
    std::shared_ptr<RedView> makeNSView(Context&) const { return *made = Runtime::make<RedView>(); }
    void updateNSView(RedView&, Context&) const {}
};

using HostedLayers = TestSupport::VirtualTimeTest;

// What comes after a hosted AppKit view in the graph shows over it, and takes its own clicks;
// what comes before stays under it; clicks elsewhere reach the AppKit view.
TEST_F(HostedLayers, ContentAfterAHostedViewIsDrawnAboveItAndTakesItsClicks) {
    std::shared_ptr<RedView> red;
    int taps = 0;
    auto window = AppKit::NSWindow::make({0, 0, 100, 100});
    auto controller = NSHostingController::make(AnyView(ZStack(
        {AnyView(Color::green()), AnyView(Red(&red)).frame(60, 60), AnyView(Color::blue().frame(20, 20).onTapGesture([&] { ++taps; }))})));
    window->setContentViewController(controller);
    window->makeKeyAndOrderFront();
    drain();
    auto host = controller->hostingView();
    ASSERT_TRUE(red);
    ASSERT_EQ(host->subviews().size(), 2u) << "the hosted view and the layer over it";
    EXPECT_EQ(host->subviews()[0], red);
    EXPECT_EQ(host->graph().renderTree().layerOf(host->graph().renderTree().find([](const RenderNode& n) {
                  return n.kind == RenderNode::Kind::color && n.frame.size.width == 20;
              })),
              1);
    EXPECT_FALSE(host->graph().renderTree().hasItems(2));

    auto picture = window->snapshot();
    // Which of red, green and blue a pixel is most of.
    auto hue = [&](int x, int y) {
        const auto c = picture->pixel(x, y);
        return c.r > c.g && c.r > c.b ? 'r' : c.g > c.b ? 'g' : 'b';
    };
    EXPECT_EQ(hue(5, 5), 'g') << "under everything";
    EXPECT_EQ(hue(25, 25), 'r') << "the hosted view";
    EXPECT_EQ(hue(50, 50), 'b') << "over the hosted view";

    auto click = [&](CGPoint p) {
        for (auto type : {AppKit::EventType::leftMouseDown, AppKit::EventType::leftMouseUp}) {
            window->sendEvent(AppKit::NSEvent::mouseEvent(type, p, {}, 0, window, 1));
            drain();
        }
    };
    click({50, 50});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(red->clicks, 0);
    click({25, 75});
    EXPECT_EQ(red->clicks, 1);
    EXPECT_EQ(taps, 1);
}

using Shadows = TestSupport::VirtualTimeTest;

// Each shadow is cast by everything before it, earlier shadows included: nested layers, the
// last shadow outermost, blurred by twice the radius and moved by its offset.
TEST_F(Shadows, EachShadowIsCastByTheCompositeSoFar) {
    const Color violet = Color::displayP3(0.05, 0.02, 0.13);
    ViewGraph g(AnyView(Text(std::string("Title")).shadow(violet.opacity(0.4), 0, 0, 1).shadow(violet.opacity(0.3), 4, 0, 4)),
                {200, 80});
    g.update();
    CoreGraphics::CGContext ctx({200, 80}, true, 1);
    g.renderTree().draw(ctx);
    const auto& ops = ctx.displayList().ops;
    std::vector<std::string> shape;
    std::vector<const BeginLayer*> layers;
    for (auto& op : ops) {
        if (auto* b = std::get_if<BeginLayer>(&op)) shape.push_back("begin"), layers.push_back(b);
        else if (std::holds_alternative<CoreGraphics::Op::EndLayer>(op)) shape.push_back("end");
        else if (std::holds_alternative<CoreGraphics::Op::Text>(op)) shape.push_back("text");
    }
    EXPECT_EQ(shape, (std::vector<std::string>{"begin", "begin", "text", "end", "end"}));
    ASSERT_EQ(layers.size(), 2u);
    ASSERT_TRUE(layers[0]->shadow && layers[1]->shadow);
    EXPECT_EQ(layers[0]->shadow->blur, 8) << "the last shadow, outermost";
    EXPECT_EQ(layers[0]->shadow->offset, (CGSize{0, 4}));
    EXPECT_NEAR(layers[0]->shadow->color.alpha(), 0.3, 1e-9);
    EXPECT_EQ(layers[1]->shadow->blur, 0);
    EXPECT_EQ(layers[1]->shadow->offset, (CGSize{0, 1}));

    // A blurred shadow fades out past the square's edge; a sharp one stops at it.
    auto edge = [](CGFloat radius) {
        ViewGraph sq(AnyView(Color::white().frame(20, 20).shadow(Color::black(), radius, 10, 0)), {60, 40});
        sq.update();
        CoreGraphics::CGContext c({60, 40}, true, 1);
        sq.renderTree().draw(c);
        auto image = c.makeImage();
        return std::pair{image->argb(51, 20) >> 24, image->argb(48, 20) >> 24};
    };
    EXPECT_EQ(edge(0), (std::pair<std::uint32_t, std::uint32_t>{0u, 0xffu}));
    auto [outside, inside] = edge(3);
    EXPECT_GT(outside, 0u);
    EXPECT_LT(inside, 0xffu);
}

TEST(LocalizedStringKey, PutsTheArgumentsWhereTheTranslationSays) {
    struct Case {
        const char* format;
        std::vector<std::string> arguments;
        std::string text;
    } cases[] = {
        {"%@ is now available as an Audio Unit.", {"Vantrel Zellow"}, "Vantrel Zellow is now available as an Audio Unit."},
        {"Jetzt als Audio Unit: %@.", {"Vantrel Zellow"}, "Jetzt als Audio Unit: Vantrel Zellow."},
        {"%2$@ before %1$@", {"one", "two"}, "two before one"},
        {"%@ and %@", {"one", "two"}, "one and two"},
        {"100%% %@", {"sure"}, "100% sure"},
        {"%@ %@", {"only"}, "only "},
        {"%d stays, %", {"x"}, "%d stays, %"},
    };
    for (const auto& c : cases) EXPECT_EQ((LocalizedStringKey{"key", c.arguments}.formatted(c.format)), c.text) << c.format;

    Text::setLocalizer([](const std::string& key) { return key == "%@ is here" ? std::string("Hier: %@") : key; });
    EXPECT_EQ(Text(LocalizedStringKey{"%@ is here", {"X"}}).string(), "Hier: X");
    EXPECT_TRUE(Text(LocalizedStringKey{"%@ is here", {"X"}}).isLocalized());
    Text::setLocalizer(nullptr);
    EXPECT_EQ(Text(LocalizedStringKey{"%@ is here", {"X"}}).string(), "X is here");
}

}  // namespace
