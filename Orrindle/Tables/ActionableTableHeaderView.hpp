#pragma once
#include <memory>

#include "AppKit/NSButton.hpp"
#include "Combine/AnyCancellable.hpp"
#include "Orrindle/Tables/StyledTableHeaderView.hpp"

namespace Orrindle {

// A table header with two image buttons at its trailing end, an add button and an overflow
// (options) button left of it, that stay at the trailing edge of what the table's scroll view
// shows: they are placed again whenever the table's clip view scrolls or resizes. The owner
// connects the buttons; a removed button is only hidden and takes no room.
class ActionableTableHeaderView : public StyledTableHeaderView {
    VZ_OBJECT(ActionableTableHeaderView, StyledTableHeaderView)
public:
    using Ptr = std::shared_ptr<ActionableTableHeaderView>;

    const AppKit::NSButton::Ptr& addItemButton() const { return addItemButton_; }
    const AppKit::NSButton::Ptr& optionButton() const { return optionButton_; }
    const Combine::Cancellables& cancellables() const { return cancellables_; }

    void removeAddButton();
    void removeOptionButton();

    // How far the buttons move left so that they stay where the clip view shows (0 or less).
    AppKit::CGFloat trailingOffset() const;
    AppKit::CGRect optionButtonFrame() const;
    AppKit::CGRect addButtonFrame() const;

    // Also has the table's clip view post its frame and bounds changes.
    void setTableView(const std::shared_ptr<AppKit::NSTableView>& table) override;
    void layout() override;
    void didInit() override;

protected:
    ActionableTableHeaderView() = default;
    explicit ActionableTableHeaderView(AppKit::CGRect frame) : StyledTableHeaderView(frame) {}
    virtual void setupButtons();
    // Relays out the header whenever its table's clip view changes frame or bounds; changes of
    // other clip views leave its layout alone.
    virtual void observeClipViewChanges();

private:
    AppKit::NSButton::Ptr addItemButton_, optionButton_;
    Combine::Cancellables cancellables_;
};

}  // namespace Orrindle
