#include "AppKit/NSClipView.hpp"

namespace AppKit {

void NSClipView::didInit() {
    NSView::didInit();
    setClipsToBounds(true);
}

NSView::Ptr NSClipView::documentView() const { return subviews().empty() ? nullptr : subviews().front(); }

bool NSClipView::isFlipped() const {
    auto document = documentView();
    return document && document->isFlipped();
}

}  // namespace AppKit
