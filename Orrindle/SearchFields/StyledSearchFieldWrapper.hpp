#pragma once
#include <memory>
#include <string>

#include "Orrindle/SearchFields/StyledSearchField.hpp"
#include "SwiftUI/NSViewRepresentable.hpp"
#include "SwiftUI/State.hpp"

namespace Orrindle {

struct StyledSearchFieldWrapper;

// Receives the wrapped field's action ("filterContents:") and writes the whole text into the
// binding of the wrapper it was last updated with.
class StyledSearchFieldCoordinator : public Runtime::NSObject {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(StyledSearchFieldCoordinator, Runtime::NSObject)
public:
    SwiftUI::Binding<std::string> searchText;
    void filterContents(Runtime::NSObject* sender);

protected:
    explicit StyledSearchFieldCoordinator(SwiftUI::Binding<std::string> binding) : searchText(std::move(binding)) {}
};

// The kit's search field in a SwiftUI tree, its text bound two ways: typing writes the whole
// text into the binding at every change; a new value of the binding shows at the next update.
// The field is small, in the 11-point system font, dark, with a rounded bezel, and does not
// centre its text vertically.
struct StyledSearchFieldWrapper
    : SwiftUI::NSViewRepresentable<StyledSearchFieldWrapper, StyledSearchField, std::shared_ptr<StyledSearchFieldCoordinator>> {
    using Coordinator = StyledSearchFieldCoordinator;
    using Context = SwiftUI::RepresentableContext<std::shared_ptr<Coordinator>>;

    SwiftUI::Binding<std::string> searchText;
    std::string placeholderString;

    StyledSearchFieldWrapper(SwiftUI::Binding<std::string> searchText, std::string placeholderString)
        : searchText(std::move(searchText)), placeholderString(std::move(placeholderString)) {}

    std::shared_ptr<Coordinator> makeCoordinator() const;
    std::shared_ptr<StyledSearchField> makeNSView(Context& context) const;
    void updateNSView(StyledSearchField& field, Context& context) const;
};

}  // namespace Orrindle
