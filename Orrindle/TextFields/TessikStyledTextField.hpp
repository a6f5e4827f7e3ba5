#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Orrindle/TextFields/StyledTextField.hpp"
#include "SwiftUI/NSViewRepresentable.hpp"
#include "SwiftUI/State.hpp"

namespace Orrindle {

struct TessikStyledTextField;

// The wrapped field's delegate: each change of the text goes into the binding of the wrapper it
// was last updated with, then that wrapper's callback hears true; the end of the editing calls
// it with false. Made only by the wrapper.
class TessikStyledTextFieldCoordinator : public Runtime::NSObject, public AppKit::NSTextFieldDelegate {
    VZ_OBJECT(TessikStyledTextFieldCoordinator, Runtime::NSObject)
public:
    // The wrapper in force: the latest one to update the field.
    std::shared_ptr<const TessikStyledTextField> parent;

    void controlTextDidChange(const Foundation::Notification& notification) override;
    void controlTextDidEndEditing(const Foundation::Notification& notification) override;

protected:
    explicit TessikStyledTextFieldCoordinator(std::shared_ptr<const TessikStyledTextField> parent) : parent(std::move(parent)) {}
};

// The kit's styled text field in a SwiftUI tree: its text bound two ways (typing writes the
// binding at every change; a new value of the binding replaces the field's text at the next
// update, also while it is edited), a placeholder, a callback with true at each change and
// false when the editing ends, and the text environment (alignment, line limit, truncation,
// tightening, enabled) carried over to the field.
struct TessikStyledTextField
    : SwiftUI::NSViewRepresentable<TessikStyledTextField, StyledTextField, std::shared_ptr<TessikStyledTextFieldCoordinator>> {
    using Coordinator = TessikStyledTextFieldCoordinator;
    using Context = SwiftUI::RepresentableContext<std::shared_ptr<Coordinator>>;

    std::optional<std::string> placeholder;
    SwiftUI::Binding<std::string> text;
    std::function<void(bool)> onEditingChanged;

    TessikStyledTextField(std::optional<std::string> placeholder, SwiftUI::Binding<std::string> text,
                          std::function<void(bool)> onEditingChanged = nullptr)
        : placeholder(std::move(placeholder)), text(std::move(text)), onEditingChanged(std::move(onEditingChanged)) {}

    std::shared_ptr<Coordinator> makeCoordinator() const;
    std::shared_ptr<StyledTextField> makeNSView(Context& context) const;
    void updateNSView(StyledTextField& field, Context& context) const;
};

}  // namespace Orrindle
