#include "Pellicot/PluginHeaderView.hpp"

#include "AppKit/NSWorkspace.hpp"
#include "Foundation/Locale.hpp"
#include "Foundation/Strings.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"
#include "Pellicot/KitLinks.hpp"
#include "Pellicot/UpdateButtonStyle.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"

namespace Pellicot {

PluginHeaderView::PluginHeaderView(Foundation::URL appUpdateURL, std::string pluginVersion,
                                   std::shared_ptr<AudioParameter> tabParameter, PelliFont font,
                                   std::optional<UpdateAvailableDetails> updateDetails,
                                   const std::function<SwiftUI::AnyView()>& menu)
    : appUpdateURL(std::move(appUpdateURL)), pluginVersion(std::move(pluginVersion)), tabParameter(std::move(tabParameter)),
      updateDetails(std::move(updateDetails)), font(font), menu(menu ? menu() : SwiftUI::AnyView()) {}

PluginHeaderView::PluginHeaderView(Foundation::URL appUpdateURL, std::string pluginVersion,
                                   std::shared_ptr<AudioParameter> tabParameter, PelliFont font,
                                   std::optional<UpdateAvailableDetails> updateDetails)
    : PluginHeaderView(std::move(appUpdateURL), std::move(pluginVersion), std::move(tabParameter), font,
                       std::move(updateDetails), nullptr) {}

SwiftUI::AnyView PluginHeaderView::body() const {
    using namespace SwiftUI;
    auto plain = std::make_shared<PlainButtonStyle>();

    auto logo = AnyView(Button([] { AppKit::NSWorkspace::shared().open(KitLinks::quorvaneSite()); },
                               AnyView(Image(KitImage::quorvaneLogo()))))
                    .buttonStyle(plain);

    AnyView tabs;
    if (const auto& titles = tabParameter->valueStrings()) {
        const float selected = tabParameter->value();
        std::vector<int> indices(titles->size());
        for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = int(i);
        auto param = tabParameter;
        const PelliFont face = font;
        auto titleOf = [titles = *titles](int i) {
            // Tabs are identified by title; a repeated title is told apart by its place.
            for (int j = 0; j < i; ++j)
                if (titles[std::size_t(j)] == titles[std::size_t(i)]) return titles[std::size_t(i)] + "#" + std::to_string(i);
            return titles[std::size_t(i)];
        };
        tabs = HStack(VerticalAlignment::center, 24,
                      {ForEach(indices, titleOf, [&, param, face](int i) {
                          const auto& title = (*titles)[std::size_t(i)];
                          const bool isSelected = selected == float(i);
                          auto label = pelliFont(Text(Foundation::uppercased(title, Foundation::Locale::current())), face, 16)
                                           .foregroundColor(Color(isSelected ? KitColor::tabSelected() : KitColor::tabUnselected()));
                          return AnyView(Button([param, i] { param->setValue(float(i), ParameterEditor::ui, ParameterEditorState::change); },
                                                label))
                              .buttonStyle(plain);
                      })});
    }

    AnyView versionOrUpdate;
    if (updateDetails) {
        auto url = appUpdateURL;
        versionOrUpdate = AnyView(Button([url] { AppKit::NSWorkspace::shared().open(url); },
                                         AnyView(Text(Foundation::uppercased(updateDetails->newVersion + " Available")))))
                              .buttonStyle(UpdateButtonStyle());
    } else {
        versionOrUpdate = pelliFont(Text(pluginVersion), font, 13).foregroundColor(Color(KitColor::versionInfo()));
    }

    AnyView::FrameSpec fixedHeight;
    fixedHeight.height = height;
    return AnyView(ZStack(Alignment::center(),
                          {HStack({logo, Spacer()}),
                           HStack({Spacer(), tabs, Spacer()}),
                           HStack({Spacer(), HStack({Spacer(), versionOrUpdate}), menu})}))
        .padding(Edges::leading(), 8)
        .padding(Edges::trailing(), 16)
        .frame(fixedHeight)
        .background(Color(KitColor::background()), Edges::all());
}

}  // namespace Pellicot
