#include <gtest/gtest.h>

#include <filesystem>

#include "CoreGraphics/ImageAsset.hpp"
#include "Pellicot/ChaosButton.hpp"
#include "Pellicot/ChaosDial.hpp"
#include "Pellicot/ChaosToggleButton.hpp"
#include "Pellicot/ChaosToggleButtonNarrow.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/DefaultLabelFormatter.hpp"
#include "Pellicot/ImageButton.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"
#include "Pellicot/LeftRightArrowButton.hpp"
#include "Pellicot/MediumDial.hpp"
#include "Pellicot/ModeToggleButton.hpp"
#include "Pellicot/ModernButtonStyle.hpp"
#include "Pellicot/ParameterHoldButton.hpp"
#include "Pellicot/PluginHeaderView.hpp"
#include "Pellicot/SettingsButtonStyle.hpp"
#include "Pellicot/TinyDial.hpp"
#include "Pellicot/ToggleButton.hpp"
#include "Pellicot/UpdateButtonStyle.hpp"
#include "KitTestSupport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;
using namespace SwiftUI;

constexpr CGFloat scale = 2;

// The kit's controls side by side: every dial at its lower bound, middle and upper bound,
// every button in each of its states, the header with and without an update notice.
class KitGallery : public TestSupport::VirtualTimeTest {
protected:
    // A control held pressed, drawn in a graph of its own (one press at a time per graph).
    AnyView pressed(AnyView control, CGSize size) {
        ViewGraph g(std::move(control), size);
        g.update();
        g.mouseDown({2, 2});
        drain();
        auto picture = g.snapshot(scale);
        g.mouseUp({2, 2});
        drain();
        return AnyView(Image(CoreGraphics::ImageAsset::fromBitmap("pressed", picture, scale)));
    }

    static AnyView caption(const std::string& text) {
        return pelliFont(Text(text), PelliFont::dosisLight, 12).foregroundColor(Color(0.62, 0.65, 0.7));
    }

    static std::shared_ptr<AudioParameter> at(std::shared_ptr<AudioParameter> p, float position) {
        p->setValue(p->denormalise(position), ParameterEditor::parameterObserver, ParameterEditorState::change);
        return p;
    }

    AnyView dials() {
        const LabelDisplayOptions options(Color(0.93, 0.94, 0.96), 14, 16, 16, true, true, 60);
        auto cell = [](AnyView dial) { return dial.frame(80, 150); };
        auto row = [&](auto make) {
            ViewList cells;
            for (float position : {0.0f, 0.5f, 1.0f}) cells.push_back(cell(make(position)));
            return AnyView(HStack(VerticalAlignment::center, 0, cells));
        };
        auto chaos = row([&](float x) {
            return AnyView(ChaosDial(at(parameter(Unit::percent, 0, 100, 0, ValueIncrement::linear(), std::nullopt, "Chaos"), x),
                                     ModernDialColor::grey, options));
        });
        auto medium = [&](SmallDialColor color, std::string name, Unit unit, float lo, float hi) {
            return row([=, &options](float x) {
                auto p = at(parameter(unit, lo, hi, lo, ValueIncrement::linear(), std::nullopt, name), x);
                return AnyView(MediumDial(p, color, options,
                                          unit == Unit::indexed ? std::make_shared<DefaultLabelFormatter>(*p, 0) : nullptr));
            });
        };
        auto tiny = row([&](float x) {
            return AnyView(TinyDial(at(parameter(Unit::milliseconds, 0, 50, 0, ValueIncrement::linear(), std::nullopt, "Step 1"), x),
                                    LabelDisplayOptions(Color(0.85, 0.87, 0.9), 10, 12, 12, false, false, 30)));
        });
        return AnyView(VStack(HorizontalAlignment::leading, 4,
                              {caption("DIALS: LOWER BOUND, MIDDLE, UPPER BOUND"),
                               HStack(VerticalAlignment::center, 12, {chaos, medium(SmallDialColor::blue, "Delay", Unit::milliseconds, 0, 50)}),
                               HStack(VerticalAlignment::center, 12,
                                      {medium(SmallDialColor::yellow, "1/8 Swing", Unit::percent, 50, 75),
                                       medium(SmallDialColor::red, "Random", Unit::milliseconds, 0, 50)}),
                               HStack(VerticalAlignment::center, 12,
                                      {medium(SmallDialColor::purple, "Seed", Unit::indexed, 0, 999), tiny})}));
    }

    // Off, on, off pressed, on pressed.
    AnyView fourStates(const std::function<AnyView(float value)>& make, CGSize size, float off = 0, float on = 1) {
        return AnyView(HStack(VerticalAlignment::center, 6,
                              {make(off), make(on), pressed(make(off), size), pressed(make(on), size)}));
    }

