#include "Vantrel_Zellow_Extension/Editor/MainView.hpp"

#include <algorithm>
#include <cmath>

#include "Foundation/Locale.hpp"
#include "Foundation/Strings.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/MediumDial.hpp"
#include "Pellicot/PluginHeaderView.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/GeometryReader.hpp"
#include "SwiftUI/Grid.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorAssets.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorLinks.hpp"
#include "Vantrel_Zellow_Extension/Editor/RestoreMainResponder.hpp"
#include "Vantrel_Zellow_Extension/Editor/StepControls.hpp"
#include "Vantrel_Zellow_Extension/Editor/VantrelButtonStyle.hpp"

namespace Vantrel_Zellow_Extension {

using namespace SwiftUI;
using Pellicot::PelliFont;

namespace {

std::function<void()> restoring(const std::shared_ptr<Settings>& settings) {
    return [owner = std::weak_ptr<Settings>(settings)] {
        if (auto s = owner.lock()) restoreMainResponder(*s);
    };
}

AnyView dial(const std::shared_ptr<Settings>& settings, const Settings::Parameter& param, Pellicot::SmallDialColor color,
             bool showSuffix) {
    return AnyView(Pellicot::MediumDial(param, color,
                                        Pellicot::LabelDisplayOptions(Color(EditorColor::values()), 14, 16, 16, showSuffix, true, 60),
                                        nullptr, restoring(settings)));
}

AnyView group(std::optional<CGFloat> spacing, CGFloat width, ViewList dials) {
    AnyView::FrameSpec frame;
    frame.width = width;
    return AnyView(HStack(VerticalAlignment::center, spacing, std::move(dials))).frame(frame);
}

}  // namespace

CGFloat MainView::scale(CGSize size) { return std::min(size.width / width, size.height / height); }

void MainView::applyPreset(const ParameterPreset& preset) const { actions().applyPreset(preset); }
void MainView::resetStepPattern() const { actions().resetStepPattern(); }
void MainView::resetStepsToDefaults() const { actions().resetStepsToDefaults(); }

AnyView MainView::body() const {
    const MainView self = *this;
    // Centred where the window's proportions differ, as the application shows its own content.
    return AnyView(GeometryReader([self](const GeometryProxy& proxy) {
               return self.content().frame(width, height).scaleEffect(scale(proxy.size)).frame(proxy.size.width, proxy.size.height);
           }))
        .background(Color(EditorColor::background()), Edges::all());
}

AnyView MainView::content() const {
    const auto& s = settings.get();
    const MainView self = *this;
    auto header = AnyView(Pellicot::PluginHeaderView(EditorLinks::openAndUpdateURL(), s->pluginVersion(), fakeTabParam.get(),
                                                     PelliFont::rocket, s->updateDetails(), [self] { return self.presetMenu(); }));
    auto panel = AnyView(ZStack(Alignment::topLeading(),
                                {AnyView(Image(EditorImage::background())),
                                 AnyView(VStack(HorizontalAlignment::leading, std::nullopt, {dialRow(), stepGrid()}))
                                     .padding(Edges::leading(), 16)
                                     .padding(Edges::trailing(), 16)}));
    return AnyView(VStack(HorizontalAlignment::center, 0, {header, panel}));
}

AnyView MainView::presetMenu() const {
    const MainView self = *this;
    ViewList items;
    const auto& presets = ParameterPreset::factoryPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (i == 1 || i == 3) items.push_back(AnyView(Divider()));
        const ParameterPreset* preset = &presets[i];  // the table lives for the process
        items.push_back(AnyView(Button(preset->name, [self, preset] { self.applyPreset(*preset); })));
    }
    items.push_back(AnyView(Divider()));
    items.push_back(AnyView(Button("More Quorvane Plugins…", [] { EditorLinks::openMorePlugins(); })));
    return AnyView(Menu(std::move(items), AnyView(Image(EditorImage::buttonPreset()))))
        .menuStyle(MenuStyle::borderlessButton)
        .menuIndicator(MenuIndicatorVisibility::hidden)
        .fixedSize();
}

