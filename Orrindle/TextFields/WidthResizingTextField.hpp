#pragma once
#include <memory>

#include "Orrindle/TextFields/StyledTextField.hpp"

namespace Orrindle {

// A styled text field whose intrinsic size is what its cell needs for its text on one line,
// whatever its frame: it grows and shrinks with its text.
class WidthResizingTextField : public StyledTextField {
    VZ_OBJECT(WidthResizingTextField, StyledTextField)
public:
    using Ptr = std::shared_ptr<WidthResizingTextField>;

    AppKit::CGSize intrinsicContentSize() const override;

protected:
    using StyledTextField::StyledTextField;
};

}  // namespace Orrindle
