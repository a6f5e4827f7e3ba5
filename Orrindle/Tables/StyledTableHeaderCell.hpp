#pragma once
#include <memory>
#include <string>

#include "AppKit/NSTableHeaderCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// A table header cell with a flat look of its own instead of the platform's: its tint filled
// over the whole cell, its attributed title 4 points in (1 point in every column but the first)
// and centred on the font's height, and its image centred over the title. Made with a title
// and an image; a copy keeps the tint.
class StyledTableHeaderCell : public AppKit::NSTableHeaderCell, public StyledControl<TableViewStyle> {
    VZ_OBJECT(StyledTableHeaderCell, AppKit::NSTableHeaderCell)
public:
    using Ptr = std::shared_ptr<StyledTableHeaderCell>;

    // Made on first use and shared by all header cells.
    static std::shared_ptr<TableViewStyle> sharedStyle() { return Orrindle::sharedStyle<StyledTableHeaderCell, TableViewStyle>(); }
    std::shared_ptr<TableViewStyle> style() const override { return sharedStyle(); }
    StyledControlState controlState() const override { return enabledHighlightedState(isEnabled(), isHighlighted()); }

    // None leaves the cell unfilled.
    const AppKit::NSColor::Ptr& tintColor() const { return tintColor_; }
    void setTintColor(AppKit::NSColor::Ptr color) {
        tintColor_ = std::move(color);
        updateControlView();
    }

    // All three draw the cell the same way; the platform's drawing never runs.
    void draw(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void highlight(bool flag, AppKit::CGRect withFrame, AppKit::NSView& in) override;
    virtual void colorfulDraw(AppKit::CGRect withFrame, AppKit::NSView& in, bool systemEffect);
    AppKit::NSCell::Ptr copy() const override;

    void didInit() override;

protected:
    // The platform's init(textCell:image:); there is no plain init(textCell:).
    StyledTableHeaderCell(std::string textCell, AppKit::NSImage::Ptr image)
        : tintColor_(AppKit::NSColor::controlBackgroundColor()), textCell_(std::move(textCell)), image_(std::move(image)) {}
    AppKit::NSCell::Ptr newInstance() const override { return Runtime::make<StyledTableHeaderCell>(std::string(), nullptr); }

private:
    void drawHeader(AppKit::CGRect frame);

    AppKit::NSColor::Ptr tintColor_;
    std::string textCell_;
    AppKit::NSImage::Ptr image_;  // only until didInit gives it to the cell
};

}  // namespace Orrindle
