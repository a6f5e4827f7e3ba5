#pragma once
#include "AppKit/NSButtonCell.hpp"

namespace Orrindle {

// A cell for the cycling button: its image at half opacity only while pressed (a disabled
// button's image stays opaque).
class PopUpCyclingButtonCell : public AppKit::NSButtonCell {
    VZ_OBJECT(PopUpCyclingButtonCell, AppKit::NSButtonCell)
public:
    void drawImage(const AppKit::NSImage::Ptr& image, AppKit::CGRect withFrame, AppKit::NSView& in) override;

protected:
    PopUpCyclingButtonCell() = default;
};

}  // namespace Orrindle
