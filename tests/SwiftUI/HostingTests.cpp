#include <gtest/gtest.h>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/NSViewRepresentable.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

using Hosting = TestSupport::VirtualTimeTest;

class ProbeView : public AppKit::NSView {
    VZ_OBJECT(ProbeView, AppKit::NSView)
public:
    int updates = 0;
    std::string value;
    CGSize intrinsicContentSize() const override { return {50, 20}; }
};

struct Journal {
    std::vector<std::string> calls;
};

struct ProbeCoordinator {
    std::shared_ptr<Journal> journal;
    int serial;
};

struct Probe : NSViewRepresentable<Probe, ProbeView, ProbeCoordinator> {
    Probe(std::shared_ptr<Journal> j, std::string v) : journal(std::move(j)), value(std::move(v)) {}
    std::shared_ptr<Journal> journal;
    std::string value;
    ProbeCoordinator makeCoordinator() const {
        journal->calls.push_back("coordinator");
        return {journal, 7};
    }
    std::shared_ptr<ProbeView> makeNSView(Context& ctx) const {
        journal->calls.push_back("make " + std::to_string(ctx.coordinator.serial));
        return Runtime::make<ProbeView>();
    }
    void updateNSView(ProbeView& view, Context&) const {
        journal->calls.push_back("update " + value);
        view.value = value;
        ++view.updates;
    }
    static void dismantleNSView(ProbeView&, ProbeCoordinator& c) { c.journal->calls.push_back("dismantle"); }
};

struct Screen {
    std::shared_ptr<Journal> journal;
    std::shared_ptr<Observation::Observed<std::string>> value;
    std::shared_ptr<Observation::Observed<bool>> show;
    AnyView body() const {
        return VStack({Text("above"), If(show->get(), AnyView(Probe(journal, value->get())))});
    }
};

TEST_F(Hosting, ARepresentableIsMadeUpdatedPlacedAndDismantled) {
    auto journal = std::make_shared<Journal>();
    auto value = std::make_shared<Observation::Observed<std::string>>("a");
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    auto host = NSHostingView::make(AnyView(Screen{journal, value, show}));
    host->setFrame({0, 0, 200, 100});
    drain();
    EXPECT_EQ(journal->calls, (std::vector<std::string>{"coordinator", "make 7", "update a"}));
    ASSERT_EQ(host->subviews().size(), 1u);
    auto probe = std::dynamic_pointer_cast<ProbeView>(host->subviews()[0]);
    ASSERT_TRUE(probe);
    auto* item = host->graph().renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::hostedView; });
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(probe->frame(), item->frame);
    EXPECT_EQ(item->frame.size, (CGSize{50, 20})) << "the AppKit view's intrinsic size";

    value->set("b");
    drain();
    EXPECT_EQ(probe->value, "b");
    EXPECT_EQ(journal->calls.back(), "update b");
    EXPECT_EQ(host->subviews()[0], probe) << "the same view, updated";

    show->set(false);
    drain();
    EXPECT_EQ(journal->calls.back(), "dismantle");
    EXPECT_TRUE(host->subviews().empty());
}

TEST_F(Hosting, AHostingViewLaysOutAtItsBoundsAndRoutesWindowEvents) {
    int taps = 0;
    auto window = AppKit::NSWindow::make({0, 0, 100, 80});
    auto controller = NSHostingController::make(AnyView(Color::red().frame(20, 20).onTapGesture([&] { ++taps; })));
    controller->setSizingOptions({});  // the window stays larger than its content
    window->setContentViewController(controller);
    window->makeKeyAndOrderFront();
    drain();
    auto host = controller->hostingView();
    ASSERT_TRUE(host);
    EXPECT_EQ(host->graph().size(), (CGSize{100, 80}));
    auto* block = host->graph().renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color; });
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->frame, (CGRect{40, 30, 20, 20}));
    // Window coordinates run y-up from the bottom; (50, 40) is the middle either way.
    auto down = AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, {50, 40}, {}, 0, window, 1);
    auto up = AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseUp, {50, 40}, {}, 0, window, 1);
    window->sendEvent(down);
    drain();
    window->sendEvent(up);
    drain();
    EXPECT_EQ(taps, 1);
    auto image = window->snapshot();
    ASSERT_TRUE(image);
}

