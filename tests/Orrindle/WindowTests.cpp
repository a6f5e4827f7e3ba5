#include <gtest/gtest.h>

#include "AppKit/NSScreen.hpp"
#include "AppKit/NSWindow.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/Windows/WindowController.hpp"
#include "Orrindle/Windows/WindowPlacement.hpp"
#include "Orrindle/Windows/WindowState.hpp"
#include "Orrindle/Windows/XiblessView.hpp"
#include "QuartzCore/CAKeyframeAnimation.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::NSWindow;
using AppKit::StyleMask;
using namespace Orrindle;

// A 1440 x 900 screen whose usable area leaves out a menu bar and a Dock.
class WindowPlacementTest : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        VirtualTimeTest::SetUp();
        saved = AppKit::NSScreen::screens();
        auto screen = AppKit::NSScreen::make({0, 0, 1440, 900}, 1);
        screen->setVisibleFrame({0, 25, 1440, 875});
        AppKit::NSScreen::setScreens({screen});
    }
    void TearDown() override {
        AppKit::NSScreen::setScreens(saved);
        VirtualTimeTest::TearDown();
    }
    static NSWindow::Ptr window400x300() {
        auto w = NSWindow::make({0, 0, 400, 300}, StyleMask::borderless());
        return w;
    }
    std::vector<std::shared_ptr<AppKit::NSScreen>> saved;
};

TEST_F(WindowPlacementTest, CentresOnTheUsableArea) {
    auto w = window400x300();
    properlyCenter(*w);
    EXPECT_EQ(w->frame(), (CGRect{520, 312.5, 400, 300}));
    properlyCenterHorizontally(*w, 20);
    EXPECT_EQ(w->frame(), (CGRect{520, 580, 400, 300}));

    AppKit::NSScreen::setScreens({});
    properlyCenter(*w);  // on no screen: nothing
    EXPECT_EQ(w->frame(), (CGRect{520, 580, 400, 300}));
}

TEST_F(WindowPlacementTest, CentresOverAViewCountingItsOriginOnce) {
    auto host = NSWindow::make({200, 100, 600, 400}, StyleMask::borderless());
    auto view = Runtime::make<AppKit::NSView>(CGRect{100, 100, 200, 100});
    host->contentView()->addSubview(view);
    auto popover = NSWindow::make({0, 0, 101, 50}, StyleMask::borderless());
    centerFrame(*popover, *view, false);
    // The view spans x 300..500, y 200..300 on the screen.
    EXPECT_EQ(popover->frame(), (CGRect{350, 225, 101, 50}));
    horizontallyCenterFrame(*popover, *view, false);
    EXPECT_EQ(popover->frame(), (CGRect{350, 300, 101, 50}));

    auto loose = Runtime::make<AppKit::NSView>(CGRect{0, 0, 10, 10});
    centerFrame(*popover, *loose, false);
    EXPECT_EQ(popover->frame(), (CGRect{350, 300, 101, 50}));
}

TEST_F(WindowPlacementTest, TitlebarHeightWithAndWithoutFullSizeContent) {
    auto titled = NSWindow::make({0, 0, 300, 200}, StyleMask::standard());
    EXPECT_EQ(titlebarHeight(*titled), titled->frame().size.height - 200);
    auto full = NSWindow::make({0, 0, 300, 200}, StyleMask::standard() | StyleMask::fullSizeContentView());
    EXPECT_GT(titlebarHeight(*full), 0);
    EXPECT_EQ(titlebarHeight(*full), full->contentView()->frame().size.height - full->contentLayoutRect().size.height);
    EXPECT_EQ(titlebarHeight(*window400x300()), 0);
}

