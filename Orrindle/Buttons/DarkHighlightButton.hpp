#pragma once
#include "AppKit/NSButton.hpp"
#include "AppKit/NSCursor.hpp"
#include "Orrindle/Buttons/DarkHighlightButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// An image button with a cursor of its choice (the arrow unless set) over its whole bounds.
// Setting the cursor does not invalidate the cursor rectangles; the window asks again when they
// are next rebuilt.
// Main thread only: an entry point called from another thread stops the program.
class DarkHighlightButton : public AppKit::NSButton {
    VZ_OBJECT(DarkHighlightButton, AppKit::NSButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<DarkHighlightButtonCell>(); }

    AppKit::NSCursor::Ptr customCursor() const { return customCursor_; }
    virtual void setCustomCursor(AppKit::NSCursor::Ptr cursor) {
        Runtime::assertMainActor();
        customCursor_ = std::move(cursor);
    }

    void resetCursorRects() override;

protected:
    explicit DarkHighlightButton(AppKit::CGRect frame) : AppKit::NSButton(frame) {}

private:
    AppKit::NSCursor::Ptr customCursor_ = AppKit::NSCursor::arrow();
};

}  // namespace Orrindle
