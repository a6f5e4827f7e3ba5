#pragma once
#include "Orrindle/Buttons/CursorButton.hpp"

namespace Orrindle {

// A cursor button whose target is a pop-up button: every click moves that pop-up's selection
// to its next usable item, or its previous one while Shift is held, whatever action the button
// carries. With no target, or a target that is not a pop-up, it acts as a plain button. The
// image sits after the title. Creation: Runtime::make<PopUpCyclingButton>(frame).
class PopUpCyclingButton : public CursorButton {
    VZ_OBJECT(PopUpCyclingButton, CursorButton)
public:
    // Sends "selectPreviousItem:" (Shift held) or "selectNextItem:" to a pop-up target; else
    // `action` to `target` as any button would.
    bool sendAction(Runtime::Selector action, Runtime::NSObject* target) override;

    void didInit() override;

protected:
    using CursorButton::CursorButton;
};

}  // namespace Orrindle
