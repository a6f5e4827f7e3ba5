#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/NSViewController.hpp"
#include "SwiftUI/NSHostingSizingOptions.hpp"
#include "SwiftUI/TextField.hpp"
#include "SwiftUI/ViewGraph.hpp"

namespace SwiftUI {

// An AppKit view that shows a view graph: laid out at its bounds (y down), drawn on
// invalidation, with mouse and key events routed into the graph. AppKit views that
// representables put into the graph become its subviews; what the graph draws after one of
// them (a title over a shader view) is drawn by a transparent layer view above it, which
// passes clicks on that content to the hosting view.
class NSHostingView : public AppKit::NSView {
    VZ_OBJECT(NSHostingView, AppKit::NSView)
public:
    static std::shared_ptr<NSHostingView> make(AnyView rootView) { return Runtime::make<NSHostingView>(std::move(rootView)); }

    void setRootView(AnyView rootView);
    ViewGraph& graph() { return *graph_; }
    // The size the content wants when offered nothing in particular.
    CGSize fittingSize();

    bool isFlipped() const override { return true; }
    void setFrame(CGRect frame) override;
    void layout() override;
    void draw(CGRect dirtyRect) override;
    CGSize intrinsicContentSize() const override;
    void mouseDown(const AppKit::NSEvent& event) override;
    void mouseDragged(const AppKit::NSEvent& event) override;
    void mouseUp(const AppKit::NSEvent& event) override;
    void keyDown(const AppKit::NSEvent& event) override;
    bool acceptsFirstResponder() const override;
    bool resignFirstResponder() override;
    // A hosting controller's view tells it, so that the window hears of the content's sizes.
    void viewDidMoveToWindow() override;
    void didInit() override;

protected:
    explicit NSHostingView(AnyView rootView) : rootView_(std::move(rootView)) {}

private:
    // The views inside see the appearance they are drawn in as their colour scheme.
    void syncColorScheme();
    void syncHostedViews();
    CGPoint location(const AppKit::NSEvent& event) const;

    friend class NSHostingController;
    AnyView rootView_;
    std::unique_ptr<ViewGraph> graph_;
    std::vector<std::weak_ptr<AppKit::NSView>> hosted_;
    std::vector<std::shared_ptr<AppKit::NSView>> layers_;  // for layers 1, 2, ... that draw
    bool reportsIntrinsicSize_ = true;  // the controller's intrinsicContentSize option
};

// A view controller whose view is an NSHostingView of its root view. Its sizing options
// (standardBounds unless set) say which of the content's sizes reach AppKit: the ideal size as
// its preferred content size and as the view's intrinsic size; the sizes for a zero and for an
// infinite proposal as the min and max content size of the window it is the content view
// controller of, whose content size is brought within them. The sizes are taken when the view
// loads, when it goes into a window and when the root view or the options change, not as the
// content changes by itself; a window keeps the limits it was given when options are removed.
class NSHostingController : public AppKit::NSViewController {
    VZ_OBJECT(NSHostingController, AppKit::NSViewController)
public:
    static std::shared_ptr<NSHostingController> make(AnyView rootView) {
        return Runtime::make<NSHostingController>(std::move(rootView));
    }
    void loadView() override;
    void viewDidLoad() override;
    void setRootView(AnyView rootView);
    std::shared_ptr<NSHostingView> hostingView();

    NSHostingSizingOptions sizingOptions() const { return sizingOptions_; }
    void setSizingOptions(NSHostingSizingOptions options);

protected:
    explicit NSHostingController(AnyView rootView) : rootView_(std::move(rootView)) {}

private:
    friend class NSHostingView;
    void followContentSize();

    AnyView rootView_;
    NSHostingSizingOptions sizingOptions_ = NSHostingSizingOptions::standardBounds();
};

EventModifiers eventModifiers(AppKit::ModifierFlags flags);
KeyPress keyPress(const AppKit::NSEvent& event);

}  // namespace SwiftUI