    AnyView buttons() {
        auto modeParam = [](float v) {
            return parameter(Unit::indexed, 0, 2, v, ValueIncrement::linear(), std::vector<std::string>{"Soft", "Hard", "Wild"}, "Mode");
        };
        auto flag = [](float v) { return parameter(Unit::boolean, 0, 1, v, ValueIncrement::linear(), std::nullopt, "Chaos"); };
        const Color lit(1, 0.79, 0.24);
        auto chaosToggles = fourStates([&](float v) { return AnyView(ChaosToggleButton(modeParam(v), 1, ChaosButtonColor::yellow)); },
                                       {48, 56}, 0, 1);
        auto narrow = fourStates([&](float v) { return AnyView(ChaosToggleButtonNarrow(flag(v), std::string("X"))); }, {24, 62});
        auto arrows = fourStates([&](float v) { return AnyView(LeftRightArrowButton(flag(v), 0)); }, {28, 34});
        auto chaosButton = AnyView(HStack(VerticalAlignment::center, 6,
                                          {AnyView(ChaosButton("GO", ChaosButtonColor::yellow)),
                                           pressed(ChaosButton("GO", ChaosButtonColor::yellow), {48, 56})}));
        auto imageButton = [&] {
            return AnyView(ImageButton(Image(KitImage::chaosButtonSmallYellowRight()), Image(KitImage::chaosButtonSmallYellowRightDown())));
        };
        auto hold = [&](float v) {
            return AnyView(ParameterHoldButton(flag(v), KitImage::chaosButtonYellow(), KitImage::chaosButtonYellowDown()));
        };
        auto modern = fourStates([&](float v) { return AnyView(ModeToggleButton(modeParam(v), 1, lit, ToggleButtonStyle::modern, 12)); },
                                 {88, 27});
        auto retro = fourStates([&](float v) { return AnyView(ModeToggleButton(modeParam(v), 1, lit, ToggleButtonStyle::retro, 12)); },
                                {88, 27});
        auto toggles = fourStates([&](float v) { return AnyView(ToggleButton(flag(v), lit, std::nullopt, 12)); }, {88, 27});

        auto label = [](const std::string& s) { return rocketFont(Text(s), 12); };
        auto modernStyles = AnyView(HStack(VerticalAlignment::center, 6,
                                     {ModernButtonStyle(false, lit).makeBody({label("OFF"), false}),
                                      ModernButtonStyle(true, lit).makeBody({label("ON"), false}),
                                      ModernButtonStyle(false, lit).makeBody({label("OFF"), true}),
                                      ModernButtonStyle(true, lit).makeBody({label("ON"), true})}));
        auto styles = AnyView(HStack(VerticalAlignment::center, 12,
                                     {SettingsButtonStyle(PelliFont::rocket).makeBody({label("SETTINGS"), false}),
                                      SettingsButtonStyle(PelliFont::rocket).makeBody({label("SETTINGS"), true}),
                                      UpdateButtonStyle().makeBody({AnyView(Text(std::string("2.0 AVAILABLE"))), false}),
                                      UpdateButtonStyle().makeBody({AnyView(Text(std::string("2.0 AVAILABLE"))), true})}));

        return AnyView(VStack(HorizontalAlignment::leading, 8,
                              {caption("BUTTONS: OFF, ON, OFF PRESSED, ON PRESSED"),
                               HStack(VerticalAlignment::center, 22, {chaosToggles, narrow, arrows}),
                               HStack(VerticalAlignment::center, 22,
                                      {chaosButton, HStack(VerticalAlignment::center, 6, {imageButton(), pressed(imageButton(), {28, 34})}),
                                       HStack(VerticalAlignment::center, 6, {hold(0), hold(1)})}),
                               modern,
                               retro,
                               toggles,
                               caption("BUTTON STYLES: MODERN, SETTINGS, UPDATE"),
                               modernStyles,
                               styles}));
    }

    AnyView headers() {
        auto url = *Foundation::URL::fromString("vantrelzellow://openAndUpdate");
        auto tabs = parameter(Unit::indexed, 0, 2, 1, ValueIncrement::linear(), std::vector<std::string>{"Main", "Steps", "Swing"}, "Tab");
        auto menu = [] { return rocketFont(Text(std::string("PRESETS")), 13).foregroundColor(Color(0.85, 0.86, 0.9)).padding(Edges::leading(), 12); };
        return AnyView(VStack(HorizontalAlignment::leading, 8,
                              {caption("HEADER"),
                               AnyView(PluginHeaderView(url, "1.0.3", AudioParameter::dummyParam(), PelliFont::rocket, std::nullopt, menu))
                                   .frame(640, 46),
                               AnyView(PluginHeaderView(url, "1.0.3", tabs, PelliFont::rocket, UpdateAvailableDetails{"1.2.0"}, menu))
                                   .frame(640, 46)}));
    }
};

TEST_F(KitGallery, RendersTheKitToAPicture) {
    const CGSize size{680, 1040};
    auto content = AnyView(VStack(HorizontalAlignment::leading, 18, {dials(), buttons(), headers()}))
                       .padding(20)
                       .frame(size.width, size.height, Alignment::topLeading())
                       .background(Color(KitColor::background()), Edges::all());
    drain();
    ViewGraph g(content, size);
    g.update();
    auto& tree = g.renderTree();
    for (const char* name : {"knobs/chaos-dial-grey_01", "knobs/chaos-dial-grey_26", "knobs/chaos-dial-grey_51",
                             "knobs/dial-medium-blue-26", "knobs/dial-medium-yellow-51", "knobs/dial-medium-red-01",
                             "knobs/dial-medium-purple-26", "knobs/dial-small-grey-51", "modern-button-on", "retro-button",
                             "quorvane-logo"})
        EXPECT_NE(tree.findImage(name), nullptr) << name;
    EXPECT_NE(tree.findText("1.2.0 AVAILABLE"), nullptr);
    EXPECT_NE(tree.findText("1.0.3"), nullptr);

    auto image = g.snapshot(scale);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), int(size.width * scale));
    auto* knob = tree.findImage("knobs/dial-medium-blue-51");
    ASSERT_NE(knob, nullptr);
    auto c = knob->frame.center();
    EXPECT_NE(image->pixel(int(c.x * scale), int(c.y * scale)), image->pixel(4, 4)) << "the knob was drawn";

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    EXPECT_TRUE(image->writePNG(dir + "/pellicot-kit-gallery.png", &error)) << error;
}

}  // namespace
