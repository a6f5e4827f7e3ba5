#include "Orrindle/Settings/PobbleSettingsSection.hpp"

#include "Orrindle/Settings/FillEachChildLeading.hpp"
#include "Runtime/FatalError.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Form.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"
#include "SwiftUI/VariadicView.hpp"

namespace Orrindle {

PobbleSettingsSection::PobbleSettingsSection(std::string label, const std::function<SwiftUI::AnyView()>& content)
    : label(std::move(label)), content(content()) {}

SwiftUI::AnyView PobbleSettingsSection::body() const {
    using namespace SwiftUI;
    Runtime::assertMainActor();
    if (!config.isPresent())
        Runtime::fatalError("PobbleSettingsSection \"" + label +
                            "\" is not inside a PobbleSettings form: no PobbleSettingsConfig in its environment");
    auto labelColumn = AnyView(HStack({Spacer(), Text::verbatim(label)})).frame({.width = config->labelWidth()});
    auto controls = AnyView(VStack(HorizontalAlignment::leading, controlSpacing,
                                   {VariadicView::Tree<FillEachChildLeading>(FillEachChildLeading(), content)}))
                        .frame({.maxWidth = infinity});
    return AnyView(LabeledContent(std::move(labelColumn), std::move(controls)));
}

}  // namespace Orrindle
