#include "Orrindle/Settings/PobbleSettings.hpp"

#include "Orrindle/Settings/PobbleSettingsConfig.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Form.hpp"

namespace Orrindle {

PobbleSettings::PobbleSettings(CoreGraphics::CGFloat labelWidth, CoreGraphics::CGFloat settingsWidth,
                               const std::function<SwiftUI::AnyView()>& content)
    : content(content().environment(PobbleSettingsConfig::make(labelWidth))), settingsWidth(settingsWidth) {}

SwiftUI::AnyView PobbleSettings::body() const {
    using namespace SwiftUI;
    Runtime::assertMainActor();
    return AnyView(Form({content})).frame({.width = settingsWidth});
}

}  // namespace Orrindle
