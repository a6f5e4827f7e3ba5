#include <gtest/gtest.h>

#include <functional>

#include "AppKit/NSCursor.hpp"
#include "AppKit/NSTableView.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Buttons/CursorButton.hpp"
#include "Orrindle/Buttons/DarkHighlightButton.hpp"
#include "Orrindle/Buttons/StyledCheckBoxCell.hpp"
#include "Orrindle/Buttons/TessikPushButtonCell.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"
#include "Orrindle/Tables/StyledTableRowView.hpp"
#include "Orrindle/Views/NoDividerSplitView.hpp"

namespace {

using namespace Orrindle;

// What a new instance of each kit type starts with, whatever initializer made it.
TEST(StoredDefaults, NewControlsStartFromTheDeclaredValues) {
    auto push = Runtime::make<TessikPushButtonCell>();
    EXPECT_EQ(push->titleEdgeInsets(), (AppKit::NSEdgeInsets{4, 0, 6, 0}));
    EXPECT_EQ(push->edgeInsets(), (AppKit::NSEdgeInsets{3, 4, 5, 4}));
    EXPECT_EQ(Runtime::make<StyledCheckBoxCell>()->xOffset(), -2.0);
    EXPECT_EQ(Runtime::make<StyledTableRowView>()->selectionCornerRadius(), 3.0);

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

// The insets and offsets a user sets on one control reach its drawing and leave every other
// control at the default.
TEST(StoredDefaults, InsetsOffsetsAndRadiiAreSetPerInstance) {
    using AppKit::CGRect;
    namespace Op = CoreGraphics::Op;
    // What a view draws in its own coordinates (a flipped context, as its window gives it).
    auto drawing = [](const std::function<void()>& draw) {
        CoreGraphics::CGContext ctx({200, 60}, true);
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        draw();
        return ctx.takeDisplayList();
    };
    const CGRect frame{0, 0, 100, 30};

    auto pushBezel = [&](TessikPushButtonCell& cell) {
        auto view = Runtime::make<AppKit::NSView>(frame);
        return drawing([&] { cell.drawBezel(frame, *view); }).all<Op::Image>().at(0)->destination;
    };
    auto changed = Runtime::make<TessikPushButtonCell>(), plain = Runtime::make<TessikPushButtonCell>();
    changed->setEdgeInsets({0, 10, 0, 10});
    changed->setTitleEdgeInsets({});
    EXPECT_EQ(pushBezel(*changed), (CGRect{10, 0, 80, 30}));
    EXPECT_EQ(pushBezel(*plain), (CGRect{4, 5, 92, 22}));
    EXPECT_EQ(changed->titleRect(frame), changed->AppKit::NSButtonCell::titleRect(frame));
    EXPECT_NE(plain->titleRect(frame), plain->AppKit::NSButtonCell::titleRect(frame));

    auto shifted = Runtime::make<StyledCheckBoxCell>(), box = Runtime::make<StyledCheckBoxCell>();
    shifted->setXOffset(3);
    EXPECT_EQ(shifted->imageRect(frame).minX(), 3);
    EXPECT_EQ(box->imageRect(frame).minX(), -2);

    auto table = Runtime::make<AppKit::NSTableView>(CGRect{0, 0, 200, 150});
    auto rounder = Runtime::make<StyledTableRowView>(CGRect{0, 0, 200, 22}), row = Runtime::make<StyledTableRowView>(CGRect{0, 22, 200, 22});
    for (auto& r : {rounder, row}) {
        table->addSubview(r);
        r->setSelected(true);
    }
    rounder->setSelectionCornerRadius(6);
    auto radii = [&](StyledTableRowView& r) {
        return drawing([&] { r.drawSelection(r.bounds()); }).all<Op::Fill>().at(0)->path.shapes().at(0).radii;
    };
    EXPECT_EQ(radii(*rounder), CoreGraphics::CornerRadii::all(6));
    EXPECT_EQ(radii(*row), CoreGraphics::CornerRadii::all(3));
}

}  // namespace
