#pragma once
#include <functional>
#include <string>

#include "Orrindle/Settings/PobbleSettingsConfig.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/View.hpp"

namespace Orrindle {

// One labelled row of a settings form: the label, verbatim, right-aligned in the form's label
// column, and beside it the controls `content` builds, one under another 4 points apart, each
// at the leading edge of the rest of the row. It reads the column's width from the
// PobbleSettingsConfig of its environment, so it must sit inside a PobbleSettings (or a view
// that provides one); elsewhere its body stops the program with a message saying so.
struct PobbleSettingsSection : SwiftUI::View<PobbleSettingsSection> {
    SwiftUI::Environment<PobbleSettingsConfig> config;
    std::string label;
    SwiftUI::AnyView content;

    PobbleSettingsSection(std::string label, const std::function<SwiftUI::AnyView()>& content);
    SwiftUI::AnyView body() const;

    static constexpr CoreGraphics::CGFloat controlSpacing = 4;
};

}  // namespace Orrindle
