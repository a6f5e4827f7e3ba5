#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include <cstdlib>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "GalleryView.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

class GalleryWindow : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        GalleryView::clear();
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }
};

TEST_F(GalleryWindow, ShowsInARealWindow) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    GalleryView::installPictures();
    auto window = AppKit::NSWindow::make({0, 0, GalleryView::size.width, GalleryView::size.height});
    window->setTitle("SwiftUI gallery");
    window->setContentViewController(SwiftUI::NSHostingController::make(GalleryView::make()));
    window->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    auto shown = sdl->readBack(*window);
    auto drawn = window->snapshot();
    ASSERT_TRUE(shown);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    EXPECT_EQ(shown->pixel(3, 3), drawn->pixel(3, 3));
    window->close();
}

}  // namespace
