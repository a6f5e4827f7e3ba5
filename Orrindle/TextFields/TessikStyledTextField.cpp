#include "Orrindle/TextFields/TessikStyledTextField.hpp"

#include "AppKit/NSText.hpp"
#include "Foundation/Notification.hpp"
#include "Orrindle/Extensions/EnumBridges.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace {
void applyEnvironment(StyledTextField& field, const SwiftUI::EnvironmentValues& environment) {
    field.setAlignment(nsTextAlignment(environment.multilineTextAlignment));
    field.setLineBreakMode(nsLineBreakMode(environment.truncationMode));
    field.setAllowsDefaultTighteningForTruncation(environment.allowsTightening);
    field.setMaximumNumberOfLines(environment.lineLimit.value_or(0));
    field.setEnabled(environment.isEnabled);
}
}  // namespace

void TessikStyledTextFieldCoordinator::controlTextDidChange(const Foundation::Notification& notification) {
    Runtime::assertMainActor();
    auto* field = dynamic_cast<AppKit::NSTextField*>(notification.object);
    if (!field || !parent) return;
    parent->text.set(field->stringValue());
    if (parent->onEditingChanged) parent->onEditingChanged(true);
}

void TessikStyledTextFieldCoordinator::controlTextDidEndEditing(const Foundation::Notification&) {
    Runtime::assertMainActor();
    if (parent && parent->onEditingChanged) parent->onEditingChanged(false);
}

std::shared_ptr<TessikStyledTextFieldCoordinator> TessikStyledTextField::makeCoordinator() const {
    return Runtime::make<Coordinator>(std::make_shared<const TessikStyledTextField>(*this));
}

std::shared_ptr<StyledTextField> TessikStyledTextField::makeNSView(Context& context) const {
    auto field = Runtime::make<StyledTextField>(AppKit::CGRect{});
    field->setPlaceholderString(placeholder);
    field->setTranslatesAutoresizingMaskIntoConstraints(false);
    field->setAllowsExpansionToolTips(true);
    field->setDelegate(context.coordinator);
    applyEnvironment(*field, context.environment);
    return field;
}

void TessikStyledTextField::updateNSView(StyledTextField& field, Context& context) const {
    // Typing goes into the binding and callback of the latest wrapper, never a stale one.
    context.coordinator->parent = std::make_shared<const TessikStyledTextField>(*this);
    // Only a new value is written, so an update while the user types keeps the caret; a new one
    // replaces the text being edited too.
    const std::string value = text.get();
    if (field.stringValue() != value) {
        if (auto editor = field.currentEditor()) editor->setString(value);
        field.setStringValue(value);
    }
    field.setPlaceholderString(placeholder);
    applyEnvironment(field, context.environment);
}

}  // namespace Orrindle
