#include <gtest/gtest.h>

#include <filesystem>

#include "GalleryView.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

using Gallery_ = TestSupport::VirtualTimeTest;

TEST_F(Gallery_, RendersToAPicture) {
    GalleryView::installPictures();
    ViewGraph g(GalleryView::make(), GalleryView::size);
    auto& tree = g.renderTree();
    ASSERT_NE(tree.findImage("gallery-knob"), nullptr);
    EXPECT_EQ(tree.findImage("gallery-knob")->frame.size, (CGSize{40, 40}));
    auto image = g.snapshot(2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 840);
    auto bg = image->pixel(2, 2);
    EXPECT_NEAR(bg.r, 0.12, 0.01);
    EXPECT_NEAR(bg.b, 0.15, 0.01);
    auto knobCentre = tree.findImage("gallery-knob")->frame.center();
    EXPECT_NE(image->pixel(int(knobCentre.x * 2), int(knobCentre.y * 2)), bg) << "the knob was drawn";

    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    std::string error;
    EXPECT_TRUE(image->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/swiftui-gallery.png", &error)) << error;
    GalleryView::clear();
}

}  // namespace
