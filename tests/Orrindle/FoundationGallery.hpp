#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "SheetDrawing.hpp"
#include "Orrindle/Extensions/ImageOperations.hpp"
#include "Orrindle/Extensions/RoundedPath.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"
#include "Orrindle/SwiftUI/DefaultTessikButtonStyle.hpp"
#include "Orrindle/SwiftUI/QuorvaneButtonStyle.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace OrrindleTest {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// The foundation's drawing pieces in one window: the SwiftUI button styles in their looks, the
// rounded path with a radius per corner, and template images tinted and faded. The picture
// sheet draws it and the real-window test clicks its buttons.
class FoundationGallery {
public:
    static constexpr CGSize size{600, 400};
    static constexpr CGFloat margin = 20, cell = 104, gap = 12;

    // `onHelp` and `onTessik` run when the live Quorvane and Tessik buttons are clicked.
    FoundationGallery(std::function<void()> onHelp, std::function<void()> onTessik) {
        container = Runtime::make<Flipped>(CGRect{0, 0, size.width, size.height});
        buildButtons(std::move(onHelp), std::move(onTessik));
        buildPaths();
        buildTints();
        window = AppKit::NSWindow::make({0, 0, size.width, size.height});
        window->setTitle("Orrindle foundation");
        window->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        window->setContentView(container);
    }

    // Draws the window's content into `ctx` (not flipped, of the gallery's size), as the window
    // shows its flipped content.
    void drawSheet(CoreGraphics::CGContext& ctx) {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        drawWindowContent(ctx, *window, *container, size.height);
    }

    // Where the live buttons sit, in the window's top-down points.
    CGRect helpFrame, tessikFrame;
    AppKit::NSWindow::Ptr window;

private:
    class Flipped : public AppKit::NSView {
        VZ_OBJECT(Flipped, AppKit::NSView)
    public:
        bool isFlipped() const override { return true; }
        std::vector<std::pair<std::string, CGRect>> titles, captions;
        // Shapes drawn straight onto the background: paths, then images at their frames.
        std::vector<std::pair<AppKit::NSBezierPath::Ptr, std::string>> paths;
        std::vector<std::pair<AppKit::NSImage::Ptr, CGRect>> images;
        void draw(CGRect) override {
            using namespace Orrindle;
            auto* ctx = CoreGraphics::CGContext::current();
            if (!ctx) return;
            ctx->setFillColor(ODColorsAK::Background::normal()->cgColor());
            ctx->fill(bounds());
            for (const auto& [text, box] : titles)
                ctx->drawText(CoreGraphics::AttributedText(text, CoreGraphics::Font::system(11, CoreGraphics::FontWeight::medium),
                                                           ODColorsAK::grey85()->cgColor()),
                              box);
            for (const auto& [text, box] : captions)
                ctx->drawText(CoreGraphics::AttributedText(text, CoreGraphics::Font::system(9), ODColorsAK::grey50()->cgColor(),
                                                           {CoreGraphics::TextAlignment::center}),
                              box);
            for (const auto& [path, colour] : paths) {
                ctx->setFillColor(ODColorsAK::Background::darkest()->cgColor());
                path->fill();
                ctx->setStrokeColor(colour == "blue" ? ODColorsAK::Tessik::blue()->cgColor() : ODColorsAK::grey70()->cgColor());
                path->setLineWidth(1.5);
                path->stroke();
            }
            for (const auto& [image, frame] : images)
                ctx->draw(image->asset(), frame, {}, CoreGraphics::CompositingOperation::sourceOver, 1, true);
        }

    protected:
        using AppKit::NSView::NSView;
    };

    Flipped& flipped() { return static_cast<Flipped&>(*container); }

    // The cell of column `i` in a row whose samples start at `top`.
    static CGRect column(int i, CGFloat top, CGFloat height) { return {margin + i * (cell + gap), top, cell, height}; }

    void caption(const std::string& text, const CGRect& above) {
        flipped().captions.push_back({text, {above.minX() - 10, above.maxY() + 6, above.width() + 20, 14}});
    }

    // As wide as the bezel, as the welcome window gives it.
    static constexpr CGFloat buttonWidth = 180;
    static CGRect buttonCell(int i, CGFloat top) { return {margin + i * (buttonWidth + 16), top, buttonWidth, 28}; }
    static SwiftUI::AnyView label(const std::string& text) {
        SwiftUI::AnyView::FrameSpec width;
        width.width = buttonWidth;
        return SwiftUI::AnyView(SwiftUI::Text(text)).frame(width);
    }

