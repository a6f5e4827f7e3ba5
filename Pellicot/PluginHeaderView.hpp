#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Foundation/URL.hpp"
#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "Pellicot/PelliFont.hpp"
#include "Pellicot/UpdateAvailableDetails.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// The strip across the top of a plug-in editor, 46 points high: the maker's logo (a link to
// its site), tabs for the values of `tabParameter` when it names them, and at the right the
// version or, when a newer one is known, a button announcing it; then the caller's menu.
struct PluginHeaderView {
    Foundation::URL appUpdateURL;
    std::string pluginVersion;
    std::shared_ptr<AudioParameter> tabParameter;
    std::optional<UpdateAvailableDetails> updateDetails;
    PelliFont font;
    SwiftUI::AnyView menu;

    // `menu` is called once, here.
    PluginHeaderView(Foundation::URL appUpdateURL, std::string pluginVersion, std::shared_ptr<AudioParameter> tabParameter,
                     PelliFont font, std::optional<UpdateAvailableDetails> updateDetails,
                     const std::function<SwiftUI::AnyView()>& menu);
    // Without a menu.
    PluginHeaderView(Foundation::URL appUpdateURL, std::string pluginVersion, std::shared_ptr<AudioParameter> tabParameter,
                     PelliFont font, std::optional<UpdateAvailableDetails> updateDetails);

    SwiftUI::AnyView body() const;

    static constexpr CGFloat height = 46;
};

}  // namespace Pellicot
