#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSBox.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKit/NSImageView.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSView.hpp"

// Operations on views for layouts built in code.
namespace Orrindle {

using CoreGraphics::CGFloat;

// Pins the receiver's four edges to `view`'s, `insets` inside it; nothing at all without a view.
void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets = {});

// One device pixel in points: 1 / the window's backing scale, 1 outside a window.
CGFloat singlePixelLineWidth(const AppKit::NSView& view);

// Tab goes round the views in order and from the last back to the first.
void setNextKeyViewSequence(const std::vector<AppKit::NSView::Ptr>& views);

// A picture of the view's bounds at the window's scale; null when the bounds are empty.
AppKit::NSImage::Ptr snapshotImage(AppKit::NSView& view);
// An image view showing snapshotImage() at the view's frame; null when there is no snapshot.
std::shared_ptr<AppKit::NSImageView> snapshotView(AppKit::NSView& view);

// A view of `frame` with its identifier set.
template <class View = AppKit::NSView>
std::shared_ptr<View> makeView(CoreGraphics::CGRect frame, std::string identifier) {
    auto view = Runtime::make<View>();
    view->setFrame(frame);
    view->setIdentifier(std::move(identifier));
    return view;
}

using ViewPredicate = std::function<bool(const AppKit::NSView&)>;
// The matching direct subviews in order, then the matches below each subview in turn: one
// level's matches come before any deeper ones.
std::vector<AppKit::NSView::Ptr> subviews(const AppKit::NSView& view, const ViewPredicate& matching);
AppKit::NSView::Ptr firstSubview(const AppKit::NSView& view, const ViewPredicate& matching);
// The nearest ancestor (not the view itself) that matches.
AppKit::NSView::Ptr firstSuperview(const AppKit::NSView& view, const ViewPredicate& matching);
template <class T>
std::shared_ptr<T> firstSuperview(const AppKit::NSView& view) {
    return std::dynamic_pointer_cast<T>(
        firstSuperview(view, [](const AppKit::NSView& v) { return dynamic_cast<const T*>(&v) != nullptr; }));
}

// A new separator line, 50 x 1.
std::shared_ptr<AppKit::NSBox> dividerView();

// A view that gives way to its neighbours: hugging and compression resistance 50 both ways.
AppKit::NSView::Ptr spacerView();

// Whether the view has its window's keyboard focus: it is the first responder, or (for a
// control being edited) the field editor editing it is. False without a window.
bool isFirstResponderInCurrentWindow(const AppKit::NSView& view);

void removeAllSubviews(AppKit::NSView& view);

// The scroll view a view lies in: the view itself when it is one, else its nearest scroll view
// ancestor; null without either. A view about to move asks it of its new superview.
AppKit::NSScrollView* scrollViewAround(AppKit::NSView* view);

}  // namespace Orrindle
