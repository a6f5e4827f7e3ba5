#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "TestSupport/MainLoop.hpp"
#include "ViewGallery.hpp"

namespace {

using namespace OrrindleTest;
using ViewSheet = TestSupport::VirtualTimeTest;

// build/snapshots/orrindle-views.png: the segmented control, sliders, image and split views,
// the outline and an open text popover, in their states.
TEST_F(ViewSheet, ShowsEveryViewInItsStatesWithAnOpenPopover) {
    ViewGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    gallery.openPopover();
    ASSERT_TRUE(gallery.popover->popover()->isShown());
    CoreGraphics::CGContext ctx(gallery.size, false, 2);
    gallery.drawSheet(ctx);
    const auto names = ctx.displayList().imageNames();
    for (const char* name : {"kvu-window-tab", "kvu-window-tab-selected", "kvu-window-tab-down", "kvu-slider-alley", "kvu-slider",
                             "kvu-slider-handle", "kvu-slider-handle-down", "organiser-icon-disclose", "organiser-icon-disclose-open",
                             "kvu-customslider-handle", "kvu-searchfield", "kvu-textfield", "NSStopProgressFreestandingTemplate"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    for (std::size_t i = 0; i < gallery.samples.size(); ++i)
        for (std::size_t j = i + 1; j < gallery.samples.size(); ++j)
            EXPECT_FALSE(gallery.samples[i].view->frame().intersects(gallery.samples[j].view->frame()))
                << gallery.samples[i].caption << " and " << gallery.samples[j].caption;
    // The popover's message is drawn whole.
    bool message = false;
    for (auto* t : ctx.displayList().all<CoreGraphics::Op::Text>()) message |= t->text.string() == "Must be between 20 and 300";
    EXPECT_TRUE(message);

    // The outline's disclosure triangles on their rows' text, and the first row's text clear of
    // the outline's top edge.
    const auto& list = ctx.displayList();
    // The middle of the drawn line of text (y up): the text runs down from the top of its box.
    auto drawnText = [&](const std::string& text) -> std::optional<CGRect> {
        for (auto* t : list.all<CoreGraphics::Op::Text>())
            if (t->text.string() == text) {
                const CGRect box = t->state.transform.apply(t->box);
                const CGFloat height = CoreGraphics::TextLayout::size(t->text, t->box.width()).height * std::abs(t->state.transform.d);
                return CGRect{box.minX(), box.maxY() - height, box.width(), height};
            }
        return std::nullopt;
    };
    std::vector<CGRect> triangles;
    for (auto* i : list.all<CoreGraphics::Op::Image>())
        if (i->name.rfind("organiser-icon-disclose", 0) == 0) triangles.push_back(i->state.transform.apply(i->destination));
    ASSERT_EQ(triangles.size(), 2u) << "Factory and Mine";
    for (const char* name : {"Factory", "Mine"}) {
        const auto text = drawnText(name);
        ASSERT_TRUE(text) << name;
        const auto triangle = std::find_if(triangles.begin(), triangles.end(), [&](const CGRect& t) {
            return std::abs(t.midY() - text->midY()) < 10;  // within its row
        });
        ASSERT_NE(triangle, triangles.end()) << name;
        EXPECT_NEAR(triangle->midY(), text->midY(), 1.0) << name << ": the triangle centred on the text";
    }
    CGFloat firstTextTop = 1e9;
    for (const auto& v : gallery.outline->subviews())
        if (auto cell = std::dynamic_pointer_cast<AppKit::NSTableCellView>(v); cell && cell->textField())
            firstTextTop = std::min(firstTextTop, gallery.outline->convert(cell->textField()->bounds(), cell->textField().get()).minY());
    EXPECT_GE(firstTextTop, 2) << "the first row's text keeps off the top edge";

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-views.png", &error)) << error;
    gallery.popover->close();
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