// The content's sizes reach AppKit by the sizing options: its ideal size as the preferred
// content size (which the window takes) and as the view's intrinsic size, its least and largest
// as the window's content limits, which the window's size is then kept within.
TEST_F(Hosting, TheSizingOptionsSayWhichOfTheContentsSizesReachTheWindow) {
    using O = NSHostingSizingOptions;
    const auto content = [](CGFloat scale) {
        return AnyView(Color::red().frame({.minWidth = 50 * scale, .idealWidth = 120 * scale, .maxWidth = 300 * scale,
                                           .minHeight = 40 * scale, .idealHeight = 80 * scale, .maxHeight = 200 * scale}));
    };
    constexpr CGFloat none = AppKit::NSViewNoIntrinsicMetric;
    const CGSize unlimited = AppKit::NSWindow::make({0, 0, 10, 10})->contentMaxSize();
    struct Case {
        const char* what;
        NSHostingSizingOptions options;
        CGSize preferred, intrinsic, min, max, window;
    };
    const Case cases[] = {
        {"none", {}, {0, 0}, {none, none}, {0, 0}, unlimited, {480, 270}},
        {"the standard bounds", O::standardBounds(), {0, 0}, {120, 80}, {50, 40}, {300, 200}, {300, 200}},
        {"the preferred content size", O::preferredContentSize(), {120, 80}, {none, none}, {0, 0}, unlimited, {120, 80}},
        {"the least size", O::minSize(), {0, 0}, {none, none}, {50, 40}, unlimited, {480, 270}},
    };
    for (const auto& c : cases) {
        auto controller = NSHostingController::make(content(1));
        EXPECT_EQ(controller->sizingOptions(), O::standardBounds()) << "the default";
        controller->setSizingOptions(c.options);
        auto window = AppKit::NSWindow::withContentViewController(controller);
        EXPECT_EQ(controller->preferredContentSize(), c.preferred) << c.what;
        EXPECT_EQ(controller->view()->intrinsicContentSize(), c.intrinsic) << c.what;
        EXPECT_EQ(window->contentMinSize(), c.min) << c.what;
        EXPECT_EQ(window->contentMaxSize(), c.max) << c.what;
        EXPECT_EQ(window->contentSize(), c.window) << c.what;
    }

    // New content is measured again; the limits hold when the window is resized.
    auto controller = NSHostingController::make(content(1));
    auto window = AppKit::NSWindow::withContentViewController(controller);
    controller->setRootView(content(0.5));
    EXPECT_EQ(window->contentMinSize(), (CGSize{25, 20}));
    EXPECT_EQ(window->contentMaxSize(), (CGSize{150, 100}));
    EXPECT_EQ(window->contentSize(), (CGSize{150, 100}));
    window->setContentSize({10, 400});
    EXPECT_EQ(window->contentSize(), (CGSize{25, 100}));

    // Text offered no width wraps to a tall column of letters: the least size stops at the largest.
    auto text = NSHostingController::make(AnyView(Text("Inspector")));
    auto textWindow = AppKit::NSWindow::withContentViewController(text);
    EXPECT_LE(textWindow->contentMinSize().height, textWindow->contentMaxSize().height);
    EXPECT_EQ(textWindow->contentSize(), textWindow->contentMaxSize()) << "one line of the text";

    // A controller whose view is only a subview leaves that window alone.
    auto host = AppKit::NSWindow::make({0, 0, 400, 300});
    auto child = NSHostingController::make(content(1));
    host->contentView()->addSubview(child->view());
    EXPECT_EQ(host->contentMinSize(), (CGSize{0, 0}));
    EXPECT_EQ(host->contentSize(), (CGSize{400, 300}));
}

}  // namespace

namespace {

using namespace SwiftUI;
using HostingFocus = TestSupport::VirtualTimeTest;

TEST_F(HostingFocus, TheFieldTakesTheWindowsKeyboardAndLosesItToAnotherResponder) {
    auto text = std::make_shared<std::string>("");
    auto binding = Binding<std::string>([text] { return *text; }, [text](std::string v) { *text = std::move(v); });
    auto window = AppKit::NSWindow::make({0, 0, 200, 40});
    auto host = NSHostingView::make(AnyView(TextField("name", binding).frame(200, 40)));
    window->setContentView(host);
    window->makeKeyAndOrderFront();
    drain();
    window->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, {100, 20}, {}, 0, window, 1));
    drain();
    window->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseUp, {100, 20}, {}, 0, window, 1));
    drain();
    EXPECT_EQ(window->firstResponder(), host);
    window->sendEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, {}, 0, window, "a", "a", false, 0));
    drain();
    EXPECT_EQ(*text, "a");
    window->makeFirstResponder(nullptr);
    drain();
    EXPECT_EQ(host->graph().focusedField(), nullptr);
    window->close();
}

}  // namespace
