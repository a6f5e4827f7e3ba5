#pragma once
#include <memory>
#include <string>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"
#include "Orrindle/Settings/PobbleSegmentedControl.hpp"
#include "Orrindle/Settings/PobbleSettings.hpp"
#include "Orrindle/Settings/PobbleSettingsDivider.hpp"
#include "Orrindle/Settings/PobbleSettingsSection.hpp"
#include "Orrindle/Settings/PobbleSlider.hpp"
#include "Orrindle/Settings/SheetWindow.hpp"
#include "Orrindle/SwiftUI/QuorvaneButtonStyle.hpp"
#include "SheetDrawing.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace OrrindleTest {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// A settings form of the kit's SwiftUI components in a sheet on a parent window: two segmented
// controls, a divider, and sliders with icons (one over objects whose values differ). The
// picture sheet draws the two windows as they stand; the real-window test drags and clicks in
// the sheet.
class SettingsGallery {
public:
    static constexpr CGSize parentSize{840, 500};
    static constexpr CGFloat titleBar = 28, sliderWidth = 300, labelWidth = 110, settingsWidth = 520;

    // The application's appearance is dark while the gallery lives, as the application's is.
    SettingsGallery() {
        using namespace Orrindle;
        using namespace SwiftUI;
        AppKit::NSApplication::shared().setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        using Item = PobbleSegmentItem;
        feel = PobbleSegmentedControlModel::make({Item::make(1, "Straight"), Item::make(2, "Swung"), Item::make(3, "Shuffled")});
        feel->select(2);
        timing = PobbleSegmentedControlModel::make({Item::make(1, "Pushed"), Item::make(2, "On beat"), Item::make(3, "Behind")});
        timing->select(2);
        delay = PobbleSliderModel::make({20}, 0, 0, 50, 5, SliderIconClickBehaviour::increment);
        velocity = PobbleSliderModel::make({70}, 100, 0, 100, 10, SliderIconClickBehaviour::maxMin);
        spread = PobbleSliderModel::make({10, 35, 80}, 0, 0, 100, 10, SliderIconClickBehaviour::increment);

        const auto slider = [](const std::shared_ptr<PobbleSliderModel>& model, const std::string& id) {
            return AnyView(PobbleSlider(model, dot("less", 2.5), dot("more", 5))).frame({.width = sliderWidth}).accessibilityIdentifier(id);
        };
        auto f = feel, t = timing;
        auto d = delay, v = velocity, s = spread;
        // A form as wide as its rows with the room of its label column on the right as well, so
        // it stands in the middle of its sheet; the segmented controls at their own width, which a
        // stack with a spacer beside them would otherwise halve.
        auto settings = AnyView(Orrindle::PobbleSettings(labelWidth, settingsWidth, [=] {
            return AnyView(Group({
                AnyView(PobbleSettingsSection("Feel", [f] { return AnyView(PobbleSegmentedControl(f)).fixedSize().accessibilityIdentifier("feel"); })),
                AnyView(PobbleSettingsSection("Timing", [t] { return AnyView(PobbleSegmentedControl(t)).fixedSize().accessibilityIdentifier("timing"); })),
                AnyView(PobbleSettingsDivider()),
                AnyView(PobbleSettingsSection("Delay", [=] { return slider(d, "delay"); })),
                AnyView(PobbleSettingsSection("Velocity", [=] { return AnyView(Group({slider(v, "velocity"), slider(s, "spread")})); })),
            }));
        }));
        form = NSHostingView::make(settings);
        const CGSize size = form->fittingSize();
        form->setFrame({0, 0, size.width, size.height});
        sheet = SheetWindow::make(size);
        sheet->setBackgroundColor(ODColorsAK::Background::normal());
        sheet->setContentView(form);

        parentContent = NSHostingView::make(backdrop());
        parent = AppKit::NSWindow::make({0, 0, parentSize.width, parentSize.height});
        parent->setTitle("Vantrel Zellow");
        parent->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        parent->setBackgroundColor(ODColorsAK::Background::darker());
        parent->setContentView(parentContent);
    }

