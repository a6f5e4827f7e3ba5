#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include <cstdlib>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "TessikShaders/MetalShaderViewController.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"

namespace {

using namespace TessikShaders;

class ShaderWindow : public ShaderTest::ShaderTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        ShaderTest::ShaderTest::TearDown();
    }
};

// The header in a real SDL2 window: it shows what the view draws, moves from frame to frame,
// and stands still while another window is key.
TEST_F(ShaderWindow, AnimatesWhileKeyAndStopsWhenAnotherWindowTakesKey) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    auto container = Runtime::make<AppKit::NSView>();
    container->setFrame({0, 0, 400, 300});
    auto controller = MetalShaderViewController::make(container, "Main", "audioWaveformVertexShader",
                                                      "audioWaveformFragmentShader");
    auto window = AppKit::NSWindow::make({100, 100, 400, 300});
    window->setTitle("Shader header");
    window->setContentViewController(controller);
    window->makeKeyAndOrderFront();
    auto show = [&](double seconds) { return TestSupport::shownAfter(*sdl, *window, seconds); };
    auto first = show(0.5);
    ASSERT_TRUE(first);
    auto drawn = window->snapshot();
    for (auto [x, y] : {std::pair{5, 5}, std::pair{200, 150}, std::pair{350, 140}}) EXPECT_EQ(first->pixel(x, y), drawn->pixel(x, y));
    auto later = show(0.5);
    EXPECT_FALSE(*first == *later) << "the header should move";

    auto other = AppKit::NSWindow::make({600, 100, 200, 100});
    other->setTitle("Another window");
    other->makeKeyAndOrderFront();
    auto paused = show(0.1);
    auto stillPaused = show(1.0);
    EXPECT_TRUE(*paused == *stillPaused) << "the header should stand still";
    EXPECT_TRUE(controller->metalKitView()->isPaused());

    window->makeKeyWindow();
    auto resumed = show(0.5);
    EXPECT_FALSE(*resumed == *stillPaused);
    other->close();
    window->close();
}

}  // namespace
