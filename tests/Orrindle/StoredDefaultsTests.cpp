#include <gtest/gtest.h>

#include "AppKit/NSCursor.hpp"
#include "Orrindle/Buttons/CursorButton.hpp"
#include "Orrindle/Buttons/DarkHighlightButton.hpp"
#include "Orrindle/Buttons/StyledCheckBoxCell.hpp"
#include "Orrindle/Buttons/TessikPushButtonCell.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"
#include "Orrindle/Views/NoDividerSplitView.hpp"

namespace {

using namespace Orrindle;

// What a new instance of each kit type starts with, whatever initializer made it.
TEST(StoredDefaults, NewControlsStartFromTheDeclaredValues) {
    EXPECT_EQ(TessikPushButtonCell::titleEdgeInsets, (AppKit::NSEdgeInsets{4, 0, 6, 0}));
    EXPECT_EQ(TessikPushButtonCell::edgeInsets, (AppKit::NSEdgeInsets{3, 4, 5, 4}));
    EXPECT_EQ(StyledCheckBoxCell::xOffset, -2.0);

    for (auto button : {Runtime::make<CursorButton>(AppKit::CGRect{}), Runtime::make<CursorButton>(AppKit::CGRect{0, 0, 20, 20})}) {
        EXPECT_EQ(button->cursorHotSpot(), (AppKit::CGPoint{3, 4}));
        EXPECT_EQ(button->cursorImage(), nullptr) << "no \"cursor-cycle\" among the application's images";
    }
    EXPECT_EQ(Runtime::make<DarkHighlightButton>(AppKit::CGRect{})->customCursor(), AppKit::NSCursor::arrow());

    auto slider = Runtime::make<TrackingSlider>(AppKit::CGRect{0, 0, 80, 16}), other = Runtime::make<TrackingSlider>();
    EXPECT_EQ(slider->incrementBy(), 0.01);
    EXPECT_EQ(slider->minimumValue(), 0);
    EXPECT_EQ(slider->maximumValue(), 1.0);
    EXPECT_EQ(slider->doubleValue(), 0);
    ASSERT_NE(slider->cursor(), nullptr);
    EXPECT_EQ(slider->cursor()->hotSpot(), (AppKit::CGPoint{3, 4}));
    ASSERT_NE(slider->cursor()->image(), nullptr);
    EXPECT_EQ(slider->cursor()->image()->name(), "cursor-trackingslider");
    EXPECT_NE(slider->cursor(), other->cursor()) << "a cursor of its own per slider";
    EXPECT_EQ(slider->onSlideStarted, nullptr);
    EXPECT_EQ(slider->onSlideComplete, nullptr);

    EXPECT_EQ(Runtime::make<NoDividerSplitView>()->dividerThickness(), 0);
}

}  // namespace
