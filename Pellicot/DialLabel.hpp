#pragma once
#include <functional>
#include <memory>
#include <string>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/LabelDisplayOptions.hpp"
#include "Pellicot/LabelFormatter.hpp"
#include "Pellicot/PelliFont.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// A parameter's name and value as text. A click on it (anywhere in the value's row) opens a
// text field with the value's text: Return commits what was typed (when the formatter can read
// it), Escape cancels, and clicking elsewhere just closes the field.
struct DialLabel {
    std::shared_ptr<AudioParameter> param;
    LabelDisplayOptions displayOptions;
    std::shared_ptr<const LabelFormatter> formatter;
    std::function<void()> onEditingEnded;  // after Return or Escape
    SwiftUI::Color color;                  // of the name
    PelliFont font;

    SwiftUI::State<bool> isEditing{false};
    SwiftUI::State<std::string> valueString{std::string()};
    SwiftUI::FocusState<bool> editingFieldFocussed;
    // The value moved while the field was open; its text is brought up to date when the
    // field closes rather than under the user's typing.
    SwiftUI::State<bool> valueChangedWhileEditing{false};

    // Without a formatter the value is shown with one decimal place.
    DialLabel(std::shared_ptr<AudioParameter> param, SwiftUI::Color color, LabelDisplayOptions displayOptions, PelliFont font,
              std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {});

    SwiftUI::AnyView body() const;

    void tap() const;
    void cancel() const;
    void submit() const;
};

}  // namespace Pellicot
