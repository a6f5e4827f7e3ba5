#include "Orrindle/Buttons/CursorButtonCell.hpp"

#include "AppKit/CALayer.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void CursorButtonCell::highlight(bool flag, AppKit::CGRect, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (auto layer = in.layer()) layer->setOpacity(flag ? 0.5f : 1.0f);
}

}  // namespace Orrindle
