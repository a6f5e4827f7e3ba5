#pragma once
#include "Orrindle/Buttons/StyledButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The tool button's cell: "corner-tool-background" bezels (ToolButtonCellStyle), the image in
// their middle, and, when showMoreIcon is on, the "corner-tool-more" mark over the whole frame.
// The cell does not redraw itself when the flag changes; its button does.
class ToolButtonCell : public StyledButtonCell {
    VZ_OBJECT(ToolButtonCell, StyledButtonCell)
public:
    std::shared_ptr<ButtonCellStyle> style() const override;

    bool showMoreIcon() const { return showMoreIcon_; }
    void setShowMoreIcon(bool flag) {
        Runtime::assertMainActor();
        showMoreIcon_ = flag;
    }

    void drawBezel(CGRect withFrame, AppKit::NSView& in) override;

protected:
    ToolButtonCell() = default;

private:
    bool showMoreIcon_ = false;
};

}  // namespace Orrindle
