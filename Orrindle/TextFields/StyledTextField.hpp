#pragma once
#include <memory>

#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/TextFields/FirstResponderAwareTextField.hpp"
#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

namespace Orrindle {

// The kit's text field over a StyledTextFieldCell (or the cell class of a subclass): at least as
// large as its bezel image, its alignment rectangle `verticalInset` inside its frame at top and
// bottom (2 points at the sides) while it has a bezel or border, its baselines where its cell's
// title rectangle puts the text. Its selection lives in the cell and shows at the next drawing.
class StyledTextField : public FirstResponderAwareTextField, public Selectable {
    VZ_OBJECT(StyledTextField, FirstResponderAwareTextField)
public:
    using Ptr = std::shared_ptr<StyledTextField>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledTextFieldCell>(); }
    StyledTextFieldCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledTextFieldCell>(cell()); }
    // setCell takes only a cell of this class's cell class (or none): any other stops the program.
    const Runtime::ClassInfo* acceptedCellClass() const override { return cellClass().classInfo(); }

    AppKit::CGFloat verticalInset() const { return verticalInset_; }
    void setVerticalInset(AppKit::CGFloat inset) { verticalInset_ = inset; }
    // Copied into the cell, which must be a StyledTextFieldCell (stops the program otherwise).
    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool flag);
    // The cell's; false, and dropped, for a cell of another kind.
    bool isSelected() const override;
    void setSelected(bool selected) override;

    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    AppKit::CGSize intrinsicContentSize() const override;
    AppKit::CGFloat firstBaselineOffsetFromTop() const override;
    AppKit::CGFloat lastBaselineOffsetFromBottom() const override;

    void didInit() override;

protected:
    StyledTextField() = default;
    explicit StyledTextField(AppKit::CGRect frame) : FirstResponderAwareTextField(frame) {}
    // The platform's init(frame:verticalPadding:).
    StyledTextField(AppKit::CGRect frame, AppKit::CGFloat verticalPadding)
        : FirstResponderAwareTextField(frame), verticalInset_(verticalPadding) {}

private:
    AppKit::CGFloat verticalInset_ = 0;
    bool verticallyCenter_ = true;
};

}  // namespace Orrindle