    ~SettingsGallery() { AppKit::NSApplication::shared().setAppearance(nullptr); }
    SettingsGallery(const SettingsGallery&) = delete;
    SettingsGallery& operator=(const SettingsGallery&) = delete;

    // The parent on screen with the sheet begun on it.
    void present() {
        parent->makeKeyAndOrderFront();
        parent->beginSheet(sheet);
    }

    CGSize pictureSize() const { return {parentSize.width, parentSize.height + titleBar}; }

    // The parent under its title bar and the sheet hanging from it, with a shadow, into `ctx`
    // (y up, of pictureSize()).
    void drawSheet(CoreGraphics::CGContext& ctx) {
        using CoreGraphics::CGColor;
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        const CGSize whole = pictureSize();
        ctx.setFillColor(Orrindle::ODColorsAK::Background::darkest()->cgColor());
        ctx.fill(CGRect{0, parentSize.height, whole.width, titleBar});
        ctx.drawText(CoreGraphics::AttributedText(parent->title(), CoreGraphics::Font::system(13, CoreGraphics::FontWeight::medium),
                                                  Orrindle::ODColorsAK::grey70()->cgColor(), {CoreGraphics::TextAlignment::center}),
                     {0, parentSize.height + 6, whole.width, 18});
        ctx.setFillColor(parent->backgroundColor()->cgColor());
        ctx.fill(CGRect{0, 0, parentSize.width, parentSize.height});
        drawWindowContent(ctx, *parent, *parentContent, parentSize.height);

        const CGRect content = parent->contentRect(parent->frame());
        const CGRect at = sheet->frame();
        const CGRect box{at.minX() - content.minX(), at.minY() - content.minY(), at.width(), at.height()};
        ctx.saveGState();
        ctx.beginTransparencyLayer(1, CoreGraphics::Shadow{{0, -4}, 16, CGColor::gray(0, 0.55)});
        ctx.setFillColor(sheet->backgroundColor()->cgColor());
        ctx.fill(box);
        ctx.translateBy(box.minX(), box.minY());
        drawWindowContent(ctx, *sheet, *form, box.height());
        ctx.endTransparencyLayer();
        ctx.setStrokeColor(Orrindle::ODColorsAK::Background::darkest()->cgColor());
        ctx.setLineWidth(1);
        ctx.stroke(box.insetBy(-0.5, -0.5));
        ctx.restoreGState();
    }

    std::shared_ptr<Orrindle::PobbleSegmentedControlModel> feel, timing;
    std::shared_ptr<Orrindle::PobbleSliderModel> delay, velocity, spread;
    AppKit::NSWindow::Ptr parent;
    std::shared_ptr<Orrindle::SheetWindow> sheet;
    std::shared_ptr<SwiftUI::NSHostingView> form, parentContent;

private:
    // A round icon, a template the slider tints white.
    static SwiftUI::Image dot(const std::string& name, CGFloat radius) {
        CoreGraphics::CGContext c({12, 12}, true, 2);
        c.setFillColor(CoreGraphics::CGColor::black());
        c.fill(CoreGraphics::CGPath::ellipse({6 - radius, 6 - radius, 2 * radius, 2 * radius}));
        return SwiftUI::Image(c.makeImageAsset(name, true));
    }

    // What the parent shows behind the sheet: a preset list and a button.
    static SwiftUI::AnyView backdrop() {
        using namespace SwiftUI;
        ViewList rows{AnyView(Text::verbatim("Presets")).font(Font::system(15, Font::Weight::semibold))};
        for (const char* name : {"Soft swing", "Hard swing", "Late night", "Drunk drummer", "Tight sixteenths", "Lazy eighths"})
            rows.push_back(AnyView(Text::verbatim(name)).foregroundColor(Color(*Orrindle::ODColorsAK::grey70())));
        rows.push_back(AnyView(Button(std::function<void()>([] {}), AnyView(Text::verbatim("Settings…")).frame({.width = 160})))
                           .buttonStyle(Orrindle::QuorvaneButtonStyle()));
        return AnyView(VStack(HorizontalAlignment::leading, 10, std::move(rows)))
            .padding(24)
            .frame({.maxWidth = infinity, .maxHeight = infinity, .alignment = Alignment::bottomLeading()});
    }
};

}  // namespace OrrindleTest
