#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace AppKit {

// The view a scroll view shows its document through: it clips to its bounds, whose origin is
// the scroll position in the document's coordinates, and runs the way its document runs
// (flipped with a flipped document, so position 0 shows a table's first row).
class NSClipView : public NSView {
    VZ_OBJECT(NSClipView, NSView)
public:
    using Ptr = std::shared_ptr<NSClipView>;

    NSView::Ptr documentView() const;
    bool isFlipped() const override;
    void didInit() override;

protected:
    NSClipView() = default;
    explicit NSClipView(CGRect frame) : NSView(frame) {}
};

}  // namespace AppKit
