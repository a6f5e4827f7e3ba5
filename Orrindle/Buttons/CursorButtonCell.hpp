#pragma once
#include <memory>

#include "AppKit/NSButtonCell.hpp"

namespace Orrindle {

// The cursor button's cell: a press dims the control view's layer to half opacity instead of
// the platform's highlight (a view without a layer shows no press at all).
class CursorButtonCell : public AppKit::NSButtonCell {
    VZ_OBJECT(CursorButtonCell, AppKit::NSButtonCell)
public:
    void highlight(bool flag, AppKit::CGRect withFrame, AppKit::NSView& in) override;

protected:
    CursorButtonCell() = default;
};

}  // namespace Orrindle
