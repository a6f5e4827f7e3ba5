#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSPopUpButtonCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/StyledPopDownButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::CGSize;

// The pop-down button's cell: the pop-down style's bezel and title colours (always that style,
// whatever the cell's class), the platform's title rectangle centred vertically and its title
// drawing, an optional label before the title. The state is the cells' default rule (on and
// mixed whatever showsStateBy holds); the platform's highlight mask is kept.
class StyledPopDownButtonCell : public AppKit::NSPopUpButtonCell, public StyledControl<StyledPopDownButtonCellStyle> {
    VZ_OBJECT(StyledPopDownButtonCell, AppKit::NSPopUpButtonCell)
public:
    using Ptr = std::shared_ptr<StyledPopDownButtonCell>;

    std::shared_ptr<StyledPopDownButtonCellStyle> style() const override { return popDownStyle(); }
    static std::shared_ptr<StyledPopDownButtonCellStyle> popDownStyle() {
        return sharedStyle<StyledPopDownButtonCell, StyledPopDownButtonCellStyle>();
    }

    const std::optional<std::string>& label() const { return label_; }
    void setLabel(std::optional<std::string> label) {
        Runtime::assertMainActor();
        label_ = std::move(label);
    }

    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return popDownStyle()->interiorBackgroundStyle(); }
    CGRect titleRect(CGRect forBounds) const override;
    void drawBezel(CGRect withFrame, AppKit::NSView& in) override;
    CGRect drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) override;

    // See CellDrawing::popUpTitle; `color` null is the pop-down style's text colour.
    CoreGraphics::AttributedText attributedTitleString(const std::string& title, const AppKit::NSColor::Ptr& color,
                                                       const std::optional<std::string>& label,
                                                       const AppKit::NSColor::Ptr& labelColor) const;

protected:
    StyledPopDownButtonCell() = default;

private:
    std::optional<std::string> label_;
};

}  // namespace Orrindle
