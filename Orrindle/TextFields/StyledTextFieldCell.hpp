#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSTextFieldCell.hpp"
#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// The kit's text field cell, drawn from the style of its class (a TextFieldCellStyle): the bezel
// image of its state (or its background colour) under the text, an outline in the style's ring
// colour of its state whenever it has a bezel or border, the text centred vertically in the
// style's font and text colour of its state, the placeholder in the kit's placeholder colour, and
// a field editor dressed in the style's font and colours over the title rectangle. The state is the cells' default rule (selected while
// isSelected, invalid for an invalid Validating subclass).
class StyledTextFieldCell : public AppKit::NSTextFieldCell, public StyledControl<TextFieldCellStyle>, public Selectable {
    VZ_OBJECT(StyledTextFieldCell, AppKit::NSTextFieldCell)
public:
    using Ptr = std::shared_ptr<StyledTextFieldCell>;

    // Made on first use and shared by the cells of this class; a subclass answers its own.
    static std::shared_ptr<TextFieldCellStyle> sharedStyle() { return Orrindle::sharedStyle<StyledTextFieldCell, TextFieldCellStyle>(); }
    std::shared_ptr<TextFieldCellStyle> style() const override { return sharedStyle(); }

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override { selected_ = selected; }
    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool flag) { verticallyCenter_ = flag; }

    // Font, text and background colours of the current state, and the style's background style.
    virtual void applyStyle();
    // `text` in the cell's font (the style's without one), the colour (the state's text colour
    // without one), the cell's alignment and line-break mode, no tightening.
    virtual CoreGraphics::AttributedText attributedString(const std::string& text, const AppKit::NSColor::Ptr& color = nullptr) const;

    // Setting it also takes the text colour of the current state.
    void setBackgroundStyle(AppKit::NSBackgroundStyle style) override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return style()->interiorBackgroundStyle(); }
    // The bounds less the style's padding when bezeled or bordered; the bounds while the field
    // editor is being placed.
    AppKit::CGRect drawingRect(AppKit::CGRect forBounds) const override;
    // The drawing rectangle, narrowed to one line of text in its vertical middle while
    // verticallyCenter is on (a line of the placeholder, or of a space, for an empty value).
    AppKit::CGRect titleRect(AppKit::CGRect forBounds) const override;
    void draw(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void drawInterior(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void select(AppKit::CGRect withFrame, AppKit::NSView& in, AppKit::NSText& editor,
                const std::shared_ptr<Runtime::NSObject>& delegate, long start, long length) override;
    void edit(AppKit::CGRect withFrame, AppKit::NSView& in, AppKit::NSText& editor,
              const std::shared_ptr<Runtime::NSObject>& delegate, const AppKit::NSEvent* event) override;
    AppKit::NSText& setUpFieldEditorAttributes(AppKit::NSText& editor) override;

    void didInit() override;

protected:
    StyledTextFieldCell() = default;

private:
    // How far right of the title rectangle the text is drawn in `view`.
    AppKit::CGFloat textShift(const AppKit::NSView* view) const;

    bool selected_ = false;
    bool verticallyCenter_ = true;
    bool isBeingEdited_ = false;
    bool isBeingSelected_ = false;
};

}  // namespace Orrindle
