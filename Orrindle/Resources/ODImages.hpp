#pragma once
#include "SwiftUI/Image.hpp"

namespace Orrindle {

// The kit's images that it offers as SwiftUI images, each made once on first read and shared.
// quorvaneLogoBig is the asset "window-quorvane".
struct ODImages {
    static const SwiftUI::Image& kvuButton();
    static const SwiftUI::Image& kvuButtonDown();
    static const SwiftUI::Image& quorvaneLogoBig();
    static const SwiftUI::Image& kvuCheckerboard();
    static const SwiftUI::Image& kvuCheckerboardSmall();
    static const SwiftUI::Image& kvuTextfield();
    static const SwiftUI::Image& kvuTextfieldError();
    static const SwiftUI::Image& kvuTextfieldFocus();
    static const SwiftUI::Image& kvuCheckbox();
    static const SwiftUI::Image& kvuCheckboxOn();
    static const SwiftUI::Image& kvuCheckboxDown();
    static const SwiftUI::Image& kvuCheckboxOnDown();
};

}  // namespace Orrindle
