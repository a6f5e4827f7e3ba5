#include "Orrindle/Extensions/ViewOperations.hpp"

#include "AppKit/NSControl.hpp"
#include "AppKit/EdgePins.hpp"
#include "AppKit/NSWindow.hpp"
#include "Orrindle/Extensions/FocusState.hpp"

namespace Orrindle {

void anchorToAllSidesOf(AppKit::NSView& receiver, const std::shared_ptr<AppKit::NSView>& view, AppKit::NSEdgeInsets insets) {
    AppKit::pinToAllEdges(receiver, view, insets);
}

CGFloat singlePixelLineWidth(const AppKit::NSView& view) {
    auto window = view.window();
    return window ? 1.0 / window->backingScaleFactor() : 1.0;
}

void setNextKeyViewSequence(const std::vector<AppKit::NSView::Ptr>& views) {
    for (std::size_t i = 0; i < views.size(); ++i) views[i]->setNextKeyView(views[(i + 1) % views.size()]);
}

AppKit::NSImage::Ptr snapshotImage(AppKit::NSView& view) { return view.cacheDisplay(view.bounds()); }

std::shared_ptr<AppKit::NSImageView> snapshotView(AppKit::NSView& view) {
    auto image = snapshotImage(view);
    if (!image) return nullptr;
    auto imageView = Runtime::make<AppKit::NSImageView>(view.frame());
    imageView->setImage(std::move(image));
    return imageView;
}

namespace {
void collect(const AppKit::NSView& view, const ViewPredicate& matching, std::vector<AppKit::NSView::Ptr>& found) {
    for (const auto& sub : view.subviews())
        if (matching(*sub)) found.push_back(sub);
    for (const auto& sub : view.subviews()) collect(*sub, matching, found);
}
}  // namespace

std::vector<AppKit::NSView::Ptr> subviews(const AppKit::NSView& view, const ViewPredicate& matching) {
    std::vector<AppKit::NSView::Ptr> found;
    collect(view, matching, found);
    return found;
}

AppKit::NSView::Ptr firstSubview(const AppKit::NSView& view, const ViewPredicate& matching) {
    auto found = subviews(view, matching);
    return found.empty() ? nullptr : found.front();
}

AppKit::NSView::Ptr firstSuperview(const AppKit::NSView& view, const ViewPredicate& matching) {
    for (auto s = view.superview(); s; s = s->superview())
        if (matching(*s)) return s;
    return nullptr;
}

std::shared_ptr<AppKit::NSBox> dividerView() {
    auto box = Runtime::make<AppKit::NSBox>(CoreGraphics::CGRect{0, 0, 50, 1});
    box->setBoxType(AppKit::NSBox::BoxType::separator);
    return box;
}

AppKit::NSView::Ptr spacerView() {
    auto view = Runtime::make<AppKit::NSView>();
    for (auto axis : {AppKit::NSLayoutConstraintOrientation::horizontal, AppKit::NSLayoutConstraintOrientation::vertical}) {
        view->setContentHuggingPriority(50, axis);
        view->setContentCompressionResistancePriority(50, axis);
    }
    return view;
}

bool isFirstResponderInCurrentWindow(const AppKit::NSView& view) {
    if (auto* control = dynamic_cast<const AppKit::NSControl*>(&view)) return isFirstResponderOrEditing(*control);
    auto window = view.window();
    if (!window) return false;
    auto responder = window->firstResponder();
    return responder && responder.get() == &view;
}

void removeAllSubviews(AppKit::NSView& view) {
    const auto subs = view.subviews();
    for (const auto& sub : subs) sub->removeFromSuperview();
}

AppKit::NSScrollView* scrollViewAround(AppKit::NSView* view) {
    while (view && !dynamic_cast<AppKit::NSScrollView*>(view)) view = view->superview().get();
    return static_cast<AppKit::NSScrollView*>(view);
}

}  // namespace Orrindle
