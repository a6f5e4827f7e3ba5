#pragma once
#include <functional>

#include "CoreGraphics/Geometry.hpp"
#include "SwiftUI/View.hpp"

namespace Orrindle {

// A settings pane: a form `settingsWidth` points wide whose rows (PobbleSettingsSection,
// PobbleSettingsDivider or any view) share a label column `labelWidth` points wide, through a
// new PobbleSettingsConfig in the rows' environment. `content` runs once, here.
struct PobbleSettings : SwiftUI::View<PobbleSettings> {
    SwiftUI::AnyView content;
    CoreGraphics::CGFloat settingsWidth;

    PobbleSettings(CoreGraphics::CGFloat labelWidth, CoreGraphics::CGFloat settingsWidth, const std::function<SwiftUI::AnyView()>& content);
    SwiftUI::AnyView body() const;
};

}  // namespace Orrindle
