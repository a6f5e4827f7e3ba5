#pragma once
#include <memory>

#include "AppKit/NSSearchField.hpp"
#include "Orrindle/SearchFields/StyledSearchFieldCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The kit's search field over a StyledSearchFieldCell: sized to its bezel image, the kit's
// focus ring instead of the system's (only while its window is key).
class StyledSearchField : public AppKit::NSSearchField {
    VZ_OBJECT(StyledSearchField, AppKit::NSSearchField)
public:
    using Ptr = std::shared_ptr<StyledSearchField>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledSearchFieldCell>(); }
    StyledSearchFieldCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledSearchFieldCell>(cell()); }
    // setCell takes only a StyledSearchFieldCell (or none): any other cell stops the program.
    const Runtime::ClassInfo* acceptedCellClass() const override { return &StyledSearchFieldCell::staticClassInfo(); }

    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool flag);

    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    AppKit::CGSize intrinsicContentSize() const override;
    AppKit::CGRect focusRingMaskBounds() const override { Runtime::assertMainActor(); return bounds(); }
    void drawFocusRingMask() override { Runtime::assertMainActor(); }
    void draw(AppKit::CGRect dirtyRect) override;
    void didInit() override;

protected:
    StyledSearchField() = default;
    explicit StyledSearchField(AppKit::CGRect frame) : AppKit::NSSearchField(frame) {}

private:
    bool verticallyCenter_ = true;
};

}  // namespace Orrindle
