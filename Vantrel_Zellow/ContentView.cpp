#include "Vantrel_Zellow/ContentView.hpp"

#include "AppKit/NSWorkspace.hpp"
#include "Orrindle/Resources/BundleInformation.hpp"
#include "Orrindle/Resources/ODImages.hpp"
#include "Orrindle/SwiftUI/QuorvaneButtonStyle.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/KitLinks.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Font.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"
#include "Vantrel_Zellow/AppColor.hpp"
#include "Vantrel_Zellow/ContentViewShader.hpp"
#include "Vantrel_Zellow/WelcomeLinks.hpp"

namespace Vantrel_Zellow {

using namespace SwiftUI;

namespace {

Font rounded(CGFloat size, Font::Weight weight) { return Font::system(size, weight, Font::Design::rounded); }

// Two lines under one font, in the welcome text's colour.
AnyView textBlock(const Font& font, Text first, Text second) {
    Runtime::assertMainActor();
    return AnyView(VStack(HorizontalAlignment::center, 1, {AnyView(std::move(first)), AnyView(std::move(second))}))
        .font(font)
        .foregroundColor(Color(AppColor::buttonText()));
}

AnyView linkButton(const char* title, CGFloat width, const Foundation::URL& url) {
    AnyView::FrameSpec labelFrame;
    labelFrame.width = width;
    return AnyView(Button(
                       [url] {
                           Runtime::assertMainActor();
                           (void)AppKit::NSWorkspace::shared().open(url);
                       },
                       AnyView(Text(title)).frame(labelFrame)))
        .buttonStyle(Orrindle::QuorvaneButtonStyle());
}

}  // namespace

std::string ContentView::versionLine(const Foundation::Bundle* bundle) {
    if (!bundle) return " ()";
    return Orrindle::BundleInformation::shortVersion(*bundle).value_or("") + " (" +
           Orrindle::BundleInformation::version(*bundle).value_or("") + ")";
}

AnyView ContentView::body() const {
    Runtime::assertMainActor();
    const std::string name = productName;
    const Color shadow = Color::displayP3(0.0485, 0.0245, 0.1257);

    AnyView title = AnyView(Text::verbatim(name))
                        .modifier(Pellicot::CustomFontModifier{Pellicot::PelliFont::rocket, 36})
                        .foregroundColor(Color::white())
                        .shadow(shadow.opacity(0.4), 0, 0, 1)
                        .shadow(shadow.opacity(0.4), 1, 0, 2)
                        .shadow(shadow.opacity(0.3), 4, 0, 4);
    AnyView::FrameSpec headerFrame;
    headerFrame.height = 300;
    AnyView header = AnyView(ZStack(Alignment::center(), {AnyView(ContentViewShader()), title})).frame(headerFrame);

    AnyView welcome =
        AnyView(VStack(HorizontalAlignment::center, 16,
                       {textBlock(rounded(15, Font::Weight::bold), Text(LocalizedStringKey{"%@ is now available as an Audio Unit.", {name}}),
                                  Text("Keep this app in your applications folder.")),
                        textBlock(rounded(12, Font::Weight::medium), Text(LocalizedStringKey{"To use %@, insert it as", {name}}),
                                  Text("a MIDI plugin on an instrument track.")),
                        AnyView(Text::verbatim(versionLine(Foundation::Bundle::main().get())))
                            .font(rounded(12, Font::Weight::medium))
                            .foregroundColor(Color(AppColor::buttonText()))}))
            .padding(16);

    AnyView logo = AnyView(Image(Orrindle::ODImages::quorvaneLogoBig())).foregroundColor(Color(AppColor::buttonText()));

    AnyView buttons = AnyView(HStack(VerticalAlignment::center, 16,
                                     {linkButton("Help", buttonWidth, welcomeHelpURL()),
                                      linkButton("Quorvane Website", buttonWidth, Pellicot::KitLinks::quorvaneSite())}))
                          .padding(Edges::bottom(), 14);

    return AnyView(VStack(HorizontalAlignment::center, 0, {header, Spacer(), welcome, logo, Spacer(), buttons}))
        .ignoresSafeArea(Edges::all());
}

}  // namespace Vantrel_Zellow
