#pragma once
#include "SwiftUI/Resources.hpp"

namespace Vantrel_Zellow {

// The colours of the application's catalogue, made on first use from their names and the
// application's bundle: the window's background and the welcome text and logo.
struct AppColor {
    static const SwiftUI::ColorResource& background();
    static const SwiftUI::ColorResource& buttonText();
};

}  // namespace Vantrel_Zellow