    void host(SwiftUI::AnyView view, const CGRect& frame, const std::string& text) {
        auto hosting = SwiftUI::NSHostingView::make(std::move(view));
        hosting->setFrame(frame);
        container->addSubview(hosting);
        caption(text, frame);
    }

    void buildButtons(std::function<void()> onHelp, std::function<void()> onTessik) {
        using namespace SwiftUI;
        const CGFloat top = 40;
        flipped().titles.push_back({"SwiftUI button styles", {margin, 14, 400, 16}});
        Orrindle::QuorvaneButtonStyle quorvane;
        Orrindle::DefaultTessikButtonStyle tessik;
        helpFrame = buttonCell(0, top);
        host(AnyView(Button(std::move(onHelp), label("Help"))).buttonStyle(quorvane), helpFrame, "Quorvane");
        host(quorvane.makeBody({label("Help"), true}), buttonCell(1, top), "Quorvane pressed");
        tessikFrame = buttonCell(0, top + 52);
        host(AnyView(Button(std::move(onTessik), label("Render"))).buttonStyle(tessik), tessikFrame, "Tessik");
        host(tessik.makeBody({label("Render"), true}), buttonCell(1, top + 52), "Tessik pressed");
        host(AnyView(Button(std::function<void()>([] {}), label("Render"))).buttonStyle(tessik).disabled(true),
             buttonCell(2, top + 52), "Tessik disabled");
    }

    void buildPaths() {
        const CGFloat top = 192;
        flipped().titles.push_back({"Rounded paths, a radius per corner", {margin, top - 26, 400, 16}});
        const struct {
            Orrindle::CornerRadii radii;
            const char* caption;
        } samples[] = {{{8, 8, 8, 8}, "8 all round"}, {{14, 0, 0, 14}, "leading 14"}, {{0, 14, 14, 0}, "trailing 14"},
                       {{16, 2, 16, 2}, "16 / 2 crossed"}, {{99, 99, 99, 99}, "99: clamped"}};
        int i = 0;
        for (const auto& s : samples) {
            const CGRect frame = column(i, top, 44);
            flipped().paths.push_back({Orrindle::roundedRectPath(frame.insetBy(6, 4), s.radii), i % 2 ? "grey" : "blue"});
            caption(s.caption, frame);
            ++i;
        }
    }

    // A template: an opaque ring with a half-transparent dot inside.
    static AppKit::NSImage::Ptr templateImage() {
        CoreGraphics::CGContext ctx({28, 28}, false, 2);
        ctx.setStrokeColor(CoreGraphics::CGColor::black());
        ctx.setLineWidth(3);
        ctx.stroke(CoreGraphics::CGPath::ellipse({3, 3, 22, 22}));
        ctx.setFillColor(CoreGraphics::CGColor::black().withAlpha(0.5));
        ctx.fill(CoreGraphics::CGPath::ellipse({9, 9, 10, 10}));
        return AppKit::NSImage::withAsset(ctx.makeImageAsset("ring", true));
    }

    void buildTints() {
        using namespace Orrindle;
        const CGFloat top = 294;
        flipped().titles.push_back({"Template images tinted (source-in), faded and padded", {margin, top - 26, 500, 16}});
        auto ring = templateImage();
        const std::pair<AppKit::NSImage::Ptr, const char*> samples[] = {
            {renderedIfTemplate(ring, *ODColorsAK::grey85()), "grey 85%"},
            {renderedIfTemplate(ring, *ODColorsAK::Tessik::orange()), "orange"},
            {renderedIfTemplate(ring, *ODColorsAK::Tessik::aqua()->withAlphaComponent(0.5)), "aqua at 50%"},
            {withAlpha(*renderedIfTemplate(ring, *ODColorsAK::grey100()), 0.4), "white, alpha 0.4"},
            {withPadding(*renderedIfTemplate(ring, *ODColorsAK::Tessik::yellow()), 20), "yellow, 20 pt lead"},
        };
        int i = 0;
        for (const auto& [image, text] : samples) {
            const CGRect cellFrame = column(i, top, 44);
            const CGSize s = image->size();
            flipped().images.push_back({image, {cellFrame.midX() - s.width / 2, cellFrame.midY() - s.height / 2, s.width, s.height}});
            caption(text, cellFrame);
            ++i;
        }
    }

    AppKit::NSView::Ptr container;
};

}  // namespace OrrindleTest
