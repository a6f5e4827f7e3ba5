#pragma once
#include "AppKit/NSButtonCell.hpp"

namespace Orrindle {

// The dark-highlight button's cell: its image at half opacity while pressed or disabled.
class DarkHighlightButtonCell : public AppKit::NSButtonCell {
    VZ_OBJECT(DarkHighlightButtonCell, AppKit::NSButtonCell)
public:
    void drawImage(const AppKit::NSImage::Ptr& image, AppKit::CGRect withFrame, AppKit::NSView& in) override;

protected:
    DarkHighlightButtonCell() = default;
};

}  // namespace Orrindle