AnyView MainView::dialRow() const {
    using Pellicot::SmallDialColor;
    const auto& s = settings.get();
    AnyView::FrameSpec frame;
    frame.height = 150;
    return AnyView(HStack(VerticalAlignment::center, 6,
                          {group(std::nullopt, 98, {dial(s, s->delay, SmallDialColor::blue, true)}),
                           group(33, 198, {dial(s, s->randomness, SmallDialColor::yellow, true), dial(s, s->seed, SmallDialColor::yellow, true)})
                               .offset(-1, 0),
                           group(33, 300,
                                 {dial(s, s->swingOneFour, SmallDialColor::red, false), dial(s, s->swingOneEight, SmallDialColor::red, false),
                                  dial(s, s->swingOneSixteen, SmallDialColor::red, false)})}))
        .frame(frame);
}

AnyView MainView::stepGrid() const {
    const auto& s = settings.get();
    const MainView self = *this;
    const std::weak_ptr<Settings> owner = s;

    auto reset = AnyView(Button([self] { self.resetStepPattern(); }, AnyView(Text("RESET"))))
                     .buttonStyle(VantrelButtonStyle())
                     .offset(-2, 0)
                     .gridCellColumns(3);
    auto heading = Pellicot::pelliFont(Text("DELAY AND VELOCITY"), PelliFont::rocket, 14)
                       .foregroundColor(Color(EditorColor::labels()))
                       .gridCellColumns(10);

    ViewList counts;
    for (int n = 1; n <= 16; ++n)
        counts.push_back(AnyView(Button(stepCountLabel(n), [state = stepCount, n] { state = n; })).id(n));
    // The label only gives the menu its click area over the bezel: in the button's face, so it
    // is as wide as the bezel and no wider. The text renderer draws even clear text, so opacity
    // hides it (and keeps the click area).
    auto countMenu = AnyView(Menu(std::move(counts), Pellicot::pelliFont(Text("Wide Enough Now"), PelliFont::rocket, 12)
                                                         .foregroundColor(Color::clear())
                                                         .opacity(0)))
                         .menuStyle(MenuStyle::borderlessButton)
                         .menuIndicator(MenuIndicatorVisibility::hidden);
    auto count = AnyView(ZStack(Alignment::center(),
                                {AnyView(Image(EditorImage::button())),
                                 Pellicot::pelliFont(Text(Foundation::uppercased(stepCountLabel(stepCount.get()), Foundation::Locale::current())),
                                                     PelliFont::rocket, 12)
                                     .foregroundColor(Color(EditorColor::values()))
                                     .offset(0, 1),
                                 countMenu}))
                     .offset(2, 0)
                     .gridCellColumns(3);

    ViewList indicators, dials, sliders;
    for (int k = 1; k <= 16; ++k) {
        const auto index = static_cast<std::size_t>(k - 1);
        indicators.push_back(AnyView(StepIndicator(k - 1)));
        dials.push_back(AnyView(StepDial(s->steps[index], k)));
        sliders.push_back(AnyView(StepSlider(s->stepVelocities[index], k)));
    }
    AnyView::FrameSpec noHeight, dialHeight;
    noHeight.height = 0;
    dialHeight.height = 104;

    return AnyView(Grid(Alignment::center(), 2, 0,
                        {AnyView(GridRow({reset, heading, count})),
                         AnyView(GridRow(std::move(indicators))).frame(noHeight).offset(0, 22),
                         AnyView(GridRow(std::move(dials))).frame(dialHeight), AnyView(GridRow(std::move(sliders)))}))
        .padding(Edges::top(), 5)
        .padding(Edges::leading(), 17)
        .padding(Edges::trailing(), 13)
        // A count the menu chose goes to the parameter. A count that came from the parameter is
        // already there (a host's 3.7 shows as 3 and must not come back as a user's 3).
        .onChange(stepCount.get(), false,
                  [owner](int n) {
                      auto settings = owner.lock();
                      if (!settings || playedStepCount(settings->stepCount->value()) == n) return;
                      settings->stepCount->setValue(static_cast<float>(n), Pellicot::ParameterEditor::ui,
                                                    Pellicot::ParameterEditorState::change);
                  })
        .onChange(s->stepCount->value(), true, [state = stepCount](float value) {
            // A value that is no number keeps the count shown.
            if (std::isfinite(value)) state = playedStepCount(value);
        });
}

}  // namespace Vantrel_Zellow_Extension
