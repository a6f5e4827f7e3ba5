#include "Pellicot/ParameterHoldButton.hpp"

#include "Pellicot/ParameterEdit.hpp"
#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Pellicot {

SwiftUI::AnyView ParameterHoldButton::body() const {
    using namespace SwiftUI;
    auto active = isGestureActive;
    auto p = param;
    auto drag = DragGesture(0, CoordinateSpace::local)
                    .onChanged([active, p](const DragGesture::Value&) {
                        if (active.get()) return;
                        active = true;
                        ParameterEdit::begin(*p, 0);
                        ParameterEdit::change(*p, 1);
                    })
                    // Wherever the release (or a cancel) happens, the parameter goes back to 0.
                    .onEnded([active, p](const DragGesture::Value&) {
                        active = false;
                        ParameterEdit::commit(*p, 0);
                    });
    return AnyView(VStack({AnyView(Image(param->value() == 1.0f ? pressedImage : image))
                               .accessibilityAddTraits(AccessibilityTraits::isButton())
                               .gesture(drag, GestureMask::all)}));
}

}  // namespace Pellicot
