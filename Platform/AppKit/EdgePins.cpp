#include "AppKit/EdgePins.hpp"

#include "AppKit/NSLayoutConstraint.hpp"

namespace AppKit {

void pinToAllEdges(NSView& receiver, const std::shared_ptr<NSView>& view, NSEdgeInsets insets) {
    if (!view) return;
    receiver.setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activate({
        receiver.leadingAnchor().constraint(view->leadingAnchor(), insets.left),
        receiver.trailingAnchor().constraint(view->trailingAnchor(), -insets.right),
        receiver.bottomAnchor().constraint(view->bottomAnchor(), -insets.bottom),
        receiver.topAnchor().constraint(view->topAnchor(), insets.top),
    });
}

}  // namespace AppKit
