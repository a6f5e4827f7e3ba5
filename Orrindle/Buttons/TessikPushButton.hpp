#pragma once
#include <memory>
#include <optional>

#include "AppKit/NSButton.hpp"
#include "Orrindle/Buttons/TessikPushButtonCell.hpp"
#include "Orrindle/Protocols/Selectable.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGPoint;
using AppKit::CGRect;
using AppKit::CGSize;

// The kit's push button: a fixed height and width, fixed at creation
// (Runtime::make<TessikPushButton>(frame, fixedHeight, fixedWidth)), replace the intrinsic
// size's, whatever the bezel; the kit's focus ring as on the styled button.
// Main thread only: an entry point called from another thread stops the program.
class TessikPushButton : public AppKit::NSButton, public Selectable {
    VZ_OBJECT(TessikPushButton, AppKit::NSButton)
public:
    using Ptr = std::shared_ptr<TessikPushButton>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<TessikPushButtonCell>(); }
    TessikPushButtonCell::Ptr pushCell() const { return std::dynamic_pointer_cast<TessikPushButtonCell>(cell()); }

    const std::optional<CGFloat> fixedHeight;
    const std::optional<CGFloat> fixedWidth;

    bool isSelected() const override;
    void setSelected(bool selected) override;

    CGSize intrinsicContentSize() const override;
    CGRect focusRingMaskBounds() const override { return bounds(); }
    void drawFocusRingMask() override {}
    void draw(CGRect dirtyRect) override;

    void didInit() override;

protected:
    explicit TessikPushButton(CGRect frame, std::optional<CGFloat> fixedHeight = std::nullopt,
                              std::optional<CGFloat> fixedWidth = std::nullopt)
        : AppKit::NSButton(frame), fixedHeight(fixedHeight), fixedWidth(fixedWidth) {}
};

}  // namespace Orrindle
