#pragma once
#include <memory>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSCursor.hpp"
#include "AppKit/NSTrackingArea.hpp"
#include "Orrindle/Buttons/CursorButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// A button that shows its own cursor while the pointer is over it and acts on the first click
// in an inactive window. The cursor is made from cursorImage ("cursor-cycle" of the
// application's main bundle) and cursorHotSpot at creation and whenever the image is set;
// setting the hot spot alone keeps the old cursor until then. Without the image the cursor is
// the arrow. The cursor is pushed when the pointer enters and popped when it leaves - only
// what this button pushed, and also when the button leaves its window or is hidden, so the
// stack stays balanced.
// Main thread only: an entry point called from another thread stops the program.
class CursorButton : public AppKit::NSButton {
    VZ_OBJECT(CursorButton, AppKit::NSButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<CursorButtonCell>(); }

    AppKit::NSImage::Ptr cursorImage() const { return cursorImage_; }
    virtual void setCursorImage(AppKit::NSImage::Ptr image);
    AppKit::CGPoint cursorHotSpot() const { return cursorHotSpot_; }
    virtual void setCursorHotSpot(AppKit::CGPoint hotSpot) {
        Runtime::assertMainActor();
        cursorHotSpot_ = hotSpot;
    }
    // Made on first read when there is none yet.
    virtual AppKit::NSCursor::Ptr cursor();
    virtual void setCursor(AppKit::NSCursor::Ptr cursor) {
        Runtime::assertMainActor();
        cursor_ = std::move(cursor);
    }
    std::shared_ptr<AppKit::NSTrackingArea> trackingArea() const { return trackingArea_; }
    virtual void setTrackingArea(std::shared_ptr<AppKit::NSTrackingArea> area) {
        Runtime::assertMainActor();
        trackingArea_ = std::move(area);
    }

    // One area of its own over the bounds (entered/exited, active always), replaced each time.
    void updateTrackingAreas() override;
    bool acceptsFirstMouse(const AppKit::NSEvent*) const override { return true; }
    void mouseEntered(const AppKit::NSEvent& event) override;
    void mouseExited(const AppKit::NSEvent& event) override;
    void viewWillMoveToWindow(AppKit::NSWindow* newWindow) override;
    void setHidden(bool hidden) override;

    void didInit() override;

protected:
    explicit CursorButton(AppKit::CGRect frame);

private:
    AppKit::NSCursor::Ptr makeCursor() const;
    void popIfPushed();

    AppKit::NSImage::Ptr cursorImage_;
    AppKit::CGPoint cursorHotSpot_{3, 4};
    AppKit::NSCursor::Ptr cursor_;
    std::shared_ptr<AppKit::NSTrackingArea> trackingArea_;
    bool pushed_ = false;
};

}  // namespace Orrindle