TEST_F(WindowPlacementTest, ShakePlaysAKeyframePathAroundTheOriginAndEndsWhereItStarted) {
    auto w = NSWindow::make({100, 50, 400, 300}, StyleMask::borderless());
    shake(*w);
    EXPECT_EQ(w->frame().origin, (CGPoint{100, 50}));
    ASSERT_EQ(w->playedAnimations().size(), 1u);
    auto animation = std::dynamic_pointer_cast<QuartzCore::CAKeyframeAnimation>(w->playedAnimations()[0]);
    ASSERT_TRUE(animation);
    EXPECT_EQ(w->animations().at("frameOrigin"), animation);
    EXPECT_DOUBLE_EQ(animation->duration(), 0.4);
    ASSERT_TRUE(animation->path());
    std::vector<double> xs;
    for (auto& e : animation->path()->elements())
        if (e.type != CoreGraphics::CGPath::ElementType::closeSubpath) xs.push_back(e.points[0].x);
    EXPECT_EQ(xs, (std::vector<double>{100, 88, 112, 88, 112, 88, 112}));
}

TEST_F(WindowPlacementTest, AFrameNameRestoresTheLastFrameForTheNextController) {
    NSWindow::removeFrame("Inspector");
    auto first = WindowController::make(SwiftUI::AnyView(SwiftUI::Text("a")), "Inspector");
    EXPECT_EQ(first->windowFrameAutosaveName(), "Inspector");
    first->window()->setFrame({40, 60, 320, 240});
    auto second = WindowController::make(SwiftUI::AnyView(SwiftUI::Text("b")), "Inspector");
    EXPECT_EQ(second->window()->frame(), (CGRect{40, 60, 320, 240}));
    auto unnamed = WindowController::make(SwiftUI::AnyView(SwiftUI::Text("c")));
    EXPECT_EQ(unnamed->windowFrameAutosaveName(), "");
    EXPECT_NE(unnamed->window()->frame(), (CGRect{40, 60, 320, 240}));
    NSWindow::removeFrame("Inspector");
}

// The content finds its own window in its environment, held without keeping it alive.
TEST_F(WindowPlacementTest, TheContentKnowsItsWindowThroughTheEnvironment) {
    struct TitleReader {
        SwiftUI::Environment<Orrindle::WindowState> state;
        SwiftUI::AnyView body() const {
            auto window = state->parentWindow();
            return SwiftUI::Text(window ? window->title() : std::string("no window"));
        }
    };
    const auto standard = WindowController::SizingOptions::standardBounds();
    auto controller = WindowController::make(SwiftUI::AnyView(TitleReader{}), std::nullopt, standard,
                                             [](NSWindow& w) { w.setTitle("Inspector"); });
    auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(controller->window()->contentView());
    ASSERT_NE(hosting, nullptr);
    hosting->layoutSubtreeIfNeeded();
    EXPECT_NE(hosting->graph().renderTree().findText("Inspector"), nullptr);

    struct Grab {
        std::shared_ptr<Orrindle::WindowState>* out;
        SwiftUI::Environment<Orrindle::WindowState> state;
        SwiftUI::AnyView body() const {
            *out = state.get();
            return SwiftUI::Text("x");
        }
    };
    std::shared_ptr<Orrindle::WindowState> state;
    auto probe = WindowController::make(SwiftUI::AnyView(Grab{&state, {}}));
    probe->window()->contentView()->layoutSubtreeIfNeeded();
    ASSERT_NE(state, nullptr);
    std::weak_ptr<NSWindow> window = probe->window();
    EXPECT_EQ(state->parentWindow(), window.lock());
    probe->window()->close();
    probe.reset();
    EXPECT_TRUE(window.expired());
    EXPECT_EQ(state->parentWindow(), nullptr);
}

