#pragma once
#include <map>
#include <memory>

#include "AppKit/NSSegmentedCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/SegmentedCellStyle.hpp"

namespace Orrindle {

// The kit's segmented cell: each segment is a bezel image of its own state, chosen from a
// shared SegmentedCellStyle, with its label centred over it in the style's font and state
// colour, and the kit's focus ring around the key segment while the control has the focus.
// With hideSelection (the default) the selected segment is drawn like the others. Main thread
// only: an entry point called from another thread stops the program.
class StyledSegmentedCell : public AppKit::NSSegmentedCell, public StyledControl<SegmentedCellStyle> {
    VZ_OBJECT(StyledSegmentedCell, AppKit::NSSegmentedCell)
public:
    using Ptr = std::shared_ptr<StyledSegmentedCell>;

    static std::shared_ptr<SegmentedCellStyle> sharedStyle() { return Orrindle::sharedStyle<StyledSegmentedCell, SegmentedCellStyle>(); }
    std::shared_ptr<SegmentedCellStyle> style() const override { return sharedStyle(); }

    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool flag);

    // default; + disabled when the cell is; + highlighted while pressed (highlight state 2, 3
    // or 5); + selected when it is the selected segment and the selection shows.
    StyledControlState segmentState(long segment) const;
    // Where a segment's bezel and label go in its frame: the margin's inset, as tall as the
    // state's bezel image, centred vertically.
    AppKit::CGRect bezelFrame(long segment, AppKit::CGRect inFrame) const;

    // With a label and a font, the label's width plus the style's padding, whatever is given.
    void setWidth(AppKit::CGFloat width, long forSegment) override;
    void draw(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void drawSegment(long segment, AppKit::CGRect inFrame, AppKit::NSView& with) override;
    void drawFocusRingMask(AppKit::CGRect, AppKit::NSView&) override;
    // The key segment's bezel frame once it has been drawn; zero before.
    AppKit::CGRect focusRingMaskBounds(AppKit::CGRect forFrame, AppKit::NSView& in) const override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle(long) const override { return interiorBackgroundStyle(); }

    void didInit() override;

protected:
    StyledSegmentedCell() = default;

private:
    CoreGraphics::AttributedText labelText(long segment, StyledControlState state) const;
    bool hasKitFocus(const AppKit::NSView& view) const;
    bool hideSelection_ = true;
    std::map<long, AppKit::CGRect> cachedSegmentFrames_;
};

}  // namespace Orrindle
