#pragma once
#include <memory>

#include "AppKit/NSComboBox.hpp"
#include "Orrindle/ComboBoxes/StyledComboBoxCell.hpp"

namespace Orrindle {

// The kit's combo box over a StyledComboBoxCell: the pop-up button's alignment insets, a fixed
// height, the kit's focus ring around the text part, and a picked number becoming its value and
// sending its action. Creation: Runtime::make<StyledComboBox>(frame).
// Main thread only: an entry point called from another thread stops the program.
class StyledComboBox : public AppKit::NSComboBox {
    VZ_OBJECT(StyledComboBox, AppKit::NSComboBox)
public:
    using Ptr = std::shared_ptr<StyledComboBox>;
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledComboBoxCell>(); }
    StyledComboBoxCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledComboBoxCell>(cell()); }

    // Observes its own list opening, closing and selection (as the observed object too).
    virtual void setupNotifications();
    // A picked item that is a number becomes the value and the action is sent once; a text, no
    // selection, an index outside the list or a data source changes nothing.
    virtual void applySelectedValue();

    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    // At least 47 wide and 26 high, less the alignment insets (the inherited height is not used).
    CGSize intrinsicContentSize() const override;
    CGRect focusRingMaskBounds() const override;
    void draw(CGRect dirtyRect) override;

    void didInit() override;
    ~StyledComboBox() override;

protected:
    using AppKit::NSComboBox::NSComboBox;

private:
    void willPopUp(Runtime::NSObject*);
    void willDismiss(Runtime::NSObject*);
    void selectionDidChange(Runtime::NSObject*) { applySelectedValue(); }
};

}  // namespace Orrindle