// Both kinds of controller set their window up alike: the sizing options reach the hosting
// controller, the content finds its window (a sheet window for a sheet) through its WindowState,
// and a frame name restores the saved frame over what `configure` set.
TEST_F(WindowPlacementTest, WindowAndSheetControllersSetUpTheirWindowsAlike) {
    using SwiftUI::NSHostingSizingOptions;
    struct Grab {
        std::shared_ptr<Orrindle::WindowState>* out;
        SwiftUI::Environment<Orrindle::WindowState> state;
        SwiftUI::AnyView body() const {
            *out = state.get();
            return SwiftUI::Color::red().frame(200, 120);
        }
    };
    for (const bool sheet : {false, true}) {
        const char* what = sheet ? "a sheet" : "a window";
        NSWindow::removeFrame("Panel");
        std::shared_ptr<Orrindle::WindowState> state;
        const auto make = [&](NSHostingSizingOptions options, WindowController::Configure configure) {
            SwiftUI::AnyView root(Grab{&state, {}});
            return sheet ? WindowController::makeSheet(root, "Panel", options, std::move(configure))
                         : WindowController::make(root, "Panel", options, std::move(configure));
        };
        int configured = 0;
        auto first = make(NSHostingSizingOptions::preferredContentSize(), [&](NSWindow&) { ++configured; });
        auto window = first->window();
        EXPECT_EQ(configured, 1) << what;
        EXPECT_EQ(std::dynamic_pointer_cast<SheetWindow>(window) != nullptr, sheet) << what;
        auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingController>(window->contentViewController());
        ASSERT_TRUE(hosting) << what;
        EXPECT_EQ(hosting->sizingOptions(), NSHostingSizingOptions::preferredContentSize()) << what;
        EXPECT_EQ(window->contentSize(), (AppKit::CGSize{200, 120})) << what << ": sized to its content";
        window->contentView()->layoutSubtreeIfNeeded();
        ASSERT_TRUE(state) << what;
        EXPECT_EQ(state->parentWindow(), window) << what;

        window->setFrame({40, 60, 320, 240});
        auto second = make({}, [](NSWindow& w) { w.setFrame({0, 0, 100, 100}); });
        EXPECT_EQ(second->window()->frame(), (CGRect{40, 60, 320, 240})) << what;
        NSWindow::removeFrame("Panel");
    }
}

TEST_F(WindowPlacementTest, ShowWindowCenteredCentresOnlyAfterTheMainQueueTurn) {
    bool configured = false;
    const auto standard = WindowController::SizingOptions::standardBounds();
    auto controller = WindowController::make(SwiftUI::AnyView(SwiftUI::Text("x")), std::nullopt, standard, [&](NSWindow& w) {
        configured = true;
        w.setFrame({0, 0, 400, 300});
    });
    EXPECT_TRUE(configured);
    controller->showWindowCentered();
    EXPECT_TRUE(controller->window()->isVisible());
    EXPECT_EQ(controller->window()->frame().origin, (CGPoint{0, 0})) << "not yet";
    drain();
    EXPECT_EQ(controller->window()->frame(), (CGRect{520, 312.5, 400, 300}));
    controller->window()->close();
}

}  // namespace


namespace {

class Panel : public Orrindle::XiblessView {
public:
    void setupView() override {
        sawConstraintsOff = !translatesAutoresizingMaskIntoConstraints();
        addSubview(Orrindle::autolayoutable<AppKit::NSView>());
    }
    bool sawConstraintsOff = false;
};

class PanelController : public Orrindle::XiblessVC<Panel> {};

TEST(XiblessViews, AreBuiltInCodeForAutoLayout) {
    auto controller = Runtime::make<PanelController>();
    auto panel = controller->contentView();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->sawConstraintsOff) << "set up after the switch to constraints";
    EXPECT_EQ(panel->frame(), (AppKit::CGRect{}));
    ASSERT_EQ(panel->subviews().size(), 1u);
    EXPECT_FALSE(panel->subviews()[0]->translatesAutoresizingMaskIntoConstraints());
    auto plain = Runtime::make<AppKit::NSView>(AppKit::CGRect{0, 0, 5, 5});
    EXPECT_FALSE(Orrindle::autolayoutable(plain)->translatesAutoresizingMaskIntoConstraints());
}

}  // namespace
