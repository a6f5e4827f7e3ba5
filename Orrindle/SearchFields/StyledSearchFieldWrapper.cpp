#include "Orrindle/SearchFields/StyledSearchFieldWrapper.hpp"

#include "AppKit/NSAppearance.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> StyledSearchFieldCoordinator::classActions() {
    return {Runtime::action("filterContents:", &StyledSearchFieldCoordinator::filterContents)};
}

void StyledSearchFieldCoordinator::filterContents(Runtime::NSObject* sender) {
    Runtime::assertMainActor();
    if (auto* field = dynamic_cast<AppKit::NSControl*>(sender)) searchText.set(field->stringValue());
}

std::shared_ptr<StyledSearchFieldCoordinator> StyledSearchFieldWrapper::makeCoordinator() const {
    Runtime::assertMainActor();
    return Runtime::make<Coordinator>(searchText);
}

std::shared_ptr<StyledSearchField> StyledSearchFieldWrapper::makeNSView(Context&) const {
    Runtime::assertMainActor();
    auto field = Runtime::make<StyledSearchField>(AppKit::CGRect{});
    field->setControlSize(AppKit::NSControlSize::small);
    field->setFont(AppKit::NSFont::systemFont(11));
    field->setPlaceholderString(placeholderString);
    field->setBezelStyle(AppKit::NSTextFieldBezelStyle::roundedBezel);
    field->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    field->setVerticallyCenter(false);
    return field;
}

void StyledSearchFieldWrapper::updateNSView(StyledSearchField& field, Context& context) const {
    Runtime::assertMainActor();
    // A later update may bring another binding: typing goes to the current one.
    context.coordinator->searchText = searchText;
    // Only a new value is shown, so an update while the user types keeps the editor's text and
    // caret.
    const std::string value = searchText.get();
    if (field.stringValue() != value) {
        if (auto editor = field.currentEditor())
            editor->setString(value);
        field.setStringValue(value);
    }
    field.setTarget(context.coordinator);
    field.setAction(Runtime::Selector("filterContents:"));
}

}  // namespace Orrindle
