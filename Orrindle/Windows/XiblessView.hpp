#pragma once
#include <concepts>
#include <memory>

#include "AppKit/NSView.hpp"
#include "AppKit/NSViewController.hpp"

namespace Orrindle {

// A view built in code: made with a zero frame for Auto Layout, then setupView() builds its
// subviews and constraints (Runtime::make<MyView>()).
class XiblessView : public AppKit::NSView {
    VZ_OBJECT(XiblessView, AppKit::NSView)
public:
    virtual void setupView() {}
    void didInit() override {
        AppKit::NSView::didInit();
        setTranslatesAutoresizingMaskIntoConstraints(false);
        setupView();
    }

protected:
    XiblessView() : AppKit::NSView(AppKit::CGRect{}) {}
};

// A view controller whose view is a ContentView made with its plain initialiser.
template <class ContentView>
    requires std::derived_from<ContentView, AppKit::NSView>
class XiblessVC : public AppKit::NSViewController {
public:
    void loadView() override { setView(Runtime::make<ContentView>()); }
    std::shared_ptr<ContentView> contentView() { return std::dynamic_pointer_cast<ContentView>(view()); }

protected:
    XiblessVC() = default;
};

// A view ready for constraints: made with a zero frame, or an existing one switched over.
template <class View>
    requires std::derived_from<View, AppKit::NSView>
std::shared_ptr<View> autolayoutable() {
    auto view = Runtime::make<View>(AppKit::CGRect{});
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}
template <class View>
const std::shared_ptr<View>& autolayoutable(const std::shared_ptr<View>& view) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}

}  // namespace Orrindle
