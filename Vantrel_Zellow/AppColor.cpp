#include "Vantrel_Zellow/AppColor.hpp"

#include "Vantrel_Zellow/ResourceBundleClass.hpp"

namespace Vantrel_Zellow {

const SwiftUI::ColorResource& AppColor::background() {
    static const SwiftUI::ColorResource resource{"background", ResourceBundleClass::bundle()};
    return resource;
}

const SwiftUI::ColorResource& AppColor::buttonText() {
    static const SwiftUI::ColorResource resource{"buttonText", ResourceBundleClass::bundle()};
    return resource;
}

}  // namespace Vantrel_Zellow
