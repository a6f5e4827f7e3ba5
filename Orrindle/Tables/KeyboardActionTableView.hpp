#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSTableView.hpp"

namespace Orrindle {

// A plain table that sends `keyboardAction` to its target when one of the trigger keys is
// released (Return and the keypad's Enter unless changed); key presses stay the table's.
class KeyboardActionTableView : public AppKit::NSTableView {
    VZ_OBJECT(KeyboardActionTableView, AppKit::NSTableView)
public:
    using Ptr = std::shared_ptr<KeyboardActionTableView>;

    const std::vector<AppKit::SpecialKey>& keyboardActionTriggers() const { return triggers_; }
    void setKeyboardActionTriggers(std::vector<AppKit::SpecialKey> keys) { triggers_ = std::move(keys); }
    Runtime::Selector keyboardAction() const { return keyboardAction_; }
    void setKeyboardAction(Runtime::Selector action) { keyboardAction_ = action; }

    void keyUp(const AppKit::NSEvent& event) override;

protected:
    KeyboardActionTableView() = default;
    explicit KeyboardActionTableView(AppKit::CGRect frame) : AppKit::NSTableView(frame) {}

private:
    std::vector<AppKit::SpecialKey> triggers_{AppKit::SpecialKey::carriageReturn(), AppKit::SpecialKey::enter()};
    Runtime::Selector keyboardAction_;
};

}  // namespace Orrindle
